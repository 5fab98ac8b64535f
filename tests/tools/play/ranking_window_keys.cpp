#include "ranking_window_keys.h"

#include <chrono>

#include "platform/input_devices.h"
#include "shell/worker_threads.h"

std::thread PressDecideInRankingWindow(int decideKey) {
  return std::thread([decideKey] {
    while (!thRanking.IsRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (bool held : {false, true, false}) {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      platform::SetKeyHeld(decideKey, held);
    }
  });
}
