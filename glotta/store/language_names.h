#pragma once
// ISO 639-1 codes and language names: normalising a code, the English name of
// a code, and recognising a few languages from their display names.

#include "glotta/store/glotta_store_export.h"
#include <QString>

// Trims Code and lower-cases it (ASCII); keeps its first two characters when
// both are "a".."z" and they are not "xx" (true). Otherwise Code becomes
// empty (false).
GLOTTA_STORE_EXPORT bool NormalizeISOCode(QString &Code);

// The trimmed name of a table row "cs - Czech"; empty when the row has no
// "-", or only at its start or end.
GLOTTA_STORE_EXPORT QString ExtractISOName(const QString &Entry);

// English name of a two-letter code from the ISO 639-1 table (first matching
// row); empty for anything else.
GLOTTA_STORE_EXPORT QString LanguageNameOfISO(const QString &Code);

// Recognise a language from its display name in several languages; they
// stand for "cs", "sk", "en" and "de".
GLOTTA_STORE_EXPORT bool IsCzechName(const QString &Name);
GLOTTA_STORE_EXPORT bool IsSlovakName(const QString &Name);
GLOTTA_STORE_EXPORT bool IsEnglishName(const QString &Name);
GLOTTA_STORE_EXPORT bool IsGermanName(const QString &Name);
