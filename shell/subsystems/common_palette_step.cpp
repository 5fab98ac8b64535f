// The common palette's step of start-up: "data\CommonPalette.cplt4" into
// g_CommonPalette; a failure has shown "%s のロードに失敗！" and stops start-up.
#include "definitions/palette/palette.h"
#include "shell/subsystems/subsystem_steps.h"

bool LoadCommonPaletteStep() { return LoadCommonPalette() != 0; }
