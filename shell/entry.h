#pragma once
// The player's process: logs, single instance, window, initialisation, the
// game thread and the main thread's event loop, then the ordered end.
// Returns the process exit code (0 also when start-up stops early).
int RunPlayer();
