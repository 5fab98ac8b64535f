#pragma once
// The description of the machine in "Report_Game.txt": once at start-up
// right after the version line (system, processor, memory, disk, display,
// text face), and once after the graphics device exists (screen mode,
// colour depth, refresh rate, renderer).

#include "platform/system_info.h"

// Appends the system part; 0 when the report file cannot be written.
int WriteSystemReport();
// The same from given facts.
int WriteSystemReportOf(const platform::SystemFacts& facts);
