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

  explicit LockHolder(const std::filesystem::path& path, Requests requests = Requests::EndIt);
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
