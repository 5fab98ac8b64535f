#pragma once
// Whether a close asks the exit question first, and what the answer does.
// Every close but a termination asks, in a window, away from the title,
// outside a directly started stage and a test play. Once a close has got
// past the question the program is closing: the close raised again on the
// way out (after the pause ends) does not ask again. A failure that raises
// its close on every frame is asked about once: after a No its closes are
// dropped for as long as it goes on raising them frame after frame. The
// closes that waited together (behind a box, or while the question was
// open) are answered by that one question.

#include "platform/main_thread.h"

// True when the close goes on; false when it is dropped and the game goes on.
bool ConfirmClose(platform::CloseReason reason);

// The exit status of the close that went on: 1 when a failure closed the
// program where no one is asked (at the title, on a directly started stage,
// a test play, full screen), so that a script sees it; 0 when the player
// chose to close (also Yes to a failure's question) or the program was
// terminated.
int CloseExitStatus();

// A new start of the player: not closing, no failure played on through.
void ResetCloseState();
