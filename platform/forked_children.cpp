#include "platform/forked_children.h"

#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>

#include "platform/clock.h"

namespace platform {
namespace {

// How many live objects ask for it.
std::atomic<int> g_wanted{0};
// The process that forks, noted just before: the child's parent while it runs.
std::atomic<pid_t> g_forkingProcess{0};
static_assert(std::atomic<pid_t>::is_always_lock_free, "the forked child reads it without a lock");

void BeforeFork() { g_forkingProcess.store(::getpid()); }

// In the child, before it runs on: async-signal-safe calls only, and nothing
// that allocates (another thread of the parent may have held the allocator's
// lock at the fork, which the child then never sees released).
void InForkedChild() {
  if (g_wanted.load() == 0) return;
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  for (int signal = 1; signal < NSIG; ++signal) {
    struct sigaction action {};
    if (::sigaction(signal, nullptr, &action) != 0) continue;
    const bool caught =
        (action.sa_flags & SA_SIGINFO) || (action.sa_handler != SIG_DFL && action.sa_handler != SIG_IGN);
    if (!caught) continue;
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(signal, &byDefault, nullptr);
  }
  // A parent that ended before the death signal was asked for sends none:
  // the child has been handed to another process by then.
  if (::getppid() != g_forkingProcess.load()) ::_exit(1);
}

int ThreadsRunning() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("Threads:", 0) == 0) return std::atoi(line.c_str() + 8);
  return 0;
}

}  // namespace

void WaitUntilNoOtherThreadRuns(std::uint32_t ms) {
  const std::uint32_t start = NowMs();
  while (ThreadsRunning() > 1 && NowMs() - start < ms) SleepMs(5);
}

ForkedChildrenEndWithThisProcess::ForkedChildrenEndWithThisProcess() {
  static std::once_flag handlersAdded;
  std::call_once(handlersAdded, [] { ::pthread_atfork(BeforeFork, nullptr, InForkedChild); });
  g_wanted.fetch_add(1);
}

ForkedChildrenEndWithThisProcess::~ForkedChildrenEndWithThisProcess() { g_wanted.fetch_sub(1); }

}  // namespace platform
