#include "tests/support/lock_holder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "tests/support/wait_until.h"

LockHolder::LockHolder(const std::filesystem::path& path) {
  int ready[2];
  if (::pipe(ready) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    // Only async-signal-safe calls after fork: take the lock, write the pid,
    // tell the parent and wait for a signal, which ends it (a handler that
    // the test process installed is not wanted here).
    ::signal(SIGTERM, SIG_DFL);
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
    char text[16];
    int length = 0;
    for (pid_t value = ::getpid(); value > 0; value /= 10)
      text[length++] = static_cast<char>('0' + value % 10);
    for (int i = 0; i < length / 2; ++i) std::swap(text[i], text[length - 1 - i]);
    text[length++] = '\n';
    if (::ftruncate(fd, 0) != 0 || ::write(fd, text, static_cast<std::size_t>(length)) != length) ::_exit(1);
    ::write(ready[1], "x", 1);
    while (true) ::pause();
  }
  char byte;
  ::close(ready[1]);
  if (::read(ready[0], &byte, 1) != 1) pid_ = -1;
  ::close(ready[0]);
}

LockHolder::~LockHolder() {
  if (pid_ > 0 && !reaped_) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

bool LockHolder::Ended() {
  if (pid_ <= 0 || reaped_) return reaped_;
  reaped_ = WaitUntil([this] { return ::waitpid(pid_, nullptr, WNOHANG) == pid_; });
  return reaped_;
}

bool LockHolder::Running() {
  if (pid_ <= 0 || reaped_) return false;
  if (::waitpid(pid_, nullptr, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}
