#pragma once
// A second start of the player asks the running one, the holder of the
// instance lock, to step aside while its question waits: a full-screen
// window covers the question under some window managers and keeps the keys
// meant for it. The running player minimises its full-screen window while
// asked and comes back (restored, full screen again and raised) once every
// start that asked is done asking or has ended, and it still runs; a Yes
// ends it anyway. A window that is not full screen stays as it is: window
// managers put the question over it.
//
// The requests travel as signals (SIGUSR1: a second start asks, SIGUSR2: it
// has done asking; the running player answers each start with SIGUSR2 once
// it has stepped aside). Each side addresses the other by a process handle
// opened while it was known to be the lock's holder or the asker, so that a
// signal never reaches a program that took up the process id of one that
// ended. A process that does not catch them is never sent them: their
// default action would end it.

#include "platform/single_instance.h"

namespace platform {

// The running player, from now on: takes the requests in every pass of the
// main thread's loops. A start that ends without saying it is done asking
// (killed, or its terminal closed) counts as done.
void TakeSecondStartRequests();

// The second start, while its question waits: while one lives, the lock's
// holder (opened by OpenLockHolder) is asked to step aside (the constructor
// waits for its answer, and for the start's other threads to end, a couple
// of seconds at most each); when it ends, the holder is asked to come back,
// unless the lock is ours by then (the holder has ended). (The process that
// shows the question, which SDL forks, ends with this one as every box's
// does.)
class RunningPlayerStepsAside {
 public:
  RunningPlayerStepsAside(const InstanceLock& lock, const ProcessHandle& holder);
  ~RunningPlayerStepsAside();
  RunningPlayerStepsAside(const RunningPlayerStepsAside&) = delete;
  RunningPlayerStepsAside& operator=(const RunningPlayerStepsAside&) = delete;

 private:
  const InstanceLock& lock_;
  const ProcessHandle& holder_;
  bool asked_ = false;
};

}  // namespace platform
