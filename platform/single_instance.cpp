#include "platform/single_instance.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/clock.h"
#include "platform/main_thread.h"

namespace platform {

std::filesystem::path InstanceLockPath(std::string_view utf8Name) {
  std::string file(utf8Name);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime && std::filesystem::is_directory(runtime))
    return std::filesystem::path(runtime) / (file + ".lock");
  return std::filesystem::temp_directory_path() / (file + "-" + std::to_string(::getuid()) + ".lock");
}

InstanceLock::InstanceLock(std::filesystem::path path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() { Release(); }

InstanceLock::Status InstanceLock::TryAcquire() {
  if (fd_ >= 0) return Status::Acquired;
  int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return Status::Failed;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    Status status = errno == EWOULDBLOCK ? Status::HeldByOther : Status::Failed;
    ::close(fd);
    return status;
  }
  std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) != 0 ||
      ::pwrite(fd, pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
    ::close(fd);
    return Status::Failed;
  }
  fd_ = fd;
  return Status::Acquired;
}

bool InstanceLock::AcquireWithin(unsigned milliseconds) {
  std::uint32_t start = NowMs();
  while (true) {
    if (TryAcquire() == Status::Acquired) return true;
    if (NowMs() - start >= milliseconds) return false;
    SleepMs(5);
  }
}

int InstanceLock::OwnerPid() const {
  int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  char text[32] = {};
  ssize_t length = ::read(fd, text, sizeof text - 1);
  ::close(fd);
  if (length <= 0) return 0;
  long pid = std::strtol(text, nullptr, 10);
  return pid > 0 && pid < (1L << 30) ? static_cast<int>(pid) : 0;
}

void InstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the descriptor releases the flock
  fd_ = -1;
}

ProcessHandle OpenLockHolder(const InstanceLock& lock) {
  const int pid = lock.OwnerPid();
  if (pid <= 0 || pid == ::getpid()) return {};
  ProcessHandle holder = ProcessHandle::Open(pid);
  if (lock.OwnerPid() != pid || holder.Ended()) return {};
  return holder;
}

bool SignalLockHolder(const InstanceLock& lock, const ProcessHandle& holder, int signal) {
  if (holder.Empty() || lock.OwnerPid() != holder.Pid()) {
    errno = ESRCH;
    return false;
  }
  return holder.Signal(signal);
}

EndResult EndLockHolder(InstanceLock& lock, const ProcessHandle& holder, unsigned graceMs) {
  if (lock.TryAcquire() == InstanceLock::Status::Acquired) return EndResult::Ended;
  if (!SignalLockHolder(lock, holder, SIGTERM))
    return errno == EPERM ? EndResult::NotPermitted : EndResult::Gone;
  if (lock.AcquireWithin(graceMs)) return EndResult::Ended;
  if (!SignalLockHolder(lock, holder, SIGKILL) && errno == EPERM) return EndResult::NotPermitted;
  return lock.AcquireWithin(graceMs) ? EndResult::Ended : EndResult::Gone;
}

namespace {
void OnTerminationSignal(int) { NoteTerminationSignal(); }
}  // namespace

void TakeTerminationAsCloseRequest() {
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  // SIGTERM (kill, a session's end), SIGHUP (the terminal the player was
  // started from was closed) and SIGINT (Ctrl+C there). A terminal's signal
  // that the player was started ignoring (nohup ignores SIGHUP, a script's
  // background job SIGINT) stays ignored.
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    struct sigaction inherited {};
    if (signal != SIGTERM && ::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN)
      continue;
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace platform
