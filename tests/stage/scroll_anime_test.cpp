// Scroll axes (clamp, ramp, ranges) and the animation player's codes.
#include <gtest/gtest.h>

#include "stage/anim/anime_player.h"
#include "stage/scroll/scroll_axis.h"

namespace {

ScrollAxis Axis(int extentCells) {
  ScrollAxis axis;
  axis.Setup(0, 640, 10, extentCells, 0);
  return axis;
}

TEST(ScrollAxis, ClampKeepsTheViewInsideItsLimits) {
  ScrollAxis wide = Axis(100);
  wide.position = 5000;
  wide.Clamp();
  EXPECT_EQ(wide.position, (100 - 10) * 32 - 640);
  EXPECT_EQ(wide.atLimit, 1);
  wide.position = 1000;
  wide.Clamp();
  EXPECT_EQ(wide.atLimit, 0);
  wide.position = 0;
  wide.Clamp();
  EXPECT_EQ(wide.position, 320);
  EXPECT_EQ(wide.atLimit, 1);
  // Narrower than the view: the lower limit.
  ScrollAxis narrow = Axis(25);
  narrow.position = 400;
  narrow.Clamp();
  EXPECT_EQ(narrow.position, 320);
  EXPECT_EQ(narrow.atLimit, 1);
}

TEST(ScrollAxis, AutomaticSpeedAndRange) {
  ScrollAxis axis = Axis(100);
  axis.SetSpeed(1, 10, 2.0);
  EXPECT_DOUBLE_EQ(axis.speed, 0.5);
  axis.position = 1000;
  axis.Step();
  axis.Step();
  EXPECT_DOUBLE_EQ(axis.position, 1001.0);
  axis.SetSpeed(0, 10, 2.0);
  EXPECT_EQ(axis.speed, 0);
  EXPECT_EQ(axis.running, 0);
  axis.SetRange(5, 3, 1, 1);
  EXPECT_EQ(axis.lower, 320 + 160);
  EXPECT_EQ(axis.upper, axis.lower);  // raised to the lower limit
  axis.SetRange(0, 40, 0, 1);
  EXPECT_EQ(axis.upper, 320 + 41 * 32);
  EXPECT_EQ(BitLength(20), 5);
  EXPECT_EQ(Axis(21).rowLength, 32);
}

cVector<Pattern> Table(std::initializer_list<Pattern> patterns) { return cVector<Pattern>(patterns); }

TEST(AnimePlayer, StepsThroughEntriesAndEndCodes) {
  cAnimePlayer player;
  EXPECT_EQ(player.Step(), 0);  // no patterns
  player.Build(Table({Pattern{{5, 1, 0}, {6, 3, 0}, {-2, 0, 0}}, Pattern{{7, 2, 0}, {-1, 0, 0}},
                      Pattern{{8, 1, 0}, {-3, 0, 0}}, Pattern{{9, 1, 0}, {-4, 0, 0}}, Pattern{{-1, 0, 0}}}));
  player.SetPattern(0, 1);
  EXPECT_EQ(player.Step(), 6);  // duration 1: replaced at the first step
  EXPECT_EQ(player.Step(), 6);
  EXPECT_EQ(player.Step(), 6);
  EXPECT_EQ(player.Step(), 5);  // -2 loops
  player.SetPattern(1, 1);
  EXPECT_EQ(player.Step(), 7);
  EXPECT_EQ(player.Step(), 7);  // -1 steps back to the last real entry
  EXPECT_EQ(player.Step(), 7);
  player.SetPattern(2, 1);
  EXPECT_EQ(player.Step(), 5);  // -3 jumps to pattern 0
  EXPECT_EQ(player.Pattern(), 0);
  player.SetPattern(3, 1);
  EXPECT_EQ(player.Step(), -4);
  EXPECT_EQ(player.Step(), -4);  // the end holds
  player.SetPattern(4, 1);
  EXPECT_EQ(player.Step(), -1);  // -1 at entry 0 holds
  player.SetPattern(99, 1);      // missing: pattern 0
  EXPECT_EQ(player.Pattern(), 0);
}

TEST(AnimePlayer, HoldAndChangePattern) {
  cAnimePlayer player;
  player.Build(Table({Pattern{{1, 4, 1}, {-2, 0, 0}}, Pattern{{2, 4, 0}, {-2, 0, 0}}}));
  player.SetPattern(0, 1);
  EXPECT_EQ(player.SetPattern(1, 0), 0);
  EXPECT_EQ(player.SetPattern(1, 1), 1);
  player.Step();
  EXPECT_EQ(player.ChangePattern(1, 0), 1);
  EXPECT_EQ(player.Tick(), 1);  // not restarted
  // A duration of 0 moves on at every step.
  player.Build(Table({Pattern{{3, 0, 0}, {4, 0, 0}, {-2, 0, 0}}}));
  player.SetPattern(0, 1);
  EXPECT_EQ(player.Step(), 4);
  EXPECT_EQ(player.Step(), 3);
}

}  // namespace
