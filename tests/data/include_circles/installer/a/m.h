#pragma once
#include "installer/b/n.h"
