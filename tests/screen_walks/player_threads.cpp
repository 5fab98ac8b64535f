#include "player_threads.h"

#include "platform/main_thread.h"
#include "platform/window.h"
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
