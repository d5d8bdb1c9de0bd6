#include "geometry/belt_path.h"
