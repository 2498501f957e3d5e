#pragma once
// The store's logging category, "glotta.store": refused headers, flags and
// texts are reported there with the file and the reason.

#include "glotta/store/glotta_store_export.h"
#include <QLoggingCategory>

GLOTTA_STORE_EXPORT const QLoggingCategory &lcGlottaStore();
