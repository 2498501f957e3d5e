#include "glotta/engine/engine_log.h"

Q_LOGGING_CATEGORY(lcGlottaEngine, "glotta.engine")
Q_LOGGING_CATEGORY(lcGlottaClient, "glotta.client")
Q_LOGGING_CATEGORY(lcGlottaEditor, "glotta.editor")
