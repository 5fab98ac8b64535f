#pragma once
// SDL shows a desktop message box in a child that the asking process forks
// (its X11 box). Such a child holds the box's window and the process's
// standard output and error, and inherits the process's signal handlers
// (where a termination only notes a close request): left behind by a killed
// process it would stay on the screen for good, its answer going nowhere,
// and keep a launcher that reads the process's output waiting.

#include <cstdint>

namespace platform {

// Waits, `ms` at most, until this process runs no thread but the calling
// one. A fork copies only the forking thread: a lock that another thread
// holds at that moment stays held in the child for good (the
// AddressSanitizer build's allocator does not guard its locks across a fork,
// and a box's process that waits on one never shows).
void WaitUntilNoOtherThreadRuns(std::uint32_t ms);

// While one lives, a child this process forks ends when this process ends,
// however it ends (the kernel kills it), and takes every signal as a
// process that catches none does.
class ForkedChildrenEndWithThisProcess {
 public:
  ForkedChildrenEndWithThisProcess();
  ~ForkedChildrenEndWithThisProcess();
  ForkedChildrenEndWithThisProcess(const ForkedChildrenEndWithThisProcess&) = delete;
  ForkedChildrenEndWithThisProcess& operator=(const ForkedChildrenEndWithThisProcess&) = delete;
};

}  // namespace platform
