#include "foundation/run_mode.h"

int g_bFromEditor = 0;
