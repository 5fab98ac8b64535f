#include "platform/second_start.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/forked_children.h"
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
// task; each slot holds one. Starts asking at once each take one.
constexpr std::size_t kRequestSlots = 16;
// Asks: the start that asked, opened as its request came.
struct AskSlot {
  enum State { kFree, kFilling, kNoted };
  std::atomic<int> state{kFree};
  ProcessHandle asker;
};
std::array<AskSlot, kRequestSlots> g_asks;
// Done asking: the start's process id (0: free).
std::array<std::atomic<int>, kRequestSlots> g_doneAsking{};
// The start's side: the running player's answer came.
std::atomic<bool> g_steppedAside{false};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handlers need lock-free values");

// Async-signal-safe; an asker left without a slot is dropped (closed).
void NoteAsk(ProcessHandle asker) {
  for (AskSlot& slot : g_asks) {
    int free = AskSlot::kFree;
    if (!slot.state.compare_exchange_strong(free, AskSlot::kFilling)) continue;
    slot.asker = std::move(asker);
    slot.state.store(AskSlot::kNoted);
    return;
  }
}

template <typename Take>
void TakeAsks(Take take) {
  for (AskSlot& slot : g_asks) {
    if (slot.state.load() != AskSlot::kNoted) continue;
    ProcessHandle asker = std::move(slot.asker);
    slot.state.store(AskSlot::kFree);
    take(std::move(asker));
  }
}

void NoteDoneAsking(int pid) {
  for (std::atomic<int>& slot : g_doneAsking) {
    int free = 0;
    if (slot.compare_exchange_strong(free, pid)) return;
  }
}

template <typename Take>
void TakeDoneAsking(Take take) {
  for (std::atomic<int>& slot : g_doneAsking)
    if (const int pid = slot.exchange(0)) take(pid);
}

void OnAsked(int, siginfo_t* info, void*) {
  const int savedErrno = errno;
  // Opened now, while the sender is known to be asking: once it ends, its
  // process id may come to name another program.
  ProcessHandle asker = ProcessHandle::Open(info->si_pid);
  if (!asker.Empty()) NoteAsk(std::move(asker));
  errno = savedErrno;
}

void OnDoneAsking(int, siginfo_t* info, void*) { NoteDoneAsking(info->si_pid); }

void OnSteppedAside(int, siginfo_t*, void*) { g_steppedAside.store(true); }

// Whether the process has a handler of its own for the signal: read by its
// process id, the handlers are its own only while it has not ended.
bool Catches(const ProcessHandle& process, int signal) {
  std::ifstream status("/proc/" + std::to_string(process.Pid()) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("SigCgt:", 0) != 0) continue;
    const unsigned long long caught = std::stoull(line.substr(7), nullptr, 16);
    return ((caught >> (signal - 1)) & 1) && !process.Ended();
  }
  return false;
}

// The running player's own state (main thread).
struct Asker {
  ProcessHandle start;
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
void AddAsker(ProcessHandle start) {
  std::vector<Asker>& askers = g_stepAside.askers;
  if (std::any_of(askers.begin(), askers.end(),
                  [&](const Asker& asker) { return asker.start.Pid() == start.Pid(); }))
    return;
  askers.push_back({std::move(start), NowMs(), false});
  if (!g_stepAside.aside && FullScreenWindowShown()) SetAside(true);
}

// Answers each start that asked once the window is minimised (at once when
// there was nothing to do).
void AnswerWhenAside() {
  const bool minimising = g_stepAside.aside && !MainWindowMinimised();
  for (Asker& asker : g_stepAside.askers) {
    if (asker.answered || (minimising && NowMs() - asker.askedMs < kMinimiseWaitMs)) continue;
    asker.answered = true;
    if (asker.start.Pid() != ::getpid() && Catches(asker.start, kSteppedAside))
      asker.start.Signal(kSteppedAside);
  }
}

void ServeSecondStartRequests() {
  TakeAsks(AddAsker);
  // A start is done asking when it says so, or once it has ended.
  TakeDoneAsking([](int donePid) {
    std::erase_if(g_stepAside.askers, [&](const Asker& asker) { return asker.start.Pid() == donePid; });
  });
  std::erase_if(g_stepAside.askers, [](const Asker& asker) { return asker.start.Ended(); });
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

// The start's side: a request goes to the holder when it catches it (and
// still holds the lock).
bool SendToHolderIfCaught(const InstanceLock& lock, const ProcessHandle& holder, int signal) {
  return Catches(holder, signal) && SignalLockHolder(lock, holder, signal);
}

// Asks, and waits for the answer, or a while.
bool AskAndWaitUntilSteppedAside(const InstanceLock& lock, const ProcessHandle& holder) {
  if (!Catches(holder, kDoneAsking) || !SendToHolderIfCaught(lock, holder, kAsks)) return false;
  const std::uint32_t start = NowMs();
  std::uint32_t askedMs = start;
  while (!g_steppedAside.load() && !TerminationRaised() && NowMs() - start < kAnswerWaitMs) {
    if (NowMs() - askedMs >= kAskAgainMs) {
      askedMs = NowMs();
      SendToHolderIfCaught(lock, holder, kAsks);
    }
    SleepMs(1);
  }
  return true;
}

}  // namespace

void TakeSecondStartRequests() {
  g_stepAside = StepAside{};
  TakeAsks([](ProcessHandle) {});
  TakeDoneAsking([](int) {});
  Catch(kAsks, OnAsked);
  Catch(kDoneAsking, OnDoneAsking);
  static std::once_flag taskAdded;
  std::call_once(taskAdded, [] { AddMainLoopTask(ServeSecondStartRequests); });
}

RunningPlayerStepsAside::RunningPlayerStepsAside(const InstanceLock& lock, const ProcessHandle& holder)
    : lock_(lock), holder_(holder) {
  // A question that no one sees (it goes to stderr) needs no room.
  if (VideoDriverShowsNothing()) return;
  g_steppedAside.store(false);
  // Caught from now on: an answer that comes late must not end this start.
  Catch(kSteppedAside, OnSteppedAside);
  asked_ = AskAndWaitUntilSteppedAside(lock, holder);
  // The question's process is forked: the threads this start runs beside it
  // (the report's font line) are let end first.
  WaitUntilNoOtherThreadRuns(kOtherThreadsEndWaitMs);
}

RunningPlayerStepsAside::~RunningPlayerStepsAside() {
  if (asked_ && !lock_.Held()) SendToHolderIfCaught(lock_, holder_, kDoneAsking);
}

}  // namespace platform
