#include "platform/process_handle.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {
namespace {

// The system calls as such: the C library's wrappers are not declared for
// C++ in every version that has them.
int PidfdOpen(int pid) { return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)); }
bool PidfdSendSignal(int pidfd, int signal) {
  return ::syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0) == 0;
}

// Whether pidfds serve, found once by trying both calls on this process (a
// signal 0 is checked, not sent): not known yet, they serve, or which call
// was refused with which error.
enum class Call { Open, SendSignal };
constexpr int kNotKnown = 0;
constexpr int kServe = 1;
constexpr int kFirstRefusal = 2;
int Refusal(Call call, int error) { return kFirstRefusal + (error << 1) + static_cast<int>(call); }
std::atomic<int> g_pidfds{kNotKnown};
static_assert(std::atomic<int>::is_always_lock_free, "a signal's handler reads it");

// A kernel without the call says ENOSYS; a sandbox's filter ENOSYS or
// EPERM (nothing else refuses this process's own pidfd).
bool Refused(int error) { return error == ENOSYS || error == EPERM; }

int TryPidfds() {
  const int self = PidfdOpen(::getpid());
  if (self < 0) return Refused(errno) ? Refusal(Call::Open, errno) : kServe;
  const bool sent = PidfdSendSignal(self, 0);
  const int error = errno;
  ::close(self);
  return !sent && Refused(error) ? Refusal(Call::SendSignal, error) : kServe;
}

int Pidfds() {
  int state = g_pidfds.load();
  if (state == kNotKnown) {
    state = TryPidfds();
    g_pidfds.store(state);
  }
  return state;
}

// "/proc/<pid>/stat", written without the allocator (a signal's handler
// reads it).
struct StatPath {
  explicit StatPath(int pid) {
    char digits[12];
    int count = 0;
    for (unsigned value = static_cast<unsigned>(pid); value > 0 || count == 0; value /= 10)
      digits[count++] = static_cast<char>('0' + value % 10);
    char* at = text;
    for (const char c : {'/', 'p', 'r', 'o', 'c', '/'}) *at++ = c;
    while (count > 0) *at++ = digits[--count];
    for (const char c : {'/', 's', 't', 'a', 't', '\0'}) *at++ = c;
  }
  char text[32];
};

// The start time of the process that `pid` names (field 22 of its stat
// line); nothing when none runs under it (a zombie does not run).
// Async-signal-safe.
std::optional<unsigned long long> RunningStartTime(int pid) {
  const int fd = ::open(StatPath(pid).text, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  char line[1024];
  const ssize_t length = ::read(fd, line, sizeof line - 1);
  ::close(fd);
  if (length <= 0) return std::nullopt;
  // "pid (name) state ...": the name may hold anything, the state follows
  // its last ')'.
  const char* nameEnd = nullptr;
  for (const char* at = line; at < line + length; ++at)
    if (*at == ')') nameEnd = at;
  line[length] = '\0';
  if (!nameEnd || nameEnd + 2 >= line + length) return std::nullopt;
  const char* at = nameEnd + 2;
  if (*at == 'Z' || *at == 'X' || *at == 'x') return std::nullopt;
  for (int field = 3; field < 22; ++field) {
    while (*at != ' ' && *at != '\0') ++at;
    if (*at++ == '\0') return std::nullopt;
  }
  if (*at < '0' || *at > '9') return std::nullopt;
  unsigned long long start = 0;
  for (; *at >= '0' && *at <= '9'; ++at) start = start * 10 + static_cast<unsigned>(*at - '0');
  return start;
}

}  // namespace

ProcessHandle::~ProcessHandle() {
  if (pidfd_ >= 0) ::close(pidfd_);
}

ProcessHandle::ProcessHandle(ProcessHandle&& other) noexcept
    : pid_(std::exchange(other.pid_, 0)),
      pidfd_(std::exchange(other.pidfd_, -1)),
      startTime_(std::exchange(other.startTime_, 0)) {}

ProcessHandle& ProcessHandle::operator=(ProcessHandle&& other) noexcept {
  // The handle held so far is closed with `taken`.
  ProcessHandle taken(std::move(other));
  std::swap(pid_, taken.pid_);
  std::swap(pidfd_, taken.pidfd_);
  std::swap(startTime_, taken.startTime_);
  return *this;
}

ProcessHandle ProcessHandle::Open(int pid) {
  ProcessHandle handle;
  if (pid <= 0) return handle;
  if (Pidfds() == kServe) {
    handle.pidfd_ = PidfdOpen(pid);
    if (handle.pidfd_ >= 0) handle.pid_ = pid;
  } else if (const std::optional<unsigned long long> start = RunningStartTime(pid)) {
    handle.pid_ = pid;
    handle.startTime_ = *start;
  }
  return handle;
}

bool ProcessHandle::Ended() const {
  if (Empty()) return true;
  if (pidfd_ >= 0) {
    pollfd ended{pidfd_, POLLIN, 0};
    return ::poll(&ended, 1, 0) == 1;
  }
  return RunningStartTime(pid_) != startTime_;
}

bool ProcessHandle::Signal(int signal) const {
  if (pidfd_ >= 0) return PidfdSendSignal(pidfd_, signal);
  // Checked just before: the process id names this process only while it
  // runs. (Between the look and the signal the process could end, and its
  // id be taken up, only in the moment between two system calls.)
  if (Ended()) {
    errno = ESRCH;
    return false;
  }
  return ::kill(pid_, signal) == 0;
}

std::optional<std::string> PidfdsMissing() {
  const int state = Pidfds();
  if (state == kServe) return std::nullopt;
  const int refusal = state - kFirstRefusal;
  const char* call = static_cast<Call>(refusal & 1) == Call::Open ? "pidfd_open" : "pidfd_send_signal";
  return std::string(call) + ": " + std::strerror(refusal >> 1);
}

}  // namespace platform
