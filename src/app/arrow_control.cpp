#include "app/arrow_control.h"
