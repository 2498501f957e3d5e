#include "glotta/store/store_log.h"

Q_LOGGING_CATEGORY(lcGlottaStore, "glotta.store")
