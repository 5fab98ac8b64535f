#pragma once
// A process held by more than its process id, which the system hands to
// another program once the process has ended: a pidfd, or where there are
// none (pidfd_open came with Linux 5.3, pidfd_send_signal with 5.1; a
// sandbox may refuse them), the process id with the process's start time,
// read from /proc and checked again just before each use.

#include <optional>
#include <string>

namespace platform {

class ProcessHandle {
 public:
  ProcessHandle() = default;
  ~ProcessHandle();
  ProcessHandle(ProcessHandle&& other) noexcept;
  ProcessHandle& operator=(ProcessHandle&& other) noexcept;
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;

  // The process that `pid` names now; empty when none runs under it.
  // Async-signal-safe (a signal's handler opens the sender).
  static ProcessHandle Open(int pid);

  bool Empty() const { return pid_ <= 0; }
  int Pid() const { return pid_; }
  // The process has ended (a zombie not yet reaped has, too); an empty
  // handle's has. A look that a signal cut short says no.
  bool Ended() const;
  // Sends the signal while the process runs. False when it was not sent:
  // errno is EPERM when that was not permitted, ESRCH when the process has
  // ended.
  bool Signal(int signal) const;

 private:
  int pid_ = 0;
  int pidfd_ = -1;
  // Without a pidfd: the process's start time, in clock ticks since boot.
  unsigned long long startTime_ = 0;
};

// Empty where pidfds serve; else why they do not, for the report
// ("pidfd_open: Function not implemented"). Handles are pidfds exactly when
// this is empty.
std::optional<std::string> PidfdsMissing();

}  // namespace platform
