#include "platform/first_frame.h"

#include <condition_variable>
#include <mutex>

namespace platform {
namespace {

std::mutex g_mutex;
std::condition_variable g_done;
bool g_expected = false;

}  // namespace

void ExpectFirstFrame() {
  std::lock_guard lock(g_mutex);
  g_expected = true;
}

void FirstFrameDone() {
  {
    std::lock_guard lock(g_mutex);
    if (!g_expected) return;
    g_expected = false;
  }
  g_done.notify_all();
}

bool FirstFramePending() {
  std::lock_guard lock(g_mutex);
  return g_expected;
}

void AwaitFirstFrame() {
  std::unique_lock lock(g_mutex);
  g_done.wait_for(lock, kFirstFrameWaitLimit, [] { return !g_expected; });
}

}  // namespace platform
