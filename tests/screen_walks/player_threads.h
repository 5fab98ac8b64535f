#pragma once
// The player's two threads on a started walk, as the player runs them: the
// game thread steps frames while the calling thread runs the player's event
// loop, until the player closes.

#include <functional>
#include <vector>

#include "platform/ui_events.h"
#include "shell/game_thread.h"

// Starts the game thread on `step`; once `ready` holds (the main thread's
// requests served meanwhile), queues `events` for the game window and runs
// the event loop until the player closes. False when `ready` never held or
// the game thread outlived the close; the thread has ended either way.
bool RunPlayerThreadsUntilClosed(FrameStep step, const std::function<bool()>& ready,
                                 const std::vector<platform::UiEvent>& events);
