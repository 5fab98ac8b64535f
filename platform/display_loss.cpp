#include "platform/display_loss.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>

namespace platform {
namespace {

std::atomic<DisplayLossRecorder> g_recorder{nullptr};
// Set by the first thread that finds the loss (the main thread's look at the
// connection and a watch of it may find it at once).
std::atomic<bool> g_ending{false};

}  // namespace

void SetDisplayLossRecorder(DisplayLossRecorder recorder) { g_recorder.store(recorder); }

void EndForLostDisplay(std::string_view displayName) {
  // Said once: another thread that finds the loss meanwhile waits for the end.
  if (g_ending.exchange(true))
    for (;;) ::pause();
  const std::string line = "the display connection was lost (" + std::string(displayName) + ")";
  if (DisplayLossRecorder recorder = g_recorder.load()) recorder(line);
  std::fprintf(stderr, "%s\n", line.c_str());
  ::_exit(1);
}

}  // namespace platform
