#pragma once
// Discovery's read of a language file: its name, code and flag picture, the
// same as ReadLanguageHeader gives for the whole file, without decoding and
// splitting the whole file. The name and code come from the first lines; the
// flag section is found by searching the raw bytes for its marker.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/store/lang_types.h"

#include <QByteArray>
#include <QString>

// IDs and Flag of the file FileName (Sign its first line); both empty when
// the file cannot be opened or read or is larger than MaxLanguageFileSize.
GLOTTA_ENGINE_EXPORT void ReadLanguageFileHead(const QString &FileName, const QString &Sign, TLangIDs &IDs, QByteArray &Flag);
