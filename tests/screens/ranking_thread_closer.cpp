#include "tests/screens/ranking_thread_closer.h"

#include "shell/worker_threads.h"
#include "tests/support/wait_until.h"

std::thread CloseRankingWindowWhenOpen() {
  return std::thread([] {
    // A window that never opens is the test's own failure; the closer ends.
    if (WaitUntil([] { return thRanking.IsRunning(); })) thRanking.PostMessage(WM_QUIT);
  });
}
