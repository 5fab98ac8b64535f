#pragma once
// One running player per user: an flock'ed lock file in the per-user runtime
// folder that holds the owner's process id. The lock goes with the process,
// so a crashed or killed owner never leaves it behind.

#include <filesystem>
#include <string_view>

#include "platform/process_handle.h"

namespace platform {

// "<runtime folder>/<name>.lock": $XDG_RUNTIME_DIR, else the temporary
// folder with the user id in the file name.
std::filesystem::path InstanceLockPath(std::string_view utf8Name);

class InstanceLock {
 public:
  enum class Status { Acquired, HeldByOther, Failed };

  explicit InstanceLock(std::filesystem::path path);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock without waiting and writes our process id into the file.
  Status TryAcquire();
  // Tries again until the lock is ours or the time has passed.
  bool AcquireWithin(unsigned milliseconds);
  // The lock is ours.
  bool Held() const { return fd_ >= 0; }
  // The process id written by the holder; 0 when unknown.
  int OwnerPid() const;
  void Release();

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

// The process that holds the lock, opened while the lock file names it and
// checked again once open (it may have ended in between and left its
// process id to another program); empty when it cannot be told.
ProcessHandle OpenLockHolder(const InstanceLock& lock);
// Sends the signal to the holder while the lock file still names it and it
// runs (false, with errno, when not sent; ESRCH when it is no longer the
// holder).
bool SignalLockHolder(const InstanceLock& lock, const ProcessHandle& holder, int signal);

enum class EndResult { Ended, NotPermitted, Gone };
// Takes the lock, ending its holder first when it still holds it: SIGTERM
// (which the player takes as a quiet close), and SIGKILL when the lock is
// still held after graceMs. A lock that is free is taken at once. Only the
// holder opened while it held the lock is ended, never a process that took
// up its process id (nor another player that holds the lock by now). On
// Ended the lock is `lock`'s.
EndResult EndLockHolder(InstanceLock& lock, const ProcessHandle& holder, unsigned graceMs = 500);

// From now on SIGTERM, SIGHUP and SIGINT raise a termination close request
// instead of ending the process at once.
void TakeTerminationAsCloseRequest();

}  // namespace platform
