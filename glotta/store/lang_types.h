#pragma once
// Small types shared by the store, the engine and its components: a
// language's name and code, the encodings of written language files and the
// shape of the "may this go on?" events.

#include "glotta/store/glotta_store_export.h"
#include <QObject>
#include <QString>
#include <functional>

namespace GlottaTypes {
Q_NAMESPACE_EXPORT(GLOTTA_STORE_EXPORT)

// The text encoding of written language files, in the order the engine's
// published LangFileEncoding stores them.
enum class TLFEncoding { Unicode, BigEndianUnicode, UTF8, ANSI };
Q_ENUM_NS(TLFEncoding)
} // namespace GlottaTypes

using GlottaTypes::TLFEncoding;

// Display name of a language and its ISO 639-1 code (two lower-case letters
// or empty).
struct GLOTTA_STORE_EXPORT TLangIDs
{
    QString Name;
    QString Code;
};

// Raised before an action; a handler sets Continue to false to stop it.
using TContinueQuery = std::function<void(QObject *Sender, bool &Continue)>;
