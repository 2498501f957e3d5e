#pragma once
// Registers the library's components with the stored-design class registry.

#include "glotta/widgets/glotta_widgets_export.h"

GLOTTA_WIDGETS_EXPORT void RegisterGlottaClasses();
