#include "platform/second_start.h"

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/headless_window.h"
#include "platform/main_thread.h"
#include "platform/presenter.h"
#include "platform/sdl/step_aside.h"
#include "platform/window.h"

namespace platform {
namespace {

constexpr int kAsks = SIGUSR1;
constexpr int kDoneAsking = SIGUSR2;
// The answer to a start that asked: the running player has stepped aside
// (or had nothing to do). Some window managers lose a window mapped while
// another is being minimised, so the question waits for it.
constexpr int kSteppedAside = SIGUSR2;

// How long a player waits for the window manager to minimise its window
// before it answers all the same, and how long a start waits for the answer
// (a player that is slow, or hung) before it asks all the same.
constexpr std::uint32_t kMinimiseWaitMs = 1000;
constexpr std::uint32_t kAnswerWaitMs = 2000;
// A signal sent while the same one still waits to be taken is not sent
// twice: two starts that ask at one moment may reach the player as one
// request. A start not answered after the player's longest wait asks again.
constexpr std::uint32_t kAskAgainMs = kMinimiseWaitMs + 200;
// How long a start waits for its other threads to end before its question
// forks all the same (a thread that never ends only delays the question).
constexpr std::uint32_t kOtherThreadsEndWaitMs = 2000;

// Requests noted by the signal handlers, taken by the main thread's loop
// task; each slot holds one (0: free). Starts asking at once each take one.
constexpr std::size_t kRequestSlots = 16;
using RequestSlots = std::array<std::atomic<std::uint64_t>, kRequestSlots>;
// Asks (AskOf below) and done asking (the start's process id).
RequestSlots g_asks{};
RequestSlots g_doneAsking{};
// The start's side: the running player's answer came.
std::atomic<bool> g_steppedAside{false};
static_assert(std::atomic<std::uint64_t>::is_always_lock_free, "the signal handlers need lock-free values");

bool Note(RequestSlots& slots, std::uint64_t request) {
  for (std::atomic<std::uint64_t>& slot : slots) {
    std::uint64_t free = 0;
    if (slot.compare_exchange_strong(free, request)) return true;
  }
  return false;
}

// The system calls as such: the C library's wrappers are not declared for
// C++ in every version that has them.
int PidfdOpen(int pid) { return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)); }
bool PidfdSendSignal(int pidfd, int signal) {
  return ::syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0) == 0;
}

template <typename Take>
void TakeRequests(RequestSlots& slots, Take take) {
  for (std::atomic<std::uint64_t>& slot : slots)
    if (const std::uint64_t request = slot.exchange(0)) take(request);
}

// An ask's request: the start's process id and a pidfd of it.
std::uint64_t AskOf(int pid, int pidfd) {
  return std::uint64_t(std::uint32_t(pid)) << 32 | std::uint32_t(pidfd);
}
int PidOf(std::uint64_t ask) { return static_cast<int>(ask >> 32); }
int PidfdOf(std::uint64_t ask) { return static_cast<int>(ask & 0xffffffffu); }

void OnAsked(int, siginfo_t* info, void*) {
  const int savedErrno = errno;
  // Opened now, while the sender is known to be asking: once it ends, its
  // process id may come to name another program.
  const int pidfd = PidfdOpen(info->si_pid);
  if (pidfd >= 0 && !Note(g_asks, AskOf(info->si_pid, pidfd))) ::close(pidfd);
  errno = savedErrno;
}

void OnDoneAsking(int, siginfo_t* info, void*) { Note(g_doneAsking, std::uint32_t(info->si_pid)); }

void OnSteppedAside(int, siginfo_t*, void*) { g_steppedAside.store(true); }

// Whether the process has a handler of its own for the signal.
bool Catches(int pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("SigCgt:", 0) != 0) continue;
    const unsigned long long caught = std::stoull(line.substr(7), nullptr, 16);
    return (caught >> (signal - 1)) & 1;
  }
  return false;
}

// The process has ended (a zombie not yet reaped has, too). A look that a
// signal cut short says no: the next pass looks again.
bool Ended(int pidfd) {
  pollfd ended{pidfd, POLLIN, 0};
  return ::poll(&ended, 1, 0) == 1;
}

// The signal goes to the process of the pidfd (`pid` names it in /proc)
// when that process catches it and still runs: read by its process id, the
// handlers are its own only while it has not ended.
bool SendIfCaught(int pid, int pidfd, int signal) {
  if (pid == ::getpid() || !Catches(pid, signal) || Ended(pidfd)) return false;
  return PidfdSendSignal(pidfd, signal);
}

// The running player's own state (main thread).
struct Asker {
  int pid;
  int pidfd;
  std::uint32_t askedMs;
  bool answered;
};
struct StepAside {
  bool aside = false;
  std::vector<Asker> askers;
};
StepAside g_stepAside;

bool FullScreenWindowShown() {
  return MainWindowShown() && !MainWindowMinimised() && GetPresenter().Settings().fullScreen;
}

void SetAside(bool aside) {
  g_stepAside.aside = aside;
  if (CurrentBackend() == Backend::Headless) {
    SetHeadlessWindowState(MainWindowMaximised(), aside);
    return;
  }
  if (aside)
    sdl::StepMainWindowAside();
  else
    sdl::BringMainWindowBack();
}

