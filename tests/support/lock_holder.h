#pragma once
// Another process that holds the instance lock, as a first player would.

#include <sys/types.h>

#include <filesystem>
#include <string>

class LockHolder {
 public:
  // What the holder does with a second start's requests (SIGUSR1: step
  // aside, SIGUSR2: come back): a program that knows nothing of them is
  // ended by them; a player notes them, and answers a request to step aside
  // 300 ms later (SIGUSR2 to the asker), as a window manager takes a moment
  // to minimise its window.
  enum class Requests { EndIt, Noted };
  // How the holder is known: by its process id, as the kernel names the
  // holder of a player's record lock; or not at all, as a holder in another
  // pid namespace (here: an open file description's lock, whose holder the
  // kernel names no process).
  enum class Known { ByProcessId, NotAtAll };

  explicit LockHolder(const std::filesystem::path& path, Requests requests = Requests::EndIt,
                      Known known = Known::ByProcessId);
  ~LockHolder();
  pid_t Pid() const { return pid_; }
  // True once the process has ended, waiting for it as WaitUntil does (it
  // is reaped then).
  bool Ended();
  // True while the process runs, without waiting.
  bool Running();
  // The signal that ended the process (once Ended), 0 when none did.
  int EndingSignal() const { return endingSignal_; }
  // Requests::Noted: the requests so far, in order ("1" step aside, "A" its
  // answer sent, "2" come back).
  std::string NotedRequests();

 private:
  bool Reaped(int options);

  pid_t pid_ = -1;
  bool reaped_ = false;
  int endingSignal_ = 0;
  int notes_ = -1;
  std::string noted_;
};

// Whether another process could take the lock on the file now (it takes it
// and lets it go at once). The lock belongs to a process, so this process's
// own is seen only so.
bool LockFreeToAnotherProcess(const std::filesystem::path& path);
