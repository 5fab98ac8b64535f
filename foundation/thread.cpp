#include "foundation/thread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#include "foundation/log.h"
#include "platform/clock.h"
#include "platform/main_thread.h"

// State shared by the object and its running thread; the thread keeps it
// alive even when the object lets go of a thread that did not end.
struct cThread::Control {
  std::mutex mutex;
  std::condition_variable gateOpened;
  std::deque<ThreadMessage> queue;
  std::atomic<bool> stop{false};
  std::atomic<bool> finished{false};
  // Exit gave up on the thread: a new run may replace it.
  std::atomic<bool> abandoned{false};
  int suspendCount = 0;
  std::thread thread;

  void Post(const ThreadMessage& message) {
    std::lock_guard lock(mutex);
    queue.push_back(message);
  }

  void PassGate() {
    std::unique_lock lock(mutex);
    gateOpened.wait(lock, [this] { return suspendCount == 0 || stop.load(); });
  }
};

namespace {

constexpr int kExitRounds = 200;

thread_local cThread::Control* t_current = nullptr;

// One millisecond of waiting for another thread; the main thread keeps
// serving requests meanwhile, so a thread that waits on it can finish.
void WaitOneRound() {
  if (platform::IsMainThread()) platform::ServeMainThread();
  platform::SleepMs(1);
}

}  // namespace

cThread::cThread() = default;

cThread::~cThread() {
  // At process exit: a thread that never ended is let go of, not killed.
  std::lock_guard lock(mutex_);
  if (!control_ || !control_->thread.joinable()) return;
  if (control_->finished.load())
    control_->thread.join();
  else
    control_->thread.detach();
}

std::shared_ptr<cThread::Control> cThread::Current() const {
  std::lock_guard lock(mutex_);
  return control_;
}

void cThread::Retire(const std::shared_ptr<Control>& control) {
  std::lock_guard lock(mutex_);
  if (control_ != control) return;
  control_->thread.join();
  control_.reset();
}

int cThread::Start(std::function<unsigned()> procedure) {
  std::lock_guard lock(mutex_);
  if (control_) {
    if (control_->finished.load())
      control_->thread.join();
    else if (control_->abandoned.load())
      control_->thread.detach();  // still asked to stop; it ends on its own
    else
      return 0;
    control_.reset();
  }
  auto control = std::make_shared<Control>();
  try {
    control->thread = std::thread([control, procedure = std::move(procedure)] {
      t_current = control.get();
      platform::BindThreadStopFlag(&control->stop);
      procedure();
      control->finished.store(true);
    });
  } catch (const std::system_error&) {
    return 0;
  }
  control_ = std::move(control);
  return 1;
}

int cThread::Wait() {
  const auto control = Current();
  if (!control) return 1;
  while (!control->finished.load()) WaitOneRound();
  Retire(control);
  return 1;
}

int cThread::Suspend() {
  const auto control = Current();
  if (!control) return 1;
  std::lock_guard lock(control->mutex);
  ++control->suspendCount;
  return 1;
}

int cThread::Resume() {
  const auto control = Current();
  if (!control) return 1;
  std::lock_guard lock(control->mutex);
  if (control->suspendCount > 0) --control->suspendCount;
  control->gateOpened.notify_all();
  return 1;
}

void cThread::AskToQuit(Control& control) {
  std::lock_guard lock(control.mutex);
  control.suspendCount = 0;
  control.stop.store(true);
  control.gateOpened.notify_all();
}

void cThread::Exit() {
  const auto control = Current();
  if (!control) return;
  AskToQuit(*control);
  DebugLogF("Exit A");
  control->Post({WM_QUIT, 0, 0});
  DebugLogF("Exit B");
  DebugLogF("Exit C");
  for (int round = 0; round < kExitRounds && !control->finished.load(); ++round) {
    WaitOneRound();
    control->Post({WM_QUIT, 0, 0});
  }
  DebugLogF("Exit D");
  if (!control->finished.load()) {
    // Never killed: the object keeps the thread, a later Exit asks again, a
    // later Start lets go of it, and at process exit it is detached.
    control->abandoned.store(true);
    Report("thread did not end after %d ms; left running", kExitRounds);
    return;
  }
  Retire(control);
  DebugLogF("Exit E");
}

void cThread::ExitAndWait() {
  const auto control = Current();
  if (!control) return;
  AskToQuit(*control);
  while (!control->finished.load()) {
    control->Post({WM_QUIT, 0, 0});
    WaitOneRound();
  }
  Retire(control);
}

bool cThread::IsRunning() const { return Current() != nullptr; }

bool cThread::PostMessage(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) {
  const auto control = Current();
  if (!control) return false;
  control->Post({id, wParam, lParam});
  return true;
}

bool cThread::PeekMessage(ThreadMessage& message) {
  Control* self = t_current;
  if (!self) return false;
  self->PassGate();
  std::lock_guard lock(self->mutex);
  if (self->queue.empty()) return false;
  message = self->queue.front();
  self->queue.pop_front();
  return true;
}

bool cThread::Sleep(std::uint32_t milliseconds) {
  platform::SleepMs(milliseconds);
  if (t_current) t_current->PassGate();
  return !StopRequested();
}

bool cThread::StopRequested() { return platform::CurrentThreadStopRequested(); }
