#include "input/catalogue.h"
