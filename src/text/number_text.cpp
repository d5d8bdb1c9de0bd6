#include "text/number_text.h"
