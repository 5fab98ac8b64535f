#include "platform/main_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "tests/support/wait_until.h"

namespace {

class MainThreadTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::ResetMainThreadState();
    platform::BecomeMainThread();
  }
  void TearDown() override { platform::ResetMainThreadState(); }

  // Serves the main thread until the condition holds.
  static bool ServeUntil(const std::function<bool()>& condition) {
    return WaitUntil(condition, [] { platform::ServeMainThread(); });
  }
};

TEST_F(MainThreadTest, SentRequestsRunOnTheMainThreadAndReturnTheirResult) {
  std::thread::id servedOn;
  platform::SetRequestHandler([&](unsigned id, std::uintptr_t wParam, std::intptr_t lParam) -> std::intptr_t {
    servedOn = std::this_thread::get_id();
    return id + wParam + lParam;
  });
  std::optional<std::intptr_t> result;
  std::atomic<bool> done{false};
  std::thread sender([&] {
    result = platform::SendRequest(1029, 3, 4);
    done = true;
  });
  EXPECT_TRUE(ServeUntil([&] { return done.load(); }));
  sender.join();
  EXPECT_EQ(result, 1036);
  EXPECT_EQ(servedOn, std::this_thread::get_id());
  // On the main thread itself a send runs at once.
  EXPECT_EQ(platform::SendRequest(1, 1, 1), 3);
}

TEST_F(MainThreadTest, PostedRequestsRunInOrderAndLoopTasksEveryPass) {
  std::vector<unsigned> seen;
  platform::SetRequestHandler([&](unsigned id, std::uintptr_t, std::intptr_t) -> std::intptr_t {
    seen.push_back(id);
    return 0;
  });
  std::thread([] {
    platform::PostRequest(1);
    platform::PostRequest(2);
  }).join();
  // Loop tasks stay for the life of the process: add this one once.
  static std::atomic<int> taskRuns{0};
  static const bool added = (platform::AddMainLoopTask([] { ++taskRuns; }), true);
  ASSERT_TRUE(added);
  int before = taskRuns.load();
  for (int pass = 0; pass < 3; ++pass) platform::ServeMainThread();
  EXPECT_EQ(seen, (std::vector<unsigned>{1, 2}));
  EXPECT_EQ(taskRuns.load() - before, 3);
}

TEST_F(MainThreadTest, SenderThatIsAskedToStopGivesUpAnUnservedRequest) {
  std::atomic<bool> stop{false};
  std::optional<std::intptr_t> result = 1;
  std::atomic<bool> handlerRan{false};
  platform::SetRequestHandler([&](unsigned, std::uintptr_t, std::intptr_t) -> std::intptr_t {
    handlerRan = true;
    return 5;
  });
  std::thread sender([&] {
    platform::BindThreadStopFlag(&stop);
    result = platform::SendRequest(7);
  });
  platform::SleepMs(20);
  stop = true;
  sender.join();  // returns although nobody served the request
  EXPECT_FALSE(result.has_value());
  platform::ServeMainThread();
  EXPECT_FALSE(handlerRan.load());  // a cancelled request is never run later
}

TEST_F(MainThreadTest, QuitRefusesNewRequestsAndReleasesWaitingSenders) {
  std::optional<std::intptr_t> result = 1;
  std::thread sender([&] { result = platform::SendRequest(7); });
  platform::SleepMs(10);
  platform::PostQuit(3);
  sender.join();
  EXPECT_FALSE(result.has_value());
  EXPECT_EQ(platform::QuitPosted(), 3);
  EXPECT_FALSE(platform::PostRequest(1));
  std::thread([] { EXPECT_FALSE(platform::RunOnMainThread([] {})); }).join();
}

