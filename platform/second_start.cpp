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

// How often a player that stepped aside looks whether the start that asked
// still runs.
constexpr std::uint32_t kAskerLookMs = 200;

// Noted by the signal handlers, taken by the main thread's loop task.
std::atomic<bool> g_asked{false};
std::atomic<bool> g_doneAsking{false};
std::atomic<int> g_askerPid{0};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handlers need lock-free values");

// The main thread's own state.
struct StepAside {
  bool aside = false;
  int askerPid = 0;
  std::uint32_t lastLookMs = 0;
};
StepAside g_stepAside;

void OnAsked(int, siginfo_t* info, void*) {
  g_askerPid.store(info->si_pid);
  g_asked.store(true);
}

void OnDoneAsking(int, siginfo_t*, void*) { g_doneAsking.store(true); }

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

void ServeSecondStartRequests() {
  if (g_asked.exchange(false)) {
    g_stepAside.askerPid = g_askerPid.load();
    g_stepAside.lastLookMs = NowMs();
    if (!g_stepAside.aside && FullScreenWindowShown()) SetAside(true);
  }
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
    : lock_(lock),
      holderPid_(lock.OwnerPid()),
      // A question that no one sees (it goes to stderr) needs no room.
      asked_(!VideoDriverShowsNothing() && SendIfCaught(holderPid_, kAsks)) {}

RunningPlayerStepsAside::~RunningPlayerStepsAside() {
  if (asked_ && !lock_.Held()) SendIfCaught(holderPid_, kDoneAsking);
}

}  // namespace platform
