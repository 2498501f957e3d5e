#pragma once
// Small types shared by the store, the engine and its components: a
// language's name and code and the encodings of written language files (the
// "may this go on?" events are the toolkit's TContinueQuery).

#include "toolkit/core/events.h"

#include <QObject>
#include <QString>

namespace GlottaTypes {
Q_NAMESPACE

// The text encoding of written language files; the engine's published
// LangFileEncoding, named in a stored design by its members' names.
enum class TLFEncoding { Unicode, BigEndianUnicode, UTF8, ANSI };
Q_ENUM_NS(TLFEncoding)
} // namespace GlottaTypes

using GlottaTypes::TLFEncoding;

// Display name of a language and its ISO 639-1 code (two lower-case letters
// or empty).
struct TLangIDs
{
    QString Name;
    QString Code;
};

