#include "player_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <utility>

#include "foundation/message_box.h"
#include "platform/clock.h"
#include "platform/input_devices.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/message_box_dialog.h"
#include "shell/game/game.h"
#include "shell/main_window.h"
#include "shell/worker_threads.h"
#include "tests/support/wait_until.h"

bool RunPlayerThreadsUntilClosed(FrameStep step, const std::function<bool()>& ready,
                                 const std::vector<platform::UiEvent>& events) {
  SetGameFrameStep(std::move(step));
  thGame.Start(GameThreadProc);
  const bool readySeen = WaitUntil(ready, [] { platform::ServeMainThread(); });
  if (readySeen) {
    platform::QueueHeadlessUiEvents(events);
    platform::RunEventLoop(MainWindowHandlers());
  }
  const bool ended = !thGame.IsRunning();
  thGame.Exit();
  SetGameFrameStep(nullptr);
  return readySeen && ended;
}

namespace {

// The keys that answer a box: Enter (its default button), or for No in a
// question Tab (to No) and Space.
std::vector<platform::UiEvent> AnsweringKeys(unsigned type, QuestionAnswer answer) {
  using platform::KeyDownEvent, platform::KeyUpEvent;
  if (type == MB_YESNO && answer == QuestionAnswer::No)
    return {KeyUpEvent(platform::kVkSpace), KeyDownEvent(platform::kVkTab), KeyUpEvent(platform::kVkTab),
            KeyDownEvent(platform::kVkSpace)};
  return {KeyUpEvent(platform::kVkReturn), KeyDownEvent(platform::kVkReturn)};
}

// PressAndRunPlayerThreadsAnsweringBoxes on any frame step.
std::vector<DrawnBox> RunPlayerThreadsAnsweringBoxes(FrameStep step, CloseClick click, QuestionAnswer questionAnswer) {
  std::vector<DrawnBox> boxes;  // main thread only
  int open = 0;
  std::atomic<bool> declined{false};
  platform::SetMessageBoxOverride([&boxes, &open, &declined, click, questionAnswer](
                                      const std::string& text, const std::string& caption, unsigned type) {
    if (!platform::IsMainThread()) platform::SleepMs(100);
    int answer = 0;
    platform::RunOnMainThread([&] {
      boxes.push_back({text, 0, open > 0});
      const std::size_t index = boxes.size() - 1;
      platform::QueueHeadlessUiEvents(AnsweringKeys(type, questionAnswer));
      if (index == 0 && click == CloseClick::InTheFirstBox)
        SetDialogObserver([](DialogBox&) { platform::RequestClose(platform::CloseReason::User); });
      ++open;
      answer = DialogMessageBox(platform::Cp932FromUtf8(text), platform::Cp932FromUtf8(caption), type);
      --open;
      SetDialogObserver(nullptr);
      boxes[index].answer = answer;
      if (answer == IDNO) declined = true;
    });
    return answer;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  RunPlayerThreadsUntilClosed(
      [step = std::move(step), deadline, &declined, terminated = false]() mutable {
        const bool late = std::chrono::steady_clock::now() > deadline;
        const int stepped = step();
        if (!terminated && (late || declined.load())) {
          terminated = true;
          platform::RequestClose(platform::CloseReason::Terminate);
        }
        return stepped;
      },
      [] { return true; }, {});
  platform::SetMessageBoxOverride(nullptr);
  return boxes;
}

}  // namespace

std::vector<DrawnBox> PressAndRunPlayerThreadsAnsweringBoxes(int virtualKey, CloseClick click, QuestionAnswer answer) {
  platform::SetKeyHeld(virtualKey, true);
  return RunPlayerThreadsAnsweringBoxes(
      [virtualKey, held = true]() mutable {
        const int stepped = g_Game.Frame();
        if (std::exchange(held, false)) platform::SetKeyHeld(virtualKey, false);
        return stepped;
      },
      click, answer);
}

void ExpectTheDamagedStagesBoxesThenTheQuestion(const std::vector<DrawnBox>& boxes) {
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_NE(boxes[0].text.find("が破損しています！"), std::string::npos);
  EXPECT_NE(boxes[1].text.find("が読み込めません！"), std::string::npos);
  for (int i : {0, 1}) EXPECT_EQ((std::pair{boxes[i].answer, boxes[i].overAnother}), (std::pair{IDOK, false})) << i;
  EXPECT_EQ(boxes[2], (DrawnBox{"終了しますか？\n", IDYES, false}));
}
