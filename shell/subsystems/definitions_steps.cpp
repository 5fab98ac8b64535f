// Definitions' steps of start-up.
#include "shell/subsystems/subsystem_steps.h"

#include "definitions/param_table.h"

// The parameter table is built once, before any definition is loaded.
void BuildParamTableStep() { BuildParamTable(); }
