#pragma once
// The end of a player whose display connection is lost (the X server or the
// Wayland compositor went away: the session ended, the server restarted, a
// remote link dropped). The window and every dialog went with it and the
// display's library may not be called again, so nothing can be shown or
// asked, and the close path cannot run. The player says so and ends at once
// with status 1, the other threads still running: the static objects'
// destructors must not run beside them. Every save replaces its file
// atomically, so nothing is left half written.

#include <string_view>

namespace platform {

// How the program keeps the line that tells of the loss (its report log).
// Called on the thread that found the loss, maybe inside a call of the
// display's library: it must not touch the display. The line is UTF-8.
using DisplayLossRecorder = void (*)(std::string_view utf8Line);
void SetDisplayLossRecorder(DisplayLossRecorder recorder);

// Says that the display of that name was lost, "the display connection was
// lost (:0)", to the recorder and on stderr, and ends the process with
// status 1. Any thread; said once: a thread that calls it while another
// says it waits for the end.
[[noreturn]] void EndForLostDisplay(std::string_view displayName);

}  // namespace platform
