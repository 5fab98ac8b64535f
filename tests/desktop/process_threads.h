#pragma once
// The threads of a running program as the system shows them: what a test
// asserts about their priorities, and what it tells when the program did
// not do in time what it waited for (where each thread was waiting).

#include <sys/types.h>

#include <string>
#include <vector>

namespace desktop_test {

struct ThreadState {
  pid_t id = 0;
  std::string name;
  // The scheduler's letter: R running, S sleeping, D in an uninterruptible wait...
  char state = '?';
  int nice = 0;
  // The kernel function the thread sleeps in ("0" while it runs).
  std::string waitChannel;
};

// Empty once the program has ended.
std::vector<ThreadState> ThreadsOf(pid_t pid);

// One line for each thread: its id, name, state, nice value and wait.
std::string DescribeThreads(pid_t pid);

}  // namespace desktop_test
