#include "installer/a/k.h"
