// The common palette's step of start-up. Filled by issue #12 (loading
// "data\CommonPalette.cplt4" into g_CommonPalette).
#include "shell/subsystems/subsystem_steps.h"

bool LoadCommonPaletteStep() { return true; }
