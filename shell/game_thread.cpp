#include "shell/game_thread.h"

#include <mutex>

#include "foundation/log.h"
#include "foundation/thread.h"
#include "platform/main_thread.h"
#include "shell/app_state.h"
#include "shell/game/game.h"

namespace {
std::mutex g_stepMutex;
FrameStep g_frameStep;

FrameStep CurrentStep() {
  std::lock_guard lock(g_stepMutex);
  if (g_frameStep) return g_frameStep;
  return [] { return g_Game.Frame(); };
}

// One frame step; a failure's close raised in it, and a close clicked in a
// box it asked for, are raised as it ends, so that every box the step shows
// comes before the question.
int StepWithItsBoxesFirst(const FrameStep& step) {
  const platform::ClosesAfterStep closesAfterTheStep;
  return step();
}
}  // namespace

void SetGameFrameStep(FrameStep step) {
  std::lock_guard lock(g_stepMutex);
  g_frameStep = std::move(step);
}

unsigned GameThreadProc() {
  const FrameStep step = CurrentStep();
  while (true) {
    ThreadMessage message;
    if (cThread::PeekMessage(message)) {
      if (message.id == WM_QUIT) break;
      continue;  // other thread messages (the probe) are dropped
    }
    if (g_bActive.load()) {
      // A failed step raises the close, which asks first; the player may
      // play on, so the thread keeps stepping until the close path ends it.
      if (StepWithItsBoxesFirst(step) == 0) platform::RequestClose();
    } else {
      cThread::Sleep(1);
    }
  }
  DebugLogF("GameLoop WM_QUIT!");
  return 1;
}
