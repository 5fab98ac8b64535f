#pragma once
// The player's process: logs, single instance, window, initialisation, the
// game thread and the main thread's event loop, then the ordered end.
// Returns the process exit code: 0, also when start-up stops early, and 1
// when no window can be shown at all (no display).

#include <string_view>

// The command line names a stage file (CP932) to play at once, or is empty.
int RunPlayer(std::string_view commandLine = {});
