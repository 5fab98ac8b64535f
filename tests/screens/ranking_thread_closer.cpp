#include "tests/screens/ranking_thread_closer.h"

#include <chrono>

#include "shell/worker_threads.h"

std::thread CloseRankingWindowWhenOpen() {
  return std::thread([] {
    while (!thRanking.IsRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    thRanking.PostMessage(WM_QUIT);
  });
}
