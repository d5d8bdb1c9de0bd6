#include "input/stepper.h"
