#include "graphics/bitmap_table.h"
