// Where the translation editor saves a language: the name typed in the
// editor becomes a file inside the language directory, never a path. (The
// bytes are written by the engine's language-file writer.)
#pragma once

#include "glotta/widgets/glotta_widgets_export.h"
#include <QString>

// The full path for saving the language named Name in LangDir with the
// extension Ext (with its dot, e.g. ".lng"). A name that holds a directory
// separator, a drive colon, "..", control characters or nothing but blanks and
// dots could reach outside the directory or name no file: such a name gives an
// empty string. The extension is forced: a name ending in another extension
// keeps it as part of the base name.
GLOTTA_WIDGETS_EXPORT QString LangFileSavePath(const QString &LangDir, const QString &Name, const QString &Ext);

