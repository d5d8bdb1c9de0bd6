#include "input/standard_lengths.h"
