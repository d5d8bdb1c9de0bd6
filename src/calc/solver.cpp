#include "calc/solver.h"
