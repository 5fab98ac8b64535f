#include "platform/second_start.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>

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
// The answer to the start that asked: the running player has stepped aside
// (or had nothing to do). Some window managers lose a window mapped while
// another is being minimised, so the question waits for it.
constexpr int kSteppedAside = SIGUSR2;

// How often a player that stepped aside looks whether the start that asked
// still runs.
constexpr std::uint32_t kAskerLookMs = 200;
// How long a player waits for the window manager to minimise its window
// before it answers all the same, and how long a start waits for the answer
// (a player that is slow, or hung) before it asks all the same.
constexpr std::uint32_t kMinimiseWaitMs = 1000;
constexpr std::uint32_t kAnswerWaitMs = 2000;

// Noted by the signal handlers, taken by the main thread's loop task.
std::atomic<bool> g_asked{false};
std::atomic<bool> g_doneAsking{false};
std::atomic<int> g_askerPid{0};
// The start's side: the running player's answer came.
std::atomic<bool> g_steppedAside{false};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handlers need lock-free values");

// The main thread's own state.
struct StepAside {
  bool aside = false;
  int askerPid = 0;
  std::uint32_t lastLookMs = 0;
  // Asked, not yet answered; since when.
  bool answerDue = false;
  std::uint32_t askedMs = 0;
};
StepAside g_stepAside;

void OnAsked(int, siginfo_t* info, void*) {
  g_askerPid.store(info->si_pid);
  g_asked.store(true);
}

void OnDoneAsking(int, siginfo_t*, void*) { g_doneAsking.store(true); }

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

bool SendIfCaught(int pid, int signal) {
  if (pid <= 0 || pid == ::getpid() || !Catches(pid, signal)) return false;
  return ::kill(pid, signal) == 0;
}

// A process that ended but was not yet reaped no longer runs either.
bool ProcessRuns(int pid) {
  if (::kill(pid, 0) != 0 && errno != EPERM) return false;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // "pid (name) state ...": the name may hold anything, the state follows its last ')'.
  const std::size_t nameEnd = text.rfind(')');
  return nameEnd == std::string::npos || nameEnd + 2 >= text.size() || text[nameEnd + 2] != 'Z';
}

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

bool AskerGone() {
  const std::uint32_t now = NowMs();
  if (now - g_stepAside.lastLookMs < kAskerLookMs) return false;
  g_stepAside.lastLookMs = now;
  return !ProcessRuns(g_stepAside.askerPid);
}

// Answers the start that asked once the window is minimised (at once when
// there was nothing to do).
void AnswerWhenAside() {
  if (!g_stepAside.answerDue) return;
  if (g_stepAside.aside && !MainWindowMinimised() && NowMs() - g_stepAside.askedMs < kMinimiseWaitMs) return;
  g_stepAside.answerDue = false;
  SendIfCaught(g_stepAside.askerPid, kSteppedAside);
}

void ServeSecondStartRequests() {
  if (g_asked.exchange(false)) {
    g_stepAside.askerPid = g_askerPid.load();
    g_stepAside.lastLookMs = g_stepAside.askedMs = NowMs();
    g_stepAside.answerDue = true;
    if (!g_stepAside.aside && FullScreenWindowShown()) SetAside(true);
  }
  AnswerWhenAside();
  const bool done = g_doneAsking.exchange(false);
  if (g_stepAside.aside && (done || AskerGone())) SetAside(false);
}

void Catch(int signal, void (*handler)(int, siginfo_t*, void*)) {
  struct sigaction action {};
  action.sa_sigaction = handler;
  // Whatever a thread of the player was waiting for goes on waiting.
  action.sa_flags = SA_SIGINFO | SA_RESTART;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
}

// The start's side: waits for the running player's answer, or a while.
void WaitUntilSteppedAside() {
  const std::uint32_t start = NowMs();
  while (!g_steppedAside.load() && !TerminationRaised() && NowMs() - start < kAnswerWaitMs) SleepMs(1);
}

}  // namespace

void TakeSecondStartRequests() {
  g_stepAside = StepAside{};
  g_asked.store(false);
  g_doneAsking.store(false);
  Catch(kAsks, OnAsked);
  Catch(kDoneAsking, OnDoneAsking);
  static std::once_flag taskAdded;
  std::call_once(taskAdded, [] { AddMainLoopTask(ServeSecondStartRequests); });
}

RunningPlayerStepsAside::RunningPlayerStepsAside(const InstanceLock& lock)
    : lock_(lock), holderPid_(lock.OwnerPid()), asked_(false) {
  // A question that no one sees (it goes to stderr) needs no room.
  if (VideoDriverShowsNothing()) return;
  g_steppedAside.store(false);
  // Caught from now on: an answer that comes late must not end this start.
  Catch(kSteppedAside, OnSteppedAside);
  asked_ = SendIfCaught(holderPid_, kAsks);
  if (asked_) WaitUntilSteppedAside();
}

RunningPlayerStepsAside::~RunningPlayerStepsAside() {
  if (asked_ && !lock_.Held()) SendIfCaught(holderPid_, kDoneAsking);
}

}  // namespace platform
