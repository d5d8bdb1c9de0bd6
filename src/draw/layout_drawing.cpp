#include "draw/layout_drawing.h"
