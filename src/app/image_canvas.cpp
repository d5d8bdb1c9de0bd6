#include "app/image_canvas.h"
