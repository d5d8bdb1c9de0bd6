#include "calc/belt_teeth.h"
