#pragma once
// SDL shows its X11 and Wayland message boxes in a process of its own and
// waits for that process, deaf to signals. While such a box waits on the
// main thread, a watch ends the box's process when a termination signal
// arrives, so that the question ends (unanswered) and the player can close
// quietly. Until then, the watch can look after the box while it runs.
//
// SDL forks the box's process right after the watch starts, so the watch's
// thread is past its own start before the constructor returns: a starting
// thread allocates, and the AddressSanitizer build's allocator does not
// guard its locks across a fork; a fork while the thread held one would
// leave the child waiting on it for good, and no box would show.

#include <sys/types.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace platform::sdl {

class BoxProcessWatch {
 public:
  // On the thread that is about to show the box; `whileTheBoxRuns` is
  // called again and again from another thread once its process runs.
  explicit BoxProcessWatch(std::function<void()> whileTheBoxRuns = {});
  ~BoxProcessWatch();
  BoxProcessWatch(const BoxProcessWatch&) = delete;
  BoxProcessWatch& operator=(const BoxProcessWatch&) = delete;

 private:
  void Watch();
  std::vector<pid_t> BoxProcesses() const;

  pid_t m_thread;
  std::vector<pid_t> m_childrenBefore;
  std::function<void()> m_whileTheBoxRuns;
  std::atomic<bool> m_done{false};
  std::atomic<bool> m_watching{false};
  std::thread m_watcher;
};

}  // namespace platform::sdl
