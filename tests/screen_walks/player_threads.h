#pragma once
// The player's two threads on a started walk, as the player runs them: the
// game thread steps frames while the calling thread runs the player's event
// loop, until the player closes.

#include <functional>
#include <string>
#include <vector>

#include "platform/ui_events.h"
#include "shell/game_thread.h"

// Starts the game thread on `step`; once `ready` holds (the main thread's
// requests served meanwhile), queues `events` for the game window and runs
// the event loop until the player closes. False when `ready` never held or
// the game thread outlived the close; the thread has ended either way.
bool RunPlayerThreadsUntilClosed(FrameStep step, const std::function<bool()>& ready,
                                 const std::vector<platform::UiEvent>& events);

// A box drawn in the game window and answered there with Enter (OK, or Yes
// in the exit question); whether it opened while another box was open.
struct DrawnBox {
  std::string text;
  int answer = 0;
  bool overAnother = false;
  bool operator==(const DrawnBox&) const = default;
};

// Whether the player clicks the window's close button while the first box
// is open (that box's own event loop then raises the window's close).
enum class CloseClick { None, InTheFirstBox };

// How the exit question is answered: Yes with Enter, or No with Tab and
// Space; after a No the player is terminated as the frame under way ends.
enum class QuestionAnswer { Yes, No };

// Runs the player's threads on the game's own frames, `virtualKey` held
// down in the first, until the player closes; each box is drawn on the main
// thread and answered there. A box the game thread asks for comes 100 ms
// late, as on a loaded machine: time for the main thread to take whatever
// was raised before it. After 10 s the player is terminated. The boxes in
// the order they opened.
std::vector<DrawnBox> PressAndRunPlayerThreadsAnsweringBoxes(int virtualKey, CloseClick click = CloseClick::None,
                                                             QuestionAnswer answer = QuestionAnswer::Yes);
// The boxes of a damaged stage file entered from a screen: the file's, the
// screen's, each answered OK and not over another, then the exit question,
// answered Yes.
void ExpectTheDamagedStagesBoxesThenTheQuestion(const std::vector<DrawnBox>& boxes);
