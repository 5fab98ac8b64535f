#pragma once
// Another process that holds the instance lock, as a first player would.

#include <sys/types.h>

#include <filesystem>

class LockHolder {
 public:
  explicit LockHolder(const std::filesystem::path& path);
  ~LockHolder();
  pid_t Pid() const { return pid_; }
  // True once the process has ended, waiting for it as WaitUntil does (it
  // is reaped then).
  bool Ended();
  // True while the process runs, without waiting.
  bool Running();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};
