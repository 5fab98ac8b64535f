#pragma once
// One running player per user: a lock file in the per-user runtime folder,
// locked with a POSIX record lock, that holds the owner's process id. The
// lock belongs to the process: a child it forks (the box SDL shows from a
// forked process) gets no share of it, it goes with the process however the
// process ends, and the kernel names the process that holds it. Closing any
// descriptor of the file in the process drops the lock, so a process has one
// InstanceLock per file, and the file is written only through its descriptor.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process_handle.h"

namespace platform {

// Where the lock file may be made, in the order tried: "<name>.lock" in
// $XDG_RUNTIME_DIR when it is set, then in the temporary folder with the user
// id in the file name. A runtime folder that refuses the file (after su it
// names the first user's folder; a read-only mount; not a folder) leaves the
// lock to the next place, where every start of the same user finds it too.
std::vector<std::filesystem::path> InstanceLockPlaces(std::string_view utf8Name);

class InstanceLock {
 public:
  enum class Status { Acquired, HeldByOther, Failed };

  explicit InstanceLock(std::vector<std::filesystem::path> places);
  explicit InstanceLock(const std::filesystem::path& path)
      : InstanceLock(std::vector<std::filesystem::path>{path}) {}
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock without waiting and writes our process id into the file,
  // in the first place whose file can be opened. Failed: no place took the
  // file (Refusals() says why).
  Status TryAcquire();
  // Tries again until the lock is ours or the time has passed.
  bool AcquireWithin(unsigned milliseconds);
  // The lock is ours.
  bool Held() const { return held_; }
  // The process that the kernel names the lock's holder; 0 when the lock is
  // free or ours, or its holder has no process id here (it runs in another
  // pid namespace, or holds an open file description's lock).
  int HolderPid() const;
  // Each place tried and the system's reason it refused the lock file.
  const std::string& Refusals() const { return refusals_; }
  void Release();

 private:
  bool OpenFirstPlaceThatTakesTheFile();

  std::vector<std::filesystem::path> places_;
  std::filesystem::path opened_;
  int fd_ = -1;
  bool held_ = false;
  std::string refusals_;
};

// The process that holds the lock, opened while the kernel names it the
// holder and checked again once open (it may have ended in between and left
// its process id to another program); empty when it cannot be told.
ProcessHandle OpenLockHolder(const InstanceLock& lock);
// Sends the signal to the holder while the kernel still names it the lock's
// holder and it runs (false, with errno, when not sent; ESRCH when it is no
// longer the holder). What the lock file says is never taken for it.
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
