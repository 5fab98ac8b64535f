// The player's threads and the process's exit. The exit ends every thread,
// and the process is gone only once the last of them has run its end: a
// thread at the lowest priority (a library's background writer) would then
// do it at that priority, and on a busy machine a player whose close has
// finished would stay many seconds more.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/process_threads.h"

namespace desktop_test {
namespace {

using PlayerThreadsOnADesktop = DesktopFixture;

// At the title, in a window drawn by OpenGL (the system's driver), with
// SDL's dummy sound driver: no thread runs at a lower priority than the
// player's own (a higher nice value); one at a higher one does no harm.
TEST_F(PlayerThreadsOnADesktop, AtTheTitleNoneRunsBelowThePlayersOwnPriority) {
  SpawnedProgram* const shown = StartPlayerAtTheTitle({1, 1, 32});
  ASSERT_TRUE(shown);
  SpawnedProgram& player = *shown;

  const std::vector<ProcessThread> threads = ThreadsOf(player.Pid());
  ASSERT_GT(threads.size(), 1u) << "the player runs no thread beside its main one";
  const auto mainThread =
      std::find_if(threads.begin(), threads.end(), [&](const ProcessThread& thread) { return thread.id == player.Pid(); });
  ASSERT_NE(mainThread, threads.end());
  for (const ProcessThread& thread : threads)
    EXPECT_LE(thread.nice, mainThread->nice) << thread.name << " runs at a lower priority; "
                                             << DescribeThreads(player.Pid());
  ASSERT_TRUE(Terminate(player));
  EXPECT_EQ(player.ExitCode(), 0) << player.Stderr();
}

}  // namespace
}  // namespace desktop_test
