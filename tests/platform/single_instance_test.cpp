#include "platform/single_instance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/main_thread.h"
#include "tests/support/lock_holder.h"
#include "tests/support/spawned_program.h"

namespace {

namespace fs = std::filesystem;

class SingleInstanceTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = fs::temp_directory_path() / ("lock-test-" + std::to_string(::getpid()) + ".lock");
  }
  void TearDown() override { fs::remove(path_); }
  fs::path path_;
};

// The lock belongs to a process: another is refused it while it is held,
// and is told who holds it.
TEST_F(SingleInstanceTest, SecondHolderIsRefusedUntilTheFirstReleases) {
  platform::InstanceLock first(path_);
  ASSERT_EQ(first.TryAcquire(), platform::InstanceLock::Status::Acquired);
  EXPECT_FALSE(LockFreeToAnotherProcess(path_));
  first.Release();
  EXPECT_TRUE(LockFreeToAnotherProcess(path_));

  std::optional<LockHolder> other(std::in_place, path_);
  platform::InstanceLock second(path_);
  EXPECT_EQ(second.TryAcquire(), platform::InstanceLock::Status::HeldByOther);
  EXPECT_EQ(second.HolderPid(), other->Pid());
  other.reset();
  EXPECT_EQ(second.TryAcquire(), platform::InstanceLock::Status::Acquired);
  EXPECT_EQ(second.HolderPid(), 0) << "its own lock is no one else's";
}

// A child that the holder forks (SDL's box is shown from one) gets no share
// of the lock: once the holder lets it go, or ends, the lock is free
// however long the child lives on.
TEST_F(SingleInstanceTest, AForkedChildKeepsNoShareOfTheLock) {
  platform::InstanceLock lock(path_);
  ASSERT_EQ(lock.TryAcquire(), platform::InstanceLock::Status::Acquired);
  int stay[2];
  ASSERT_EQ(::pipe2(stay, O_CLOEXEC), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(stay[1]);
    char byte;
    ::read(stay[0], &byte, 1);
    ::_exit(0);
  }
  ::close(stay[0]);
  lock.Release();
  EXPECT_TRUE(LockFreeToAnotherProcess(path_)) << "the child keeps the lock";
  ::close(stay[1]);
  ::waitpid(child, nullptr, 0);
}

TEST_F(SingleInstanceTest, EndingTheHolderHandsTheLockOver) {
  LockHolder holder(path_);
  platform::InstanceLock lock(path_);
  ASSERT_EQ(lock.TryAcquire(), platform::InstanceLock::Status::HeldByOther);
  EXPECT_EQ(lock.HolderPid(), holder.Pid());
  const platform::ProcessHandle opened = platform::OpenLockHolder(lock);
  EXPECT_EQ(opened.Pid(), holder.Pid());
  EXPECT_EQ(platform::EndLockHolder(lock, opened), platform::EndResult::Ended);
  EXPECT_TRUE(holder.Ended());
}

// The holder ended (killed, say) after it was opened, and its process id
// went to another program, which the lock file now names as far as it can
// tell: the lock is free, so nothing is ended and the lock is taken.
TEST_F(SingleInstanceTest, AFreeLockIsTakenWithoutEndingTheProgramThatTookUpTheHoldersId) {
  LockHolder holder(path_);
  platform::InstanceLock lock(path_);
  ASSERT_EQ(lock.TryAcquire(), platform::InstanceLock::Status::HeldByOther);
  const platform::ProcessHandle opened = platform::OpenLockHolder(lock);
  ::kill(holder.Pid(), SIGKILL);
  ASSERT_TRUE(holder.Ended());
  SpawnedProgram bystander({.command = {"sleep", "60"}, .folder = {}, .environment = {}, .descriptor3 = -1});
  ASSERT_TRUE(bystander.Started());
  std::ofstream(path_, std::ios::trunc) << bystander.Pid() << "\n";
  EXPECT_EQ(platform::EndLockHolder(lock, opened), platform::EndResult::Ended);
  EXPECT_TRUE(lock.Held());
  EXPECT_FALSE(bystander.EndsWithin(0)) << "the bystander was ended";
}

