#include "geometry/tangents.h"
