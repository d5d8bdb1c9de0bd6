#include "input/wheel_sizing.h"
