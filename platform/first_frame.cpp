#include "platform/first_frame.h"

#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/main_thread.h"

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

void RunOnceShown(std::function<void()> work) {
  // Main thread only, as the loop task that runs them.
  static std::vector<std::function<void()>> waiting;
  if (!FirstFramePending()) {
    work();
    return;
  }
  static const bool taskAdded = [] {
    AddMainLoopTask([] {
      if (waiting.empty() || FirstFramePending()) return;
      for (const std::function<void()>& ready : std::exchange(waiting, {})) ready();
    });
    return true;
  }();
  (void)taskAdded;
  waiting.push_back(std::move(work));
}

void AwaitFirstFrame() {
  std::unique_lock lock(g_mutex);
  g_done.wait_for(lock, kFirstFrameWaitLimit, [] { return !g_expected; });
}

}  // namespace platform