// A failure that raises its close on every frame must not hide the player's:
// the player's close is taken first, the failure's after it (and not while
// held); a termination comes before both and takes them with it.
TEST_F(MainThreadTest, ThePlayersCloseComesBeforeAFailuresAndATerminationBeforeAll) {
  EXPECT_FALSE(platform::TakeCloseRequest());
  platform::RequestClose(platform::CloseReason::User);
  EXPECT_FALSE(platform::ForcedCloseRaised());
  EXPECT_FALSE(platform::ForcedClosePending());
  std::thread([] { platform::RequestClose(); }).join();
  platform::RequestClose(platform::CloseReason::User);
  EXPECT_TRUE(platform::ForcedClosePending());
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::User);
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Fatal);
  EXPECT_FALSE(platform::TakeCloseRequest());
  EXPECT_FALSE(platform::ForcedClosePending());
  EXPECT_TRUE(platform::ForcedCloseRaised());

  {
    // The exit question is open: a failure's close waits for its answer.
    const platform::FailureClosesHeld held;
    platform::RequestClose();
    EXPECT_FALSE(platform::TakeCloseRequest());
    EXPECT_FALSE(platform::ForcedClosePending());
    platform::RequestClose(platform::CloseReason::User);
    EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::User);
  }
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Fatal);

  platform::RequestClose(platform::CloseReason::User);
  platform::RequestClose();
  platform::NoteTerminationSignal();
  EXPECT_TRUE(platform::ForcedClosePending());
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Terminate);
  EXPECT_FALSE(platform::TakeCloseRequest());
}

// A thread in its frame step that has the main thread raise closes while it
// serves that thread (as a box the step asked for takes the window's close
// button), and then ends its step once told to.
class SteppingThread {
 public:
  explicit SteppingThread(std::vector<platform::CloseReason> raised)
      : m_thread([this, raised] {
          {
            const platform::ClosesAfterStep step;
            platform::RunOnMainThread([&raised] {
              for (const platform::CloseReason reason : raised) platform::RequestClose(reason);
            });
            m_served = true;
            WaitUntil([this] { return m_stepMayEnd.load(); });
          }
          m_ended = true;
        }) {}
  ~SteppingThread() {
    if (m_thread.joinable()) EndTheStep();
  }
  bool Served() const { return m_served.load(); }
  // Ends the step and waits for the thread (serving the main thread, which
  // an early failed check may have left its request to).
  void EndTheStep() {
    m_stepMayEnd = true;
    WaitUntil([this] { return m_ended.load(); }, [] { platform::ServeMainThread(); });
    m_thread.join();
  }

 private:
  std::atomic<bool> m_served{false};
  std::atomic<bool> m_stepMayEnd{false};
  std::atomic<bool> m_ended{false};
  std::thread m_thread;
};

// The player's close and a failure's raised while the main thread serves a
// stepping thread wait for the step's end, so that its next box comes
// before the question; the player's close raised elsewhere (Esc) does not,
// nor does a termination. A No to a question asked meanwhile declines the
// held closes with it.
TEST_F(MainThreadTest, ClosesRaisedWhileServingAStepWaitForItsEnd) {
  using platform::CloseReason;
  for (const bool answeredNo : {false, true}) {
    SCOPED_TRACE(answeredNo ? "No meanwhile" : "no question meanwhile");
    SteppingThread stepping({CloseReason::User, CloseReason::Fatal});
    ASSERT_TRUE(ServeUntil([&] { return stepping.Served(); }));
    EXPECT_FALSE(platform::TakeCloseRequest());
    EXPECT_FALSE(platform::ForcedClosePending());
    platform::RequestClose(CloseReason::User);  // Esc: no box is open
    EXPECT_EQ(platform::TakeCloseRequest(), CloseReason::User);
    if (answeredNo) {
      EXPECT_TRUE(platform::DeclineWaitingCloses());
    }
    stepping.EndTheStep();
    if (!answeredNo) {
      EXPECT_EQ(platform::TakeCloseRequest(), CloseReason::User);
      EXPECT_EQ(platform::TakeCloseRequest(), CloseReason::Fatal);
    }
    EXPECT_FALSE(platform::TakeCloseRequest());
  }

  SteppingThread terminated({CloseReason::Terminate});
  ASSERT_TRUE(ServeUntil([&] { return terminated.Served(); }));
  EXPECT_EQ(platform::TakeCloseRequest(), CloseReason::Terminate);
  terminated.EndTheStep();
  EXPECT_FALSE(platform::TakeCloseRequest());
}

}  // namespace
