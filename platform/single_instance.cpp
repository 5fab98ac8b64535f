#include "platform/single_instance.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/clock.h"
#include "platform/main_thread.h"

namespace platform {

std::vector<std::filesystem::path> InstanceLockPlaces(std::string_view utf8Name) {
  const std::string file(utf8Name);
  std::vector<std::filesystem::path> places;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) places.push_back(std::filesystem::path(runtime) / (file + ".lock"));
  std::error_code noTemporaryFolder;
  const std::filesystem::path temporary = std::filesystem::temp_directory_path(noTemporaryFolder);
  if (!noTemporaryFolder) places.push_back(temporary / (file + "-" + std::to_string(::getuid()) + ".lock"));
  return places;
}

namespace {

// A write lock on the whole file.
struct flock WholeFile() {
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  whole.l_start = 0;
  whole.l_len = 0;
  return whole;
}

}  // namespace

InstanceLock::InstanceLock(std::vector<std::filesystem::path> places) : places_(std::move(places)) {}

InstanceLock::~InstanceLock() { Release(); }

bool InstanceLock::OpenFirstPlaceThatTakesTheFile() {
  refusals_.clear();
  for (const std::filesystem::path& place : places_) {
    fd_ = ::open(place.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ >= 0) {
      opened_ = place;
      return true;
    }
    const int refusal = errno;
    refusals_ += (refusals_.empty() ? "\"" : "; \"") + place.string() + "\": " + std::strerror(refusal);
  }
  return false;
}

InstanceLock::Status InstanceLock::TryAcquire() {
  if (held_) return Status::Acquired;
  if (fd_ < 0 && !OpenFirstPlaceThatTakesTheFile()) return Status::Failed;
  struct flock whole = WholeFile();
  if (::fcntl(fd_, F_SETLK, &whole) != 0) {
    const int refusal = errno;
    if (refusal == EAGAIN || refusal == EACCES) return Status::HeldByOther;
    refusals_ = "\"" + opened_.string() + "\" cannot be locked: " + std::strerror(refusal);
    Release();
    return Status::Failed;
  }
  held_ = true;
  std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd_, 0) != 0 ||
      ::pwrite(fd_, pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
    const int refusal = errno;
    refusals_ = "\"" + opened_.string() + "\" cannot be written: " + std::strerror(refusal);
    Release();
    return Status::Failed;
  }
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

int InstanceLock::HolderPid() const {
  if (fd_ < 0) return 0;
  struct flock holder = WholeFile();
  if (::fcntl(fd_, F_GETLK, &holder) != 0 || holder.l_type == F_UNLCK) return 0;
  return holder.l_pid > 0 ? holder.l_pid : 0;
}

void InstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the descriptor releases the lock
  fd_ = -1;
  held_ = false;
}

ProcessHandle OpenLockHolder(const InstanceLock& lock) {
  const int pid = lock.HolderPid();
  if (pid <= 0) return {};
  ProcessHandle holder = ProcessHandle::Open(pid);
  if (lock.HolderPid() != pid || holder.Ended()) return {};
  return holder;
}

bool SignalLockHolder(const InstanceLock& lock, const ProcessHandle& holder, int signal) {
  if (holder.Empty() || lock.HolderPid() != holder.Pid()) {
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
