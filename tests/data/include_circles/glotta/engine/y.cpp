#include "glotta/engine/y.h"
#include "glotta/engine/x.h"
