#include "platform/main_thread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace platform {
namespace {

enum class RequestStatus { Pending, Running, Done, Cancelled };

// A sent request's hand-shake between the sender and the main thread.
struct Reply {
  std::mutex mutex;
  std::condition_variable done;
  RequestStatus status = RequestStatus::Pending;
  std::intptr_t result = 0;
};

struct Request {
  std::function<std::intptr_t()> work;
  std::shared_ptr<Reply> reply;  // null for a posted request
  bool sentFromAStep = false;    // its sender waits for it inside a frame step
};

struct State {
  std::mutex mutex;
  std::thread::id mainThread;
  RequestHandler handler;
  std::deque<Request> pending;
  std::vector<std::function<void()>> loopTasks;
  std::function<void()> wakeup;
  bool userClose = false;
  std::optional<CloseReason> forcedClose;  // a failure's or a termination
  int failureCloseHolds = 0;
  bool failureHeldByStep = false;
  bool userCloseHeldByStep = false;
  std::function<void(CloseReason)> closeRaised;
  std::optional<int> quitCode;
};

State& Shared() {
  static State state;
  return state;
}

std::atomic<bool> g_forcedClose{false};
std::atomic<bool> g_terminationSignal{false};
std::atomic<bool> g_terminationRaised{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs lock-free flags");
thread_local const std::atomic<bool>* t_stopFlag = nullptr;
thread_local bool t_runningLoopTasks = false;
thread_local int t_stepDepth = 0;
thread_local bool t_servingAStep = false;

void Wake() {
  std::function<void()> wakeup;
  {
    std::lock_guard lock(Shared().mutex);
    wakeup = Shared().wakeup;
  }
  if (wakeup) wakeup();
}

bool Enqueue(Request request) {
  {
    std::lock_guard lock(Shared().mutex);
    if (Shared().quitCode) return false;
    Shared().pending.push_back(std::move(request));
  }
  Wake();
  return true;
}

// Marks the request as cancelled when it has not begun; true when the
// sender may stop waiting.
bool CancelIfPending(Reply& reply) {
  std::lock_guard lock(reply.mutex);
  if (reply.status == RequestStatus::Pending) reply.status = RequestStatus::Cancelled;
  return reply.status == RequestStatus::Cancelled;
}

std::optional<std::intptr_t> SendWork(std::function<std::intptr_t()> work) {
  if (IsMainThread()) return work();
  auto reply = std::make_shared<Reply>();
  if (!Enqueue({std::move(work), reply, t_stepDepth > 0})) return std::nullopt;
  std::unique_lock lock(reply->mutex);
  while (true) {
    reply->done.wait_for(lock, std::chrono::milliseconds(1));
    if (reply->status == RequestStatus::Done) return reply->result;
    if (reply->status == RequestStatus::Cancelled) return std::nullopt;
    bool giveUp = CurrentThreadStopRequested() || QuitPosted().has_value();
    if (giveUp && reply->status == RequestStatus::Pending) {
      reply->status = RequestStatus::Cancelled;
      return std::nullopt;
    }
  }
}

void Serve(Request& request) {
  if (!request.reply) {
    request.work();
    return;
  }
  {
    std::lock_guard lock(request.reply->mutex);
    if (request.reply->status != RequestStatus::Pending) return;
    request.reply->status = RequestStatus::Running;
  }
  const bool servedBefore = std::exchange(t_servingAStep, request.sentFromAStep);
  std::intptr_t result = request.work();
  t_servingAStep = servedBefore;
  std::lock_guard lock(request.reply->mutex);
  request.reply->result = result;
  request.reply->status = RequestStatus::Done;
  request.reply->done.notify_all();
}

std::function<std::intptr_t()> HandlerCall(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) {
  return [id, wParam, lParam]() -> std::intptr_t {
    RequestHandler handler;
    {
      std::lock_guard lock(Shared().mutex);
      handler = Shared().handler;
    }
    return handler ? handler(id, wParam, lParam) : 0;
  };
}

// A close raised now waits for the end of the step under way: a failure's
// that the stepping thread raises itself, and the player's or a failure's
// raised while the main thread serves that thread (taken in a box it asked
// for, which the step follows with its next box). A termination never waits.
bool WaitsForTheStep(CloseReason reason) {
  if (reason == CloseReason::Terminate) return false;
  return t_servingAStep || (reason == CloseReason::Fatal && t_stepDepth > 0);
}

}  // namespace

void BecomeMainThread() {
  std::lock_guard lock(Shared().mutex);
  Shared().mainThread = std::this_thread::get_id();
}

bool IsMainThread() {
  std::lock_guard lock(Shared().mutex);
  return Shared().mainThread == std::this_thread::get_id();
}

void SetRequestHandler(RequestHandler handler) {
  std::lock_guard lock(Shared().mutex);
  Shared().handler = std::move(handler);
}

bool PostRequest(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) {
  return Enqueue({HandlerCall(id, wParam, lParam), nullptr});
}

std::optional<std::intptr_t> SendRequest(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) {
  return SendWork(HandlerCall(id, wParam, lParam));
}

bool RunOnMainThread(const std::function<void()>& work) {
  return SendWork([&work]() -> std::intptr_t {
           work();
           return 0;
         })
      .has_value();
}

void AddMainLoopTask(std::function<void()> task) {
  std::lock_guard lock(Shared().mutex);
  Shared().loopTasks.push_back(std::move(task));
}

void ServeMainThread() {
  while (true) {
    Request request;
    {
      std::lock_guard lock(Shared().mutex);
      if (Shared().pending.empty()) break;
      request = std::move(Shared().pending.front());
      Shared().pending.pop_front();
    }
    Serve(request);
  }
  // A task that runs a loop of its own must not re-enter the tasks.
  if (t_runningLoopTasks) return;
  std::vector<std::function<void()>> tasks;
  {
    std::lock_guard lock(Shared().mutex);
    tasks = Shared().loopTasks;
  }
  t_runningLoopTasks = true;
  for (auto& task : tasks) task();
  t_runningLoopTasks = false;
}

void RequestClose(CloseReason reason) {
  if (reason != CloseReason::User) g_forcedClose.store(true);
  if (reason == CloseReason::Terminate) g_terminationRaised.store(true);
  if (reason != CloseReason::Terminate) {
    std::function<void(CloseReason)> noteWhere;
    {
      std::lock_guard lock(Shared().mutex);
      noteWhere = Shared().closeRaised;
    }
    if (noteWhere) noteWhere(reason);
  }
  {
    std::lock_guard lock(Shared().mutex);
    if (WaitsForTheStep(reason)) {
      (reason == CloseReason::User ? Shared().userCloseHeldByStep : Shared().failureHeldByStep) = true;
      return;
    }
    if (reason == CloseReason::User)
      Shared().userClose = true;
    else if (!Shared().forcedClose || reason == CloseReason::Terminate)
      Shared().forcedClose = reason;
  }
  Wake();
}

void NoteTerminationSignal() {
  g_terminationRaised.store(true);
  g_terminationSignal.store(true);
}

std::optional<CloseReason> TakeCloseRequest() {
  if (g_terminationSignal.exchange(false)) RequestClose(CloseReason::Terminate);
  std::lock_guard lock(Shared().mutex);
  State& state = Shared();
  if (state.forcedClose == CloseReason::Terminate) {
    state.userClose = false;
    return std::exchange(state.forcedClose, std::nullopt);
  }
  // A failure that raises its close again on every frame must not hide the
  // player's own: that one is taken first, the failure's stays pending.
  if (std::exchange(state.userClose, false)) return CloseReason::User;
  if (state.failureCloseHolds > 0) return std::nullopt;
  return std::exchange(state.forcedClose, std::nullopt);
}

bool TerminationRaised() { return g_terminationRaised.load(); }

bool ForcedCloseRaised() { return g_forcedClose.load(); }

bool ForcedClosePending() {
  if (g_terminationSignal.load()) return true;
  std::lock_guard lock(Shared().mutex);
  const State& state = Shared();
  return state.forcedClose == CloseReason::Terminate || (state.forcedClose && state.failureCloseHolds == 0);
}

FailureClosesHeld::FailureClosesHeld() {
  std::lock_guard lock(Shared().mutex);
  ++Shared().failureCloseHolds;
}

FailureClosesHeld::~FailureClosesHeld() {
  std::lock_guard lock(Shared().mutex);
  if (Shared().failureCloseHolds > 0) --Shared().failureCloseHolds;
}

ClosesAfterStep::ClosesAfterStep() { ++t_stepDepth; }

ClosesAfterStep::~ClosesAfterStep() {
  if (--t_stepDepth == 0) RaiseClosesHeldByStep();
}

void RaiseClosesHeldByStep() {
  {
    std::lock_guard lock(Shared().mutex);
    State& state = Shared();
    const bool user = std::exchange(state.userCloseHeldByStep, false);
    const bool failure = std::exchange(state.failureHeldByStep, false);
    if (!user && !failure) return;
    if (user) state.userClose = true;
    if (failure && !state.forcedClose) state.forcedClose = CloseReason::Fatal;
  }
  Wake();
}

bool DeclineWaitingCloses() {
  std::lock_guard lock(Shared().mutex);
  State& state = Shared();
  state.userClose = false;
  state.userCloseHeldByStep = false;
  bool failure = std::exchange(state.failureHeldByStep, false);
  if (state.forcedClose == CloseReason::Fatal) {
    state.forcedClose.reset();
    failure = true;
  }
  return failure;
}

void PostQuit(int exitCode) {
  std::deque<Request> refused;
  {
    std::lock_guard lock(Shared().mutex);
    if (!Shared().quitCode) Shared().quitCode = exitCode;
    refused.swap(Shared().pending);
  }
  for (auto& request : refused) {
    if (request.reply) CancelIfPending(*request.reply);
  }
  Wake();
}

std::optional<int> QuitPosted() {
  std::lock_guard lock(Shared().mutex);
  return Shared().quitCode;
}

void SetCloseRaisedHook(std::function<void(CloseReason)> hook) {
  std::lock_guard lock(Shared().mutex);
  Shared().closeRaised = std::move(hook);
}

void SetMainThreadWakeup(std::function<void()> wakeup) {
  std::lock_guard lock(Shared().mutex);
  Shared().wakeup = std::move(wakeup);
}

void BindThreadStopFlag(const std::atomic<bool>* flag) { t_stopFlag = flag; }

bool CurrentThreadStopRequested() { return t_stopFlag != nullptr && t_stopFlag->load(); }

void ResetMainThreadState() {
  PostQuit(0);
  std::lock_guard lock(Shared().mutex);
  Shared().handler = nullptr;
  Shared().wakeup = nullptr;
  Shared().closeRaised = nullptr;
  Shared().userClose = false;
  Shared().forcedClose.reset();
  Shared().failureCloseHolds = 0;
  Shared().failureHeldByStep = false;
  Shared().userCloseHeldByStep = false;
  Shared().quitCode.reset();
  g_forcedClose.store(false);
  g_terminationSignal.store(false);
  g_terminationRaised.store(false);
}

}  // namespace platform
