#include "calc/modes.h"
