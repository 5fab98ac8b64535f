#pragma once
// The main thread's services to the other threads. The main thread owns the
// window and every dialog; other threads ask it for work with the game's own
// request ids (posted, or sent and waited for) and may raise a close request.
// Every loop the main thread runs (event loop, dialog loops, waits for other
// threads) calls ServeMainThread, so requests are never left waiting.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

// Marks the calling thread as the main thread (once, at process start).
void BecomeMainThread();
bool IsMainThread();

// Serves the requests: the window procedure's part for the game's ids.
using RequestHandler = std::function<std::intptr_t(unsigned id, std::uintptr_t wParam, std::intptr_t lParam)>;
void SetRequestHandler(RequestHandler handler);

// Queues a request and returns at once; false once the main thread has
// stopped serving.
bool PostRequest(unsigned id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
// Runs a request on the main thread and waits for its result. Called on the
// main thread it runs at once. Empty when the request could not be served:
// the main thread stopped serving, or the calling thread was asked to stop
// before the request began (a request that began is always waited for).
std::optional<std::intptr_t> SendRequest(unsigned id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
// The same for a piece of work of the platform layer itself (message boxes).
bool RunOnMainThread(const std::function<void()>& work);

// A task run in every pass of every loop the main thread runs (the presenter
// shows finished frames this way). Tasks stay for the life of the process.
void AddMainLoopTask(std::function<void()> task);

// Runs the pending requests and the loop tasks; main thread only.
void ServeMainThread();

// Why the program is asked to close: the player (the window's close button,
// Esc) or the game's own request, a failure, or a termination (a signal, the
// harness ending a run). A termination never asks the exit question.
enum class CloseReason { User, Fatal, Terminate };
// Any thread: asks the main thread to run the close path. Without a reason it
// is the fatal-error path's close request.
void RequestClose(CloseReason reason = CloseReason::Fatal);
// Called on the raising thread as a failure or the player raises a close
// (before a step may hold it back): the shell notes where the game was, since
// the close is taken later, when the game may have moved on.
void SetCloseRaisedHook(std::function<void(CloseReason)> hook);
// Async-signal-safe: a termination signal arrived; the next TakeCloseRequest
// reports it as a termination.
void NoteTerminationSignal();
// The pending close request, taken (main thread): a termination before all
// (it takes the others with it), then the player's, then a failure's.
std::optional<CloseReason> TakeCloseRequest();
// Any thread: a termination (the signal, or its close request) has come in
// this process, taken or not. From then on no question is asked.
bool TerminationRaised();
// True once a fatal close or a termination has been raised in this process.
bool ForcedCloseRaised();
// True while a fatal close or a termination waits to be taken.
bool ForcedClosePending();

// While one lives (main thread, the exit question open), a failure's close
// is not taken: the question's dialog would end on it, and the answer
// covers it. The player's close and a termination still are.
class FailureClosesHeld {
 public:
  FailureClosesHeld();
  ~FailureClosesHeld();
  FailureClosesHeld(const FailureClosesHeld&) = delete;
  FailureClosesHeld& operator=(const FailureClosesHeld&) = delete;
};

// While one lives on a thread (the game thread's frame step), a failure's
// close that this thread raises waits for its end: the step that failed
// goes on to show the boxes that tell of the failure (a damaged stage's,
// then the map's), and the question comes only after the last of them. So
// does any close but a termination that the main thread takes while it
// serves this thread (the window's close button clicked in a box the step
// asked for). The player's close raised elsewhere (Esc, a click while no
// box of the step is open) and a termination are raised at once.
class ClosesAfterStep {
 public:
  ClosesAfterStep();
  ~ClosesAfterStep();
  ClosesAfterStep(const ClosesAfterStep&) = delete;
  ClosesAfterStep& operator=(const ClosesAfterStep&) = delete;
};
// Raises now the closes that a step holds back: the step hands its frames
// over to a loop of its own (a hold of the stage), which may last until
// someone answers.
void RaiseClosesHeldByStep();

// The exit question was answered No: the closes that waited for it, the
// player's and a failure's, pending or held back by a step, are declined
// with it (a termination stays). True when a failure's was among them.
bool DeclineWaitingCloses();

// Ends the main loop with an exit code; from then on requests are refused
// and waiting senders return.
void PostQuit(int exitCode);
std::optional<int> QuitPosted();

// Called whenever work for the main thread arrives, so an event loop that
// sleeps until an event can wake up. Set by the window backend.
void SetMainThreadWakeup(std::function<void()> wakeup);

// The stop flag of the calling thread (bound by the thread object), watched
// by every wait so that a thread that is asked to stop never hangs in one.
void BindThreadStopFlag(const std::atomic<bool>* flag);
bool CurrentThreadStopRequested();

// Restores the initial state (tests run many start-ups in one process).
void ResetMainThreadState();

}  // namespace platform
