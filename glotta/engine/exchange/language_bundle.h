#pragma once
// The language bundle: a binary file that packs the texts of several
// languages (each a lexicon file, dictionary or language file). It is made
// of packed strings, a signed 32-bit little-endian character count and that
// many UTF-16 little-endian code units: one string that is ignored, the
// count of languages, then per language its name or ISO code and its text.
// Read only; the import takes the text of the language it imports into.

#include "glotta/engine/glotta_engine_export.h"
#include <QByteArray>
#include <QString>
#include <functional>

// Reads the packed string at Pos into Text (or skips it when Text is null)
// and moves Pos past it. False, leaving Pos, when fewer than 4 bytes remain
// for the count, or the count is negative or runs past the end.
GLOTTA_ENGINE_EXPORT bool ReadPackedString(const QByteArray &Bytes, qsizetype &Pos, QString *Text);

struct GLOTTA_ENGINE_EXPORT TBundleText
{
    enum TKind {
        // Not a readable bundle for this language: the file is read as text.
        NoBundle,
        // The bundle holds no languages, or an empty text for this one.
        Empty,
        // The text of the language.
        Found,
    };
    TKind Kind = NoBundle;
    QString Text;
};

// The text of the first language entry IsTarget accepts (its identifier is
// handed over as written), when that entry and all packed strings after it
// end exactly at the end of the bytes.
GLOTTA_ENGINE_EXPORT TBundleText ReadLanguageBundle(const QByteArray &Bytes, const std::function<bool(const QString &)> &IsTarget);
