#pragma once
// Message boxes drawn by the dialog toolkit over the game window, for every
// box shown while the game window exists (the quit question among them).
// While the window is not shown (before start-up shows it, the double-start
// question among them; minimised; gone) the platform's own box is shown, and
// where that cannot show, the toolkit's box in a small window of its own. A
// box asked for by another thread is shown on the main thread; the asking
// thread waits for the answer. Under a video driver that shows nothing no box
// is drawn at all (platform/message_box.h). A box ended by a forced close (a
// termination) answers as its close box, and after a termination no box
// shows at all.

#include <string_view>

// Texts are CP932; type and answer as MesBox (MB_YESNO, IDYES, ...).
int DialogMessageBox(std::string_view text, std::string_view caption, unsigned type);

// Routes the program's message boxes to DialogMessageBox (on) or back to
// the platform's boxes (off).
void UseDialogMessageBoxes(bool on);

// The quit question: 1 when the player answers Yes.
int ConfirmExit(int english);
