#pragma once
#include "glotta/engine/y.h"
