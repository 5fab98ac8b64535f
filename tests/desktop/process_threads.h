#pragma once
// A program's threads as the kernel shows them, and a processor kept busy
// under them: how a test sees which threads a process ends with and at what
// priority, on a machine where the lowest priority gets almost nothing, and
// what it tells when the program did not do in time what it waited for
// (where each thread was waiting).

#include <sys/types.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace desktop_test {

struct ProcessThread {
  pid_t id = 0;
  std::string name;
  char state = '?';  // R, S, D, Z, ... as in /proc
  int nice = 0;
  // The kernel function the thread sleeps in ("0" while it runs).
  std::string waitChannel;
};

// The process's threads now, its main thread (id == pid) among them while
// it is there; empty once the process is gone.
std::vector<ProcessThread> ThreadsOf(pid_t pid);

// One line for each thread: its id, name, state, nice value and wait.
std::string DescribeThreads(pid_t pid);

// Binds each of the process's threads to one processor; the threads they
// start are bound with them. False when a thread could not be bound.
bool BindThreadsTo(pid_t pid, int processor);

// The last processor this process may run on.
int LastOwnProcessor();

// A thread of the test's own spinning on one processor while it lives.
class BusyProcessor {
 public:
  explicit BusyProcessor(int processor);
  ~BusyProcessor();
  BusyProcessor(const BusyProcessor&) = delete;
  BusyProcessor& operator=(const BusyProcessor&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::thread spinner_;
};

}  // namespace desktop_test
