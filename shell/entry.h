#pragma once
// The player's process: logs, single instance, window, initialisation, the
// game thread and the main thread's event loop, then the ordered end.
// Returns the process exit code: 1 when the game did not start because
// something failed or was refused (no display, the report log, the window,
// the start-up of the game, a No to the default data, the drawing-mode
// dialog cancelled); 0 after the game ran, when the second player's question
// is answered No, and when a termination ended the start.

#include <string_view>

// The command line names a stage file (CP932) to play at once, or is empty.
int RunPlayer(std::string_view commandLine = {});
