#include "platform/sdl/box_process_watch.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <utility>

#include "platform/clock.h"
#include "platform/main_thread.h"

namespace platform::sdl {
namespace {

constexpr int kPollMs = 10;

// The processes the thread started that still run (empty where the kernel
// does not list them).
std::vector<pid_t> ChildrenOf(pid_t thread) {
  std::ifstream list("/proc/self/task/" + std::to_string(thread) + "/children");
  std::vector<pid_t> children;
  for (pid_t child = 0; list >> child;) children.push_back(child);
  return children;
}

}  // namespace

BoxProcessWatch::BoxProcessWatch(std::function<void()> whileTheBoxRuns)
    : m_thread(::gettid()),
      m_childrenBefore(ChildrenOf(m_thread)),
      m_whileTheBoxRuns(std::move(whileTheBoxRuns)),
      m_watcher([this] { Watch(); }) {
  while (!m_watching.load()) std::this_thread::yield();
}

BoxProcessWatch::~BoxProcessWatch() {
  m_done.store(true);
  m_watcher.join();
}

std::vector<pid_t> BoxProcessWatch::BoxProcesses() const {
  std::vector<pid_t> boxes = ChildrenOf(m_thread);
  std::erase_if(boxes, [&](pid_t child) {
    return std::find(m_childrenBefore.begin(), m_childrenBefore.end(), child) != m_childrenBefore.end();
  });
  return boxes;
}

void BoxProcessWatch::Watch() {
  m_watching.store(true);
  while (!m_done.load()) {
    // The box's process inherited the player's signal handlers: only
    // SIGKILL ends it. (One that was not started yet is ended in a later
    // pass.)
    const std::vector<pid_t> boxes = BoxProcesses();
    if (TerminationRaised()) {
      for (pid_t box : boxes) ::kill(box, SIGKILL);
    } else if (!boxes.empty() && m_whileTheBoxRuns) {
      // Only once the fork is done: what it does may take locks.
      m_whileTheBoxRuns();
    }
    SleepMs(kPollMs);
  }
}

}  // namespace platform::sdl
