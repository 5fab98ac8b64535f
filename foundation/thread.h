#pragma once
// A worker thread with its own message queue, a stop flag and a park gate.
// The thread's procedure polls its queue with cThread::PeekMessage once per
// step and returns when it finds WM_QUIT. Nothing is ever killed: Exit asks
// the thread to quit (the message and the stop flag, which every wait
// watches) and waits for it. Suspend closes the park gate, which the thread
// passes at its loop points (PeekMessage) and inside cThread::Sleep, so a
// suspended thread stops at its next step and stays there until Resume.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

inline constexpr unsigned WM_QUIT = 0x0012;

struct ThreadMessage {
  unsigned id = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

class cThread {
 public:
  cThread();
  ~cThread();
  cThread(const cThread&) = delete;
  cThread& operator=(const cThread&) = delete;

  // Starts the procedure on a new thread; 0 when one still runs or the
  // thread cannot be created. A run that Exit gave up on is let go of
  // (detached, still asked to stop) and the new run starts.
  int Start(std::function<unsigned()> procedure);
  // Waits until the procedure has returned; 1.
  int Wait();
  // Close and open the park gate; nested Suspends need as many Resumes.
  // Both return 1, also without a thread.
  int Suspend();
  int Resume();
  // Opens the gate, asks the thread to quit and waits for it, posting
  // WM_QUIT again each millisecond. A thread that has not ended after 200
  // rounds is reported and left running (a later Exit asks again, a later
  // Start lets go of it; at process exit it is detached).
  void Exit();
  // Asks as Exit does and waits however long the thread takes: for a thread
  // whose procedure uses its owner, which is about to go (on a loaded
  // machine the thread may even begin only after the 200 rounds).
  void ExitAndWait();

  bool IsRunning() const;
  // Queues a message for the thread; false when no thread runs.
  bool PostMessage(unsigned id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

  // For the running procedure: takes the next message of the calling
  // thread's own queue after passing the park gate; false when none waits.
  static bool PeekMessage(ThreadMessage& message);
  // Sleeps, passing the park gate; false when the thread is asked to stop.
  static bool Sleep(std::uint32_t milliseconds);
  static bool StopRequested();

  struct Control;

 private:
  // The running thread's state, taken under the object's lock: one thread
  // may start and wait for a thread while another suspends or ends it.
  std::shared_ptr<Control> Current() const;
  // Opens the gate and raises the stop flag.
  static void AskToQuit(Control& control);
  // Joins the ended thread and lets go of it, once, whoever comes first.
  void Retire(const std::shared_ptr<Control>& control);

  mutable std::mutex mutex_;
  std::shared_ptr<Control> control_;
};
