#pragma once
// The engine's logging categories: "glotta.engine" (languages loaded,
// imported or refused), "glotta.client" (components a client could not
// read or write), "glotta.editor" (the editor's data and window). A failure
// is reported once, at warning level, with the file or object and the reason;
// what the operation answers does not change.

#include "glotta/engine/glotta_engine_export.h"
#include <QLoggingCategory>

GLOTTA_ENGINE_EXPORT const QLoggingCategory &lcGlottaEngine();
GLOTTA_ENGINE_EXPORT const QLoggingCategory &lcGlottaClient();
GLOTTA_ENGINE_EXPORT const QLoggingCategory &lcGlottaEditor();
