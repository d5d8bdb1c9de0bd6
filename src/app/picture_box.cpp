#include "app/picture_box.h"
