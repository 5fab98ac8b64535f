// Definitions' steps of start-up. Filled by issue #11 (BuildParamTable).
#include "shell/subsystems/subsystem_steps.h"

void BuildParamTableStep() {}
