// A second start that the user lets replace the first runs only once it holds
// the instance lock: an old instance that cannot be ended keeps the game
// folder to itself.

#include "shell/single_instance_check.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "foundation/message_box.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "tests/support/lock_holder.h"
#include "tests/support/wait_until.h"

namespace {

namespace fs = std::filesystem;

class SingleInstanceCheck : public testing::Test {
 protected:
  void SetUp() override {
    path_ = fs::temp_directory_path() / ("instance-check-" + std::to_string(::getpid()) + ".lock");
    platform::ResetMainThreadState();
    platform::TakeHeadlessBoxes();
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  }
  void TearDown() override { fs::remove(path_); }

  fs::path path_;
};

TEST_F(SingleInstanceCheck, OldInstanceThatKeepsTheLockStopsTheNewOne) {
  // Its process cannot be told, so it cannot be ended.
  LockHolder first(path_, LockHolder::Requests::EndIt, LockHolder::Known::NotAtAll);
  platform::InstanceLock lock(path_);
  EXPECT_EQ(EnsureSingleInstance(lock), InstanceCheck::Failed);
  const auto boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "プログラムの終了に失敗しました。");
  EXPECT_EQ(boxes[1].caption, "二重起動");
  EXPECT_TRUE(first.Running());
}

TEST_F(SingleInstanceCheck, NewInstanceStartsHoldingTheLockOnceTheOldOneIsGone) {
  LockHolder first(path_, LockHolder::Requests::EndIt, LockHolder::Known::NotAtAll);
  // Its process cannot be told, so the new one ends nothing itself: the
  // old one ends on its own while the question is open, and the new one
  // waits for its lock to free itself.
  int questions = 0;
  SetMesBoxRoute([&](std::string_view, std::string_view, unsigned) {
    ++questions;
    ::kill(first.Pid(), SIGTERM);
    return IDYES;
  });
  platform::InstanceLock lock(path_);
  const InstanceCheck started = EnsureSingleInstance(lock);
  SetMesBoxRoute(nullptr);
  EXPECT_EQ(started, InstanceCheck::Start);
  EXPECT_FALSE(LockFreeToAnotherProcess(path_)) << "a third start is asked again";
  EXPECT_EQ(questions, 1);
}

// A running player steps aside while the question waits (so that a full
// screen does not cover it), the question coming only once it has answered
// that it did (a window mapped while another is being minimised may be lost
// by the window manager), and comes back after the No. A process that does
// not catch these requests is never sent them: they would end it.
TEST_F(SingleInstanceCheck, TheRunningPlayerIsAskedToStepAsideWhileTheQuestionWaits) {
  {
    LockHolder first(path_, LockHolder::Requests::Noted);
    std::string notedWhenAsked;
    SetMesBoxRoute([&](std::string_view, std::string_view, unsigned) {
      // The holder notes its answer before it sends it.
      notedWhenAsked = first.NotedRequests();
      return IDNO;
    });
    platform::InstanceLock lock(path_);
    EXPECT_EQ(EnsureSingleInstance(lock), InstanceCheck::Declined);
    SetMesBoxRoute(nullptr);
    EXPECT_EQ(notedWhenAsked, "1A");
    EXPECT_TRUE(WaitUntil([&] { return first.NotedRequests() == "1A2"; })) << first.NotedRequests();
  }
  LockHolder unaware(path_);
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  platform::InstanceLock lock(path_);
  EXPECT_EQ(EnsureSingleInstance(lock), InstanceCheck::Declined);
  // A request sent before would be taken first, being the lower signal.
  ::kill(unaware.Pid(), SIGTERM);
  ASSERT_TRUE(unaware.Ended());
  EXPECT_EQ(unaware.EndingSignal(), SIGTERM);
}

}  // namespace
