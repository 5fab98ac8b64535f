#include "screens/stage_end/ranking_thread.h"

#include "shell/worker_threads.h"

bool RunOnRankingThread(std::function<unsigned()> loop) {
  if (!thRanking.Start(std::move(loop))) return false;
  thRanking.Wait();
  return true;
}
