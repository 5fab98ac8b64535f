#include "platform/display_loss.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>

namespace platform {
namespace {

std::atomic<DisplayLossRecorder> g_recorder{nullptr};

}  // namespace

void SetDisplayLossRecorder(DisplayLossRecorder recorder) { g_recorder.store(recorder); }

void EndForLostDisplay(std::string_view displayName) {
  const std::string line = "the display connection was lost (" + std::string(displayName) + ")";
  if (DisplayLossRecorder recorder = g_recorder.load()) recorder(line);
  std::fprintf(stderr, "%s\n", line.c_str());
  ::_exit(1);
}

}  // namespace platform