// A start that asks again (its first request may have merged with
// another's) is the one already noted.
void AddAsker(std::uint64_t ask) {
  const int pid = PidOf(ask);
  const int pidfd = PidfdOf(ask);
  std::vector<Asker>& askers = g_stepAside.askers;
  if (std::any_of(askers.begin(), askers.end(), [&](const Asker& asker) { return asker.pid == pid; })) {
    ::close(pidfd);
    return;
  }
  askers.push_back({pid, pidfd, NowMs(), false});
  if (!g_stepAside.aside && FullScreenWindowShown()) SetAside(true);
}

template <typename Done>
void ForgetAskers(Done done) {
  std::erase_if(g_stepAside.askers, [&](const Asker& asker) {
    if (!done(asker)) return false;
    ::close(asker.pidfd);
    return true;
  });
}

// Answers each start that asked once the window is minimised (at once when
// there was nothing to do).
void AnswerWhenAside() {
  const bool minimising = g_stepAside.aside && !MainWindowMinimised();
  for (Asker& asker : g_stepAside.askers) {
    if (asker.answered || (minimising && NowMs() - asker.askedMs < kMinimiseWaitMs)) continue;
    asker.answered = true;
    SendIfCaught(asker.pid, asker.pidfd, kSteppedAside);
  }
}

void ServeSecondStartRequests() {
  TakeRequests(g_asks, AddAsker);
  // A start is done asking when it says so, or once it has ended.
  TakeRequests(g_doneAsking, [](std::uint64_t donePid) {
    ForgetAskers([&](const Asker& asker) { return std::uint64_t(std::uint32_t(asker.pid)) == donePid; });
  });
  ForgetAskers([](const Asker& asker) { return Ended(asker.pidfd); });
  AnswerWhenAside();
  if (g_stepAside.aside && g_stepAside.askers.empty()) SetAside(false);
}

void Catch(int signal, void (*handler)(int, siginfo_t*, void*)) {
  struct sigaction action {};
  action.sa_sigaction = handler;
  // Whatever a thread of the player was waiting for goes on waiting.
  action.sa_flags = SA_SIGINFO | SA_RESTART;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
}

// The start's side: the holder of the lock, opened while the lock file names
// it and checked again once open (it may have ended in between and left its
// process id to another program); -1 when it cannot be asked.
int OpenHolder(const InstanceLock& lock, int pid) {
  if (pid <= 0 || pid == ::getpid()) return -1;
  const int pidfd = PidfdOpen(pid);
  if (pidfd < 0) return -1;
  if (lock.OwnerPid() == pid && Catches(pid, kAsks) && Catches(pid, kDoneAsking) && !Ended(pidfd))
    return pidfd;
  ::close(pidfd);
  return -1;
}

// Asks, and waits for the answer, or a while.
bool AskAndWaitUntilSteppedAside(int pid, int pidfd) {
  const std::uint32_t start = NowMs();
  std::uint32_t askedMs = start;
  if (!SendIfCaught(pid, pidfd, kAsks)) return false;
  while (!g_steppedAside.load() && !TerminationRaised() && NowMs() - start < kAnswerWaitMs) {
    if (NowMs() - askedMs >= kAskAgainMs) {
      askedMs = NowMs();
      SendIfCaught(pid, pidfd, kAsks);
    }
    SleepMs(1);
  }
  return true;
}

}  // namespace

void TakeSecondStartRequests() {
  ForgetAskers([](const Asker&) { return true; });
  g_stepAside = StepAside{};
  TakeRequests(g_asks, [](std::uint64_t ask) { ::close(PidfdOf(ask)); });
  TakeRequests(g_doneAsking, [](std::uint64_t) {});
  Catch(kAsks, OnAsked);
  Catch(kDoneAsking, OnDoneAsking);
  static std::once_flag taskAdded;
  std::call_once(taskAdded, [] { AddMainLoopTask(ServeSecondStartRequests); });
}

RunningPlayerStepsAside::RunningPlayerStepsAside(const InstanceLock& lock)
    : lock_(lock), holderPid_(lock.OwnerPid()), holder_(-1) {
  // A question that no one sees (it goes to stderr) needs no room.
  if (VideoDriverShowsNothing()) return;
  g_steppedAside.store(false);
  // Caught from now on: an answer that comes late must not end this start.
  Catch(kSteppedAside, OnSteppedAside);
  holder_ = OpenHolder(lock, holderPid_);
  if (holder_ >= 0 && !AskAndWaitUntilSteppedAside(holderPid_, holder_)) {
    ::close(holder_);
    holder_ = -1;
  }
  // The question's process is forked: the threads this start runs beside it
  // (the report's font line) are let end first.
  WaitUntilNoOtherThreadRuns(kOtherThreadsEndWaitMs);
}

RunningPlayerStepsAside::~RunningPlayerStepsAside() {
  if (holder_ < 0) return;
  if (!lock_.Held()) SendIfCaught(holderPid_, holder_, kDoneAsking);
  ::close(holder_);
}

}  // namespace platform
