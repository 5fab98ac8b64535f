#pragma once
// Whether a close asks the exit question first, and what the answer does.
// Every close but a termination asks, in a window, away from the title,
// outside a directly started stage and a test play. Once a close has got
// past the question the program is closing: the close raised again on the
// way out (after the pause ends) does not ask again. A failure that raises
// its close on every frame is asked about once: after a No its closes are
// dropped for as long as it goes on raising them frame after frame.

#include "platform/main_thread.h"

// True when the close goes on; false when it is dropped and the game goes on.
bool ConfirmClose(platform::CloseReason reason);

// A new start of the player: not closing, no failure played on through.
void ResetCloseState();
