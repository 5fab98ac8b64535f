// The player as a user starts it (SDL window, sound, the game folder as the
// working folder), with a probe in its main loop that notes when the first
// frame has been presented and then closes the player quietly.
//
//   bench_startup_player GAME_FOLDER SPAWNED_AT_NS
#include <unistd.h>

#include <cstdint>

#include "app/player_modules.h"
#include "bench/startup_window/child_report.h"
#include "platform/backend.h"
#include "platform/main_thread.h"
#include "platform/presenter.h"
#include "shell/entry.h"

int main(int argc, char** argv) {
  if (argc != 3 || ::chdir(argv[1]) != 0) return 2;
  platform::SelectBackend(platform::Backend::Sdl);
  RegisterPlayerModules();
  // Once a frame has been handed over the presenter exists; it shows that
  // frame later in this pass of the main loop or in a later one.
  std::int64_t presentedAt = 0;
  long peakAtPresentKb = 0;
  bool watching = false;
  platform::AddMainLoopTask([&] {
    if (watching || platform::GetPresenter().FrameSerial() == 0) return;
    watching = true;
    platform::GetPresenter().SetFrameShownCallback([&] {
      if (presentedAt != 0) return;
      presentedAt = startup_child::MonotonicNs();
      peakAtPresentKb = startup_child::PeakResidentKb();
      platform::RequestClose(platform::CloseReason::Terminate);
    });
  });
  RunPlayer("");
  if (presentedAt == 0) return 3;
  startup_child::Print(presentedAt, peakAtPresentKb, argv[2]);
  return 0;
}
