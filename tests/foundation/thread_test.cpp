#include "foundation/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/clock.h"
#include "platform/main_thread.h"
#include "tests/support/wait_until.h"

namespace {

// A worker in the shape the game's threads have: poll the queue once per
// step, end on WM_QUIT, otherwise do a step of work.
unsigned CountingLoop(std::atomic<int>& steps) {
  while (true) {
    ThreadMessage message;
    if (cThread::PeekMessage(message)) {
      if (message.id == WM_QUIT) return 1;
      continue;
    }
    ++steps;
    cThread::Sleep(1);
  }
}

TEST(Thread, IdleObjectAnswersEveryCall) {
  cThread thread;
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(thread.Suspend(), 1);
  EXPECT_EQ(thread.Resume(), 1);
  EXPECT_EQ(thread.Wait(), 1);
  EXPECT_FALSE(thread.PostMessage(1));
  thread.Exit();
}

TEST(Thread, StartsParksResumesAndExits) {
  std::atomic<int> steps{0};
  cThread thread;
  ASSERT_EQ(thread.Start([&] { return CountingLoop(steps); }), 1);
  EXPECT_EQ(thread.Start([] { return 0u; }), 0);  // one thread per object
  ASSERT_TRUE(WaitUntil([&] { return steps.load() > 3; }));

  thread.Suspend();
  // The thread finishes the step it is in and stops at the gate: one more
  // step at most, however long it is given.
  const int atSuspend = steps.load();
  platform::SleepMs(30);
  const int parkedAt = steps.load();
  EXPECT_LE(parkedAt, atSuspend + 1);

  thread.Resume();
  EXPECT_TRUE(WaitUntil([&] { return steps.load() > parkedAt; }));
  thread.Exit();
  EXPECT_FALSE(thread.IsRunning());
}

TEST(Thread, ExitOnASuspendedThreadOpensTheGateFirst) {
  std::atomic<int> steps{0};
  cThread thread;
  ASSERT_EQ(thread.Start([&] { return CountingLoop(steps); }), 1);
  thread.Suspend();
  thread.Suspend();
  // With the gate shut the thread would never see the quit, and every Exit
  // would give up on it and leave it running. A thread starved of the
  // processor may outlast one Exit's rounds all the same: it is asked again.
  EXPECT_TRUE(WaitUntil([&] {
    thread.Exit();
    return !thread.IsRunning();
  }));
}

TEST(Thread, ThreadThatIgnoresQuitIsLeftRunningNotKilled) {
  std::atomic<bool> release{false};
  cThread thread;
  ASSERT_EQ(thread.Start([&] {
    while (!release.load()) platform::SleepMs(1);
    return 1u;
  }),
            1);
  auto begin = std::chrono::steady_clock::now();
  thread.Exit();
  auto waited = std::chrono::steady_clock::now() - begin;
  EXPECT_GE(waited, std::chrono::milliseconds(190));
  EXPECT_LT(waited, std::chrono::seconds(30)) << "gives up, does not wait for ever";
  EXPECT_TRUE(thread.IsRunning());
  release.store(true);
  thread.Exit();  // asked again, it now ends and is joined
  EXPECT_FALSE(thread.IsRunning());
}

// A thread whose procedure uses its owner is waited for however long it
// takes, even past the rounds Exit gives it, and is then gone.
TEST(Thread, ExitAndWaitWaitsForAThreadThatEndsLate) {
  std::atomic<bool> ended{false};
  cThread thread;
  ASSERT_EQ(thread.Start([&] {
    platform::SleepMs(400);
    ended.store(true);
    return 1u;
  }),
            1);
  thread.ExitAndWait();
  EXPECT_TRUE(ended.load());
  EXPECT_FALSE(thread.IsRunning());
}

// A run that Exit gave up on does not block the object: the next Start lets
// go of it and starts the new run.
TEST(Thread, StartAfterAnAbandonedRunStartsTheNewRun) {
  struct Stuck {
    std::atomic<bool> release{false};
    std::atomic<bool> ended{false};
  };
  auto stuck = std::make_shared<Stuck>();
  cThread thread;
  ASSERT_EQ(thread.Start([stuck] {
    while (!stuck->release.load()) platform::SleepMs(1);
    stuck->ended.store(true);
    return 1u;
  }),
            1);
  thread.Exit();
  ASSERT_TRUE(thread.IsRunning());

  std::atomic<int> steps{0};
  ASSERT_EQ(thread.Start([&] { return CountingLoop(steps); }), 1);
  EXPECT_TRUE(WaitUntil([&] { return steps.load() > 3; }));
  thread.Exit();
  EXPECT_FALSE(thread.IsRunning());
  stuck->release.store(true);
  EXPECT_TRUE(WaitUntil([&] { return stuck->ended.load(); }));
}

TEST(Thread, WaitsWatchTheStopFlag) {
  std::atomic<bool> sawStop{false};
  cThread thread;
  ASSERT_EQ(thread.Start([&] {
    while (cThread::Sleep(1)) {
    }
    sawStop.store(cThread::StopRequested());
    return 1u;
  }),
            1);
  thread.Exit();
  EXPECT_TRUE(sawStop.load());
}

TEST(Thread, MessagesArriveInOrderAndWaitJoins) {
  cThread thread;
  std::atomic<int> sum{0};
  std::atomic<bool> ready{false};
  ASSERT_EQ(thread.Start([&] {
    while (!ready.load()) platform::SleepMs(1);
    ThreadMessage message;
    int weight = 1;
    while (cThread::PeekMessage(message)) sum += static_cast<int>(message.wParam) * weight++;
    return 1u;
  }),
            1);
  EXPECT_TRUE(thread.PostMessage(0x8000, 5));
  EXPECT_TRUE(thread.PostMessage(0x8000, 7));
  ready.store(true);
  EXPECT_EQ(thread.Wait(), 1);
  EXPECT_EQ(sum.load(), 5 * 1 + 7 * 2);
  EXPECT_FALSE(thread.IsRunning());
}

// The game thread starts and waits for the pause thread while the main thread
// may query, suspend or end it: the object must stand concurrent use.
TEST(Thread, WaitOnOneThreadAndExitOnAnotherEndTheThreadOnce) {
  for (int round = 0; round < 20; ++round) {
    std::atomic<int> steps{0};
    cThread thread;
    ASSERT_EQ(thread.Start([&] { return CountingLoop(steps); }), 1);
    std::thread waiter([&] { EXPECT_EQ(thread.Wait(), 1); });
    platform::SleepMs(2);
    thread.Exit();
    waiter.join();
    EXPECT_FALSE(thread.IsRunning());
  }
}

TEST(Thread, ObjectMayBeUsedWhileAnotherThreadStartsAndEndsIt) {
  cThread thread;
  std::atomic<bool> done{false};
  std::thread starter([&] {
    for (int round = 0; round < 300; ++round) {
      thread.Start([] { return 1u; });
      thread.Wait();
    }
    done.store(true);
  });
  while (!done.load()) {
    if (thread.IsRunning()) thread.PostMessage(0x8000);
    thread.Suspend();
    thread.Resume();
  }
  starter.join();
  EXPECT_FALSE(thread.IsRunning());
}

}  // namespace
