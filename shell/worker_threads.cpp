#include "shell/worker_threads.h"

#include <array>

cThread thGame;
cThread thPause;
cThread thRanking;
cThread thLoadStage;

namespace {
std::array<cThread*, 4> AllThreads() { return {&thGame, &thPause, &thRanking, &thLoadStage}; }
}  // namespace

void SuspendThreads() {
  for (cThread* thread : AllThreads()) thread->Suspend();
}

void ResumeThreads() {
  for (cThread* thread : AllThreads()) thread->Resume();
}
