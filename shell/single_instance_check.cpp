#include "shell/single_instance_check.h"

#include <cstdio>
#include <optional>
#include <string>

#include "foundation/log.h"
#include "platform/second_start.h"
#include "platform/text_encoding.h"

namespace {

const char* Caption() { return Cp932Literal("二重起動"); }

bool AskToRestart() {
  const char* question = Cp932Literal(
      "既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\nWould you like to restart the "
      "game?");
  return MesBox(question, Caption(), MB_YESNO) == IDYES;
}

// How long the lock may take to free itself after the old instance was ended,
// or when its process id could not be read (it may be on its way out).
constexpr unsigned kLockFreeWaitMs = 2000;

// A later start would neither ask nor stop: two players would write one
// game folder.
void SayThereIsNoLock(const platform::InstanceLock& lock) {
  const std::string line = "No instance lock (" + lock.Refusals() +
                           "): this player runs unguarded, and a second start will not ask about it";
  std::fprintf(stderr, "%s\n", line.c_str());
  Report("%s", platform::Cp932FromUtf8(line).c_str());
}

}  // namespace

InstanceCheck EnsureSingleInstance(platform::InstanceLock& lock) {
  using Status = platform::InstanceLock::Status;
  // Said once, in the report of the player that goes on: a second start and
  // the running player then hold each other by process id and start time.
  if (const std::optional<std::string> missing = platform::PidfdsMissing())
    Report(
        "No pidfds (%s; they need Linux 5.3): a second start and the running player address each other "
        "by process id, checked against /proc and the lock file before each signal",
        missing->c_str());
  Status status = lock.TryAcquire();
  // A lock file that cannot be made does not stop the game: it runs
  // unguarded, and says so once.
  if (status == Status::Failed) SayThereIsNoLock(lock);
  if (status != Status::HeldByOther) return InstanceCheck::Start;
  // Opened now, while it holds the lock: by the answer it may have ended,
  // and its process id named another program.
  const platform::ProcessHandle holder = platform::OpenLockHolder(lock);
  // A full-screen player would cover the question and take its keys; it
  // comes back unless it is ended.
  platform::RunningPlayerStepsAside runningPlayerAside(lock, holder);
  if (!AskToRestart()) return InstanceCheck::Declined;
  // Two players writing one game folder would corrupt its saves, so the new
  // one starts only once the lock is its own.
  const platform::EndResult ended = platform::EndLockHolder(lock, holder);
  if (ended == platform::EndResult::Ended) return InstanceCheck::Start;
  if (ended == platform::EndResult::Gone && lock.AcquireWithin(kLockFreeWaitMs)) return InstanceCheck::Start;
  MesBox(Cp932Literal("プログラムの終了に失敗しました。"), Caption(), MB_OK);
  return InstanceCheck::Failed;
}
