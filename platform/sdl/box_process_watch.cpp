#include "platform/sdl/box_process_watch.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>

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

BoxProcessWatch::BoxProcessWatch()
    : m_thread(::gettid()), m_childrenBefore(ChildrenOf(m_thread)), m_watcher([this] { Watch(); }) {
  while (!m_watching.load()) std::this_thread::yield();
}

BoxProcessWatch::~BoxProcessWatch() {
  m_done.store(true);
  m_watcher.join();
}

void BoxProcessWatch::Watch() {
  m_watching.store(true);
  while (!m_done.load()) {
    // The box's process inherited the player's signal handlers: only
    // SIGKILL ends it. (One that was not started yet is ended in a later
    // pass.)
    if (TerminationRaised()) {
      for (pid_t child : ChildrenOf(m_thread))
        if (std::find(m_childrenBefore.begin(), m_childrenBefore.end(), child) == m_childrenBefore.end())
          ::kill(child, SIGKILL);
    }
    SleepMs(kPollMs);
  }
}

}  // namespace platform::sdl
