#pragma once
// The fields and line shapes that the language file and the exchange files
// share: section markers, quoted texts, lexicon name lines, the pairs of the
// smart section (written and read).

#include "glotta/engine/glotta_engine_export.h"
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

class TLanguageFileLines;

// A marker ("%LEXICON_STRINGS", "%GLOTTA", ...) anywhere in a value that is
// not quoted: a text that happens to hold a marker stays a text.
GLOTTA_ENGINE_EXPORT bool IsMarker(QStringView Value, QStringView Marker);
// The quoted text of a value in the store's one-line form (control
// characters between the quotes written as codes).
GLOTTA_ENGINE_EXPORT QString QuotedText(QStringView Value);
// "0", TAB, "%LEXICON_NAME=", Name, ";".
GLOTTA_ENGINE_EXPORT QString LexiconNameLine(const QString &Name);
// The two lines of a smart pair numbered N: the quoted designed text, then
// the quoted translation.
GLOTTA_ENGINE_EXPORT void AddPair(QStringList &Lines, int N, const QString &Designed, const QString &Translated);

// Walks the smart section from the line after Pos up to a "%FLAG_ICON"
// marker (Pos ends on that marker, or at the end). A lexicon name line is
// handed to OnName (the name may be empty; OnName answers false to stop the
// walk, and then so does the function); every pair with a non-empty designed
// text and translation to OnPair. A pair is a usable line followed by the
// next numbered line of the same number; otherwise that next line starts a
// new pair. Lines are read forward only (see TLanguageFileLines::Has).
GLOTTA_ENGINE_EXPORT bool ReadSmartPairs(TLanguageFileLines &Lines, int &Pos, const std::function<bool(const QString &)> &OnName,
                    const std::function<void(QString &&, QString &&)> &OnPair);
