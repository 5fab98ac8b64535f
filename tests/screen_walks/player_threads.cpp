#include "player_threads.h"

#include <gtest/gtest.h>

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

// PressAndRunPlayerThreadsAnsweringBoxes on any frame step.
std::vector<DrawnBox> RunPlayerThreadsAnsweringBoxes(FrameStep step, CloseClick click) {
  std::vector<DrawnBox> boxes;  // main thread only
  int open = 0;
  platform::SetMessageBoxOverride([&boxes, &open, click](const std::string& text, const std::string& caption,
                                                         unsigned type) {
    if (!platform::IsMainThread()) platform::SleepMs(100);
    int answer = 0;
    platform::RunOnMainThread([&] {
      boxes.push_back({text, 0, open > 0});
      const std::size_t index = boxes.size() - 1;
      platform::QueueHeadlessUiEvents({platform::KeyUpEvent(platform::kVkReturn), platform::KeyDownEvent(platform::kVkReturn)});
      if (index == 0 && click == CloseClick::InTheFirstBox)
        SetDialogObserver([](DialogBox&) { platform::RequestClose(platform::CloseReason::User); });
      ++open;
      answer = DialogMessageBox(platform::Cp932FromUtf8(text), platform::Cp932FromUtf8(caption), type);
      --open;
      SetDialogObserver(nullptr);
      boxes[index].answer = answer;
    });
    return answer;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  RunPlayerThreadsUntilClosed(
      [step = std::move(step), deadline, terminated = false]() mutable {
        if (!terminated && std::chrono::steady_clock::now() > deadline) {
          terminated = true;
          platform::RequestClose(platform::CloseReason::Terminate);
        }
        return step();
      },
      [] { return true; }, {});
  platform::SetMessageBoxOverride(nullptr);
  return boxes;
}

}  // namespace

std::vector<DrawnBox> PressAndRunPlayerThreadsAnsweringBoxes(int virtualKey, CloseClick click) {
  platform::SetKeyHeld(virtualKey, true);
  return RunPlayerThreadsAnsweringBoxes(
      [virtualKey, held = true]() mutable {
        const int stepped = g_Game.Frame();
        if (std::exchange(held, false)) platform::SetKeyHeld(virtualKey, false);
        return stepped;
      },
      click);
}

void ExpectTheDamagedStagesBoxesThenTheQuestion(const std::vector<DrawnBox>& boxes) {
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_NE(boxes[0].text.find("が破損しています！"), std::string::npos);
  EXPECT_NE(boxes[1].text.find("が読み込めません！"), std::string::npos);
  for (int i : {0, 1}) EXPECT_EQ((std::pair{boxes[i].answer, boxes[i].overAnother}), (std::pair{IDOK, false})) << i;
  EXPECT_EQ(boxes[2], (DrawnBox{"終了しますか？\n", IDYES, false}));
}
