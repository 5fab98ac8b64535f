// The headless run harness over the whole start-up: a prepared game folder
// starts in each drawing mode, frames are stepped on the harness clock and
// read back, and the close path ends it.

#include "shell/harness/run_harness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>

#include "foundation/log.h"
#include "graphics/device/device.h"
#include "platform/message_box.h"
#include "shell/game/game.h"
#include "shell/init/system_ini.h"
#include "tests/shell/prepared_game.h"

namespace {

TEST(RunHarness, StartsStepsPresentsAndCloses) {
  ScratchGameFolder folder("harness_start");
  WritePreparedGame(folder.Path());
  cRunHarness harness(folder.Path());
  const bool started = harness.Start();
  if (!started) {
    std::ifstream in(folder.Path() / "Report_Game.txt");
    std::cerr << in.rdbuf();
  }
  ASSERT_TRUE(started);
  EXPECT_NE(lpDTCon, nullptr);
  int presented = 0;
  EXPECT_EQ(harness.StepFrames(5, [&](int) { ++presented; }), 5);
  EXPECT_EQ(presented, 5);
  int width = 0, height = 0;
  const auto pixels = harness.PresentedFrame(&width, &height);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  ASSERT_FALSE(pixels.empty());
  EXPECT_TRUE(harness.Close());
  EXPECT_EQ(lpDTCon, nullptr);
}

}  // namespace