// The lock file names another program than the one that holds the lock (a
// holder the kernel cannot name here, in another pid namespace, say, and a
// pid written by one that has ended): only the kernel's word counts, so no
// one is signalled, and the lock, still held, is not taken.
TEST_F(SingleInstanceTest, TheLockFilesWordAloneSignalsNoOne) {
  LockHolder holder(path_, LockHolder::Requests::EndIt, LockHolder::Known::NotAtAll);
  SpawnedProgram bystander({.command = {"sleep", "60"}, .folder = {}, .environment = {}, .descriptor3 = -1});
  ASSERT_TRUE(bystander.Started());
  std::ofstream(path_, std::ios::trunc) << bystander.Pid() << "\n";
  platform::InstanceLock lock(path_);
  ASSERT_EQ(lock.TryAcquire(), platform::InstanceLock::Status::HeldByOther);
  EXPECT_EQ(lock.HolderPid(), 0);
  const platform::ProcessHandle opened = platform::OpenLockHolder(lock);
  EXPECT_TRUE(opened.Empty());
  const platform::ProcessHandle named = platform::ProcessHandle::Open(bystander.Pid());
  EXPECT_FALSE(platform::SignalLockHolder(lock, named, SIGTERM));
  EXPECT_EQ(platform::EndLockHolder(lock, opened, 100), platform::EndResult::Gone);
  EXPECT_FALSE(bystander.EndsWithin(0)) << "the bystander was ended";
  EXPECT_TRUE(holder.Running());
}

// The holder that was opened has ended and another player holds the lock
// by now: that one was never asked about, so it is not ended.
TEST_F(SingleInstanceTest, APlayerThatTookTheLockSinceIsNotEnded) {
  std::optional<LockHolder> first(std::in_place, path_);
  platform::InstanceLock lock(path_);
  ASSERT_EQ(lock.TryAcquire(), platform::InstanceLock::Status::HeldByOther);
  const platform::ProcessHandle opened = platform::OpenLockHolder(lock);
  first.reset();
  LockHolder next(path_);
  EXPECT_EQ(platform::EndLockHolder(lock, opened), platform::EndResult::Gone);
  EXPECT_FALSE(lock.Held());
  EXPECT_TRUE(next.Running());
}

// SIGTERM, and the terminal's SIGHUP and SIGINT, each become a quiet close;
// a terminal's signal that the process was started ignoring (as nohup
// starts it) stays ignored.
TEST_F(SingleInstanceTest, TerminationSignalsBecomeAQuietCloseRequest) {
  const std::array<int, 3> signals = {SIGTERM, SIGHUP, SIGINT};
  std::array<struct sigaction, 3> before{};
  for (std::size_t i = 0; i < signals.size(); ++i) ::sigaction(signals[i], nullptr, &before[i]);
  for (const int signal : signals) {
    platform::ResetMainThreadState();
    platform::TakeTerminationAsCloseRequest();
    ::raise(signal);
    EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Terminate) << sigabbrev_np(signal);
    EXPECT_TRUE(platform::ForcedCloseRaised());
  }
  platform::ResetMainThreadState();
  ::signal(SIGHUP, SIG_IGN);
  platform::TakeTerminationAsCloseRequest();
  struct sigaction taken {};
  ::sigaction(SIGHUP, nullptr, &taken);
  EXPECT_EQ(taken.sa_handler, SIG_IGN);
  for (std::size_t i = 0; i < signals.size(); ++i) ::sigaction(signals[i], &before[i], nullptr);
}

TEST_F(SingleInstanceTest, DefaultPathIsInTheRuntimeFolder) {
  const std::vector<fs::path> places = platform::InstanceLockPlaces("ゲーム");
  ASSERT_FALSE(places.empty());
  fs::path path = places.front();
  EXPECT_EQ(path.filename().string().substr(0, 9), "ゲーム");
  EXPECT_EQ(path.extension(), ".lock");
}

}  // namespace
