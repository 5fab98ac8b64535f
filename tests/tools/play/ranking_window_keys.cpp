#include "ranking_window_keys.h"

#include <chrono>

#include "platform/input_devices.h"
#include "shell/worker_threads.h"
#include "tests/support/wait_until.h"

std::thread PressDecideInRankingWindow(int decideKey) {
  return std::thread([decideKey] {
    if (!WaitUntil([] { return thRanking.IsRunning(); })) return;  // the test fails on its own checks
    // Pressed anew until the window has gone: on a loaded machine its frames
    // can come late enough to miss a single short press.
    while (thRanking.IsRunning()) {
      platform::SetKeyHeld(decideKey, false);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      platform::SetKeyHeld(decideKey, true);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    platform::SetKeyHeld(decideKey, false);
  });
}
