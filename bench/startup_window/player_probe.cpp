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
  // The presenter's own loop task, added with the first frame handed over,
  // runs after this one in each pass: a frame seen here is on the screen by
  // the next pass.
  bool frameHandedOver = false;
  std::int64_t presentedAt = 0;
  platform::AddMainLoopTask([&] {
    if (presentedAt != 0) return;
    if (frameHandedOver) {
      presentedAt = startup_child::MonotonicNs();
      platform::RequestClose(platform::CloseReason::Terminate);
    }
    frameHandedOver = platform::GetPresenter().FrameSerial() > 0;
  });
  RunPlayer("");
  if (presentedAt == 0) return 3;
  startup_child::Print(presentedAt, argv[2]);
  return 0;
}
