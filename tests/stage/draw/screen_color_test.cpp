// The screen colour's counters: the fade to the colour, the return, the
// blink with its repeats, and the held frame.
#include <gtest/gtest.h>

#include "stage/draw/layers/screen_color.h"

namespace {

using Params = std::array<std::int32_t, 8>;
constexpr auto kBlend = ScreenColorPath::Blend;

// Frames until the change is no longer active (0 when still active).
int RunToEnd(ScreenColorState& s, std::vector<int>* alphas = nullptr, int limit = 1000) {
  for (int frame = 1; frame <= limit; ++frame) {
    AdvanceScreenColor(s, 0);
    if (alphas) alphas->push_back(s.alpha);
    if (!s.active) return frame;
  }
  return 0;
}

TEST(ScreenColor, FullStrengthReachesTheColourOnThe61stFrameAndStays) {
  ScreenColorState s;
  StartScreenColorChange(s, Params{255, 0, 0, 100, 0, 10, 0, 0}, kBlend);
  std::vector<int> alphas;
  EXPECT_EQ(RunToEnd(s, &alphas, 200), 0);
  EXPECT_EQ(alphas[0], 255);
  EXPECT_GT(alphas[59], 0);
  EXPECT_EQ(alphas[60], 0);
  EXPECT_EQ(alphas[199], 0);
  EXPECT_TRUE(s.shown);

  // The return fades back from alpha 0 to 255 and ends.
  StartScreenColorChange(s, Params{0, 0, 0, 0, 1, 10, 0, 0}, kBlend);
  EXPECT_EQ(s.red, 255);
  alphas.clear();
  EXPECT_EQ(RunToEnd(s, &alphas), 61);
  EXPECT_EQ(alphas.front(), 0);
  EXPECT_EQ(alphas.back(), 255);
}

TEST(ScreenColor, ReturnWithNothingActiveIsIgnored) {
  ScreenColorState s;
  StartScreenColorChange(s, Params{1, 2, 3, 50, 1, 10, 0, 0}, kBlend);
  EXPECT_EQ(s.active, 0);
  StartScreenColorChange(s, Params{1, 2, 3, 50, 1, 10, 0, 0}, ScreenColorPath::Palette);
  EXPECT_EQ(s.active, 0);
}

TEST(ScreenColor, BlinkEndsEachCycleUnchangedAndStopsAfterItsRepeats) {
  ScreenColorState s;
  StartScreenColorChange(s, Params{0, 0, 255, 100, 0, 1, 1, 3}, kBlend);  // 6 frames a cycle
  std::vector<int> alphas;
  EXPECT_EQ(RunToEnd(s, &alphas), 21);
  // 255, 212, 170, 127, 85, 42, then the cycle's end frame unchanged.
  EXPECT_EQ(alphas[0], 255);
  EXPECT_EQ(alphas[1], 212);
  EXPECT_EQ(alphas[5], 42);
  EXPECT_EQ(alphas[6], 255);
  EXPECT_EQ(alphas[8], 212);
  EXPECT_EQ(alphas[20], 255);
}

// A change with time 0 shows at once the state the same change with a time
// ends on: full strength shows the full colour, a return the picture.
TEST(ScreenColor, TimeZeroShowsTheEndStateAtOnce) {
  for (const int strength : {40, 100}) {
    ScreenColorState timed;
    StartScreenColorChange(timed, Params{0, 0, 0, strength, 0, 1, 0, 0}, kBlend);
    for (int i = 0; i <= 6; ++i) AdvanceScreenColor(timed, 0);
    ScreenColorState now;
    StartScreenColorChange(now, Params{0, 0, 0, strength, 0, 0, 0, 0}, kBlend);
    AdvanceScreenColor(now, 0);
    EXPECT_EQ(now.alpha, timed.alpha) << strength;
    StartScreenColorChange(now, Params{0, 0, 0, 0, 1, 0, 0, 0}, kBlend);
    AdvanceScreenColor(now, 0);
    EXPECT_EQ(now.alpha, 255) << strength;
  }
}

TEST(ScreenColor, HeldFramesDoNotMoveAndZeroTimesDoNotDivide) {
  ScreenColorState s;
  StartScreenColorChange(s, Params{0, 0, 0, 100, 0, 10, 0, 0}, kBlend);
  for (int i = 0; i < 5; ++i) AdvanceScreenColor(s, 1);
  EXPECT_EQ(s.counter, 0);
  StartScreenColorChange(s, Params{0, 0, 0, 40, 0, -3, 0, 0}, kBlend);
  EXPECT_EQ(s.time, 0);
  AdvanceScreenColor(s, 0);
  EXPECT_EQ(s.alpha, 153);  // at once the end state of the same change with a time
  StartScreenColorChange(s, Params{0, 0, 0, 40, 0, 2147483647, 0, 0}, kBlend);
  EXPECT_EQ(s.time, 2147483647);
  AdvanceScreenColor(s, 0);
  EXPECT_EQ(s.alpha, 255);
}

}  // namespace
