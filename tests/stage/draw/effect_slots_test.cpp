// Stepping of character-effect and screen-effect slots: run lengths, fixed
// runs, backward and there-and-back plays, loops and bad numbers, and the
// binding that follows the database.
#include <gtest/gtest.h>

#include "project/database.h"
#include "project/global_data.h"
#include "stage/draw/effects/chara_effect_slot.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/blits/shaped_blits.h"
#include "graphics/device/device.h"
#include "stage/draw/effects/screen_effect_advance.h"
#include "stage/draw/effects/screen_effect_pixels.h"
#include "stage/draw/resources/screen_copies.h"
#include "tests/graphics/effect_test_support.h"

namespace {

class EffectSlotsTest : public testing::Test {
 protected:
  void SetUp() override {
    m_started = !g_Database.IsStarted();
    if (m_started) StartProjectData();
    g_Database->m_vCharaEffect.clear();
    g_Database->m_vScrEffect.clear();
    AddCharaEffect(kCharaEffectNone, {0, 0, 0, 0, 0});
    AddScrEffect(kScreenEffectNone, {0, 0, 0, 0, 0});
  }
  void TearDown() override {
    if (m_started) StopProjectData();
  }

  int AddCharaEffect(int kind, std::array<std::int32_t, 5> params) {
    cCharaEffect effect;
    effect.m_nKind = kind;
    effect.m_anParam = params;
    g_Database->m_vCharaEffect.push_back(effect);
    return static_cast<int>(g_Database->m_vCharaEffect.size()) - 1;
  }
  int AddScrEffect(int kind, std::array<std::int32_t, 5> params) {
    cScrEffect effect;
    effect.m_nKind = kind;
    effect.m_anParam = params;
    g_Database->m_vScrEffect.push_back(effect);
    return static_cast<int>(g_Database->m_vScrEffect.size()) - 1;
  }
  void Bind() {
    BuildEffectWorkCopies(*g_Database);
    InitCharaEffectSlots();
    InitScrEffectSlots();
  }
  // Steps until the effect ends; the number of the step that ended it (0
  // when it had not ended after `limit` steps).
  static int StepsToEnd(cCharaEffectSlot& slot, int limit = 10000) {
    for (int i = 1; i <= limit; ++i)
      if (StepCharaEffect(slot)) return i;
    return 0;
  }
  static int FramesToEnd(ScreenEffectFrame& frame, int limit = 10000) {
    for (int i = 1; i <= limit; ++i) {
      AdvanceScreenEffect(frame, 0);
      if (frame.finished) return i;
    }
    return 0;
  }

  bool m_started = false;
};

TEST_F(EffectSlotsTest, RotationFromZeroTo360EndsOnThe61stStepForwardAndBackward) {
  const int n = AddCharaEffect(kCharaEffectRotateA, {10, 0, 360, 0, 0});
  Bind();
  cCharaEffectSlot slot;
  SelectCharaEffect(slot, n, kPlayForward, 0);
  EXPECT_EQ(slot.Kind(), kCharaEffectRotateA);
  EXPECT_DOUBLE_EQ(slot.step, 6.0);
  EXPECT_EQ(StepsToEnd(slot), 61);

  cCharaEffectSlot back;
  SelectCharaEffect(back, n, kPlayBackward, 0);
  EXPECT_EQ(back.value, 360.0);
  EXPECT_EQ(back.end, 0);
  EXPECT_EQ(StepsToEnd(back), 61);
  // The forward set still runs forward after the backward set was bound.
  EXPECT_EQ(g_CharaEffectSlots.forward[static_cast<std::size_t>(n)].start, 0);
}

TEST_F(EffectSlotsTest, EqualStartAndEndRunsForTheRunTime) {
  const int n = AddCharaEffect(kCharaEffectCircle, {10, 5, 5, 1, 0});
  const int blink = AddCharaEffect(kCharaEffectBlink, {5, 4, 0, 0, 0});
  Bind();
  cCharaEffectSlot slot;
  SelectCharaEffect(slot, n, kPlayForward, 0);
  // Elapsed passes 10 tenths after 61 frames of 1/6 (sums of 1/6 round up).
  const int steps = StepsToEnd(slot);
  EXPECT_GE(steps, 60);
  EXPECT_LE(steps, 61);
  SelectCharaEffect(slot, blink, kPlayForward, 0);
  EXPECT_EQ(slot.start, 0);
  EXPECT_EQ(slot.end, 5);
  EXPECT_NEAR(StepsToEnd(slot), 30, 1);
}

TEST_F(EffectSlotsTest, ThereAndBackPlaysBothWaysThenEndsOrLoops) {
  const int n = AddCharaEffect(kCharaEffectZoom, {1, 0, 12, 0, 0});  // 2 dots a frame, 6 frames
  Bind();
  cCharaEffectSlot slot;
  SelectCharaEffect(slot, n, kPlayThereAndBack, 0);
  EXPECT_EQ(StepsToEnd(slot), 0 + 7 + 7);  // forward 7 steps, then backward 7
  EXPECT_EQ(slot.backward, 1);

  SelectCharaEffect(slot, n, kPlayThereAndBack, 1);
  EXPECT_EQ(StepsToEnd(slot, 500), 0);
  SelectCharaEffect(slot, n, kPlayForward, 1);
  EXPECT_EQ(StepsToEnd(slot, 500), 0);
  EXPECT_EQ(slot.backward, 0);
}

TEST_F(EffectSlotsTest, ZeroRunTimeReachesTheEndInOneStep) {
  const int n = AddCharaEffect(kCharaEffectRotateA, {0, 0, 90, 0, 0});
  const int s = AddScrEffect(kScreenEffectMove, {0, 0, 0, 100, 50});
  Bind();
  cCharaEffectSlot slot;
  SelectCharaEffect(slot, n, kPlayForward, 0);
  EXPECT_EQ(StepsToEnd(slot), 2);
  EXPECT_EQ(slot.value, 180.0);

  ScreenEffectFrame frame;
  StartScreenEffect(frame, s, 0, 0);
  AdvanceScreenEffect(frame, 0);
  EXPECT_EQ(frame.current.counterA, 100);
  EXPECT_EQ(frame.current.counterB, 50);
}

TEST_F(EffectSlotsTest, NumbersOutsideTheListsStartNothing) {
  const int strangeChara = AddCharaEffect(40, {10, 0, 5, 0, 0});
  const int strangeScreen = AddScrEffect(14, {10, 0, 5, 0, 0});
  Bind();
  cCharaEffectSlot strange;
  SelectCharaEffect(strange, strangeChara, kPlayForward, 0);
  EXPECT_EQ(strange.number, 0);
  ScreenEffectFrame unknown;
  StartScreenEffect(unknown, strangeScreen, 0, 0);
  EXPECT_EQ(unknown.current.number, 0);
  cCharaEffectSlot slot;
  SelectCharaEffect(slot, 5, kPlayForward, 0);
  SelectCharaEffect(slot, -1, kPlayForward, 0);
  EXPECT_EQ(slot.number, 0);
  EXPECT_EQ(slot.Kind(), kCharaEffectNone);
  ScreenEffectFrame frame;
  StartScreenEffect(frame, 7, 0, 0);
  EXPECT_EQ(frame.current.number, 0);
}

// An entry of kind "none" is an effect like any other: selecting it stops
// the running one, and it draws nothing and never ends by itself.
TEST_F(EffectSlotsTest, AnEntryOfKindNoneReplacesTheRunningEffectAndNeverEnds) {
  const int wave = AddScrEffect(kScreenEffectWaveH, {10, 0, 5, 3, 2});
  const int none = AddScrEffect(kScreenEffectNone, {10, 0, 0, 0, 0});
  Bind();
  ScreenEffectFrame frame;
  StartScreenEffect(frame, wave, kPlayForward, 1);
  AdvanceScreenEffect(frame, 0);
  StartScreenEffect(frame, none, kPlayForward, 0);
  EXPECT_EQ(frame.current.number, none);
  EXPECT_EQ(frame.current.Kind(), kScreenEffectNone);
  EXPECT_EQ(FramesToEnd(frame, 1000), 0);
  EXPECT_EQ(frame.shown.number, none);
}

TEST_F(EffectSlotsTest, ShakeTurnsAtItsAmplitudeAndEndsWhenTheTruncatedSumPassesT) {
  const int n = AddScrEffect(kScreenEffectShakeH, {10, 10, 2, 0, 0});
  Bind();
  ScreenEffectFrame frame;
  StartScreenEffect(frame, n, 0, 0);
  AdvanceScreenEffect(frame, 0);
  EXPECT_DOUBLE_EQ(frame.current.secondValue, 4.0 / 3.0);
  EXPECT_EQ(frame.shown.secondValue, 0.0);  // the pixels show the state before the update
  double highest = 0, lowest = 0;
  int frames = 1;
  for (; frames < 1000 && !frame.finished; ++frames) {
    AdvanceScreenEffect(frame, 0);
    highest = std::max(highest, frame.shown.secondValue);
    lowest = std::min(lowest, frame.shown.secondValue);
  }
  EXPECT_EQ(highest, 10.0);
  EXPECT_EQ(lowest, -10.0);
  EXPECT_EQ(frames, 67);
  EXPECT_EQ(frame.current.number, 0);
}

TEST_F(EffectSlotsTest, HoldRedrawsWithoutMoving) {
  const int n = AddScrEffect(kScreenEffectWaveH, {10, 0, 60, 3, 4});
  Bind();
  ScreenEffectFrame frame;
  StartScreenEffect(frame, n, 0, 0);
  AdvanceScreenEffect(frame, 0);
  const cScrEffectSlot before = frame.current;
  AdvanceScreenEffect(frame, 1);
  EXPECT_EQ(frame.current.value, before.value);
  EXPECT_EQ(frame.current.counterA, before.counterA);
  EXPECT_EQ(frame.shown.counterA, 1);
}

TEST_F(EffectSlotsTest, ScreenRotationFixedRunAndThereAndBack) {
  const int fixed = AddScrEffect(kScreenEffectRotate, {10, 45, 45, 0, 0});
  const int turn = AddScrEffect(kScreenEffectRotate, {1, 0, 60, 0, 0});  // 10 degrees a frame
  Bind();
  ScreenEffectFrame frame;
  StartScreenEffect(frame, fixed, 0, 0);
  EXPECT_EQ(frame.current.fixedRun, 1);
  EXPECT_NEAR(FramesToEnd(frame), 61, 1);

  StartScreenEffect(frame, turn, 2, 0);
  // Forward: 0..60 by 10 ends when trunc(value) > 60 (7 updates), then back.
  EXPECT_EQ(FramesToEnd(frame), 14);
  StartScreenEffect(frame, turn, 2, 1);
  EXPECT_EQ(FramesToEnd(frame, 300), 0);
  StartScreenEffect(frame, 0, 0, 0);
  EXPECT_EQ(frame.current.number, 0);
}

TEST_F(EffectSlotsTest, BlinkTogglesEveryIntervalBeforeDrawing) {
  const int n = AddScrEffect(kScreenEffectBlink, {10, 3, 0, 0, 0});
  Bind();
  ScreenEffectFrame frame;
  StartScreenEffect(frame, n, 0, 0);
  std::vector<int> shown;
  for (int i = 0; i < 8; ++i) {
    AdvanceScreenEffect(frame, 0);
    shown.push_back(frame.shown.counterB);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 0, 1, 1, 1, 0, 0}));
}

// The waves leave colour 16 exactly where their slices leave the screen
// uncovered (slices moved part or all of the way off it), whether or not the
// draw colour lets the slices replace what they cover, and whether or not
// the rows are copied and drawn back one at a time: the frame and the copy
// are those of the screen copied aside (over a copy already holding a
// picture, or one cleared by a fill not yet written, from a screen with
// see-through and half see-through pixels), cleared whole and drawn over by
// the slices.
TEST_F(EffectSlotsTest, AWaveLeavesTheEmptyColourWhereItsSlicesLeaveTheScreen) {
  const int across = AddScrEffect(kScreenEffectWaveH, {10, 0, 2000, 3, 7});
  const int down = AddScrEffect(kScreenEffectWaveV, {10, 0, 900, 2, 9});
  Bind();
  ASSERT_TRUE(effect_test::StartDevice(effect_test::Mode::Direct3D32, 640, 480));
  const auto paint = [](bool clearedCopy) {
    cPixelBuffer* screen = SurfacePixels(&BackBuffer);
    cPixelBuffer* copy = SurfacePixels(ScreenCopy(0));
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) {
        const std::uint32_t alpha = x % 3 == 0 ? 0x40000000u : x % 7 == 0 ? 0u : 0xFF000000u;
        screen->Row32(y)[x] = (std::uint32_t(x * 40503u + y * 9973u) & 0xFFFFFF) | alpha;
        if (!clearedCopy) copy->Row32(y)[x] = std::uint32_t(y * 7u + x);
      }
    if (clearedCopy) copy->Clear(0xFF2050A0u);
  };
  for (const int n : {across, down})
    for (const std::uint32_t drawColour : {0xFFFFFFFFu, 0xC0FFFFFFu, 0xFF80FF40u})
      for (const bool clearedCopy : {false, true}) {
        SCOPED_TRACE(testing::Message() << n << " " << std::hex << drawColour << " " << clearedCopy);
        ScreenEffectFrame frame;
        StartScreenEffect(frame, n, 0, 0);
        for (int i = 0; i < 5; ++i) AdvanceScreenEffect(frame, 0);
        DDSetDrawColor(drawColour);
        paint(clearedCopy);
        DrawScreenEffect(frame, ScreenPoint{}, nullptr);
        const cPixelBuffer drawn = *SurfacePixels(&BackBuffer);
        const cPixelBuffer copied = *SurfacePixels(ScreenCopy(0));
        paint(clearedCopy);
        const cScrEffectSlot& s = frame.shown;
        DDSURFACEDATA* copy = ScreenCopy(0);
        DDBlt(copy, 0, 0, 640, 480, &BackBuffer, 0, 0, 0);
        DDFillRect(&BackBuffer, 0, 0, 640, 480, 16);
        DDSetAlphaOp(1);
        DDBltWave(&BackBuffer, 0, 0, 640, 480, s.Param(3), s.value, s.counterA, s.Param(4), copy, 0, 0, 0,
                  n == down ? 1 : 0);
        DDResetAlphaOp();
        const cPixelBuffer* expected = SurfacePixels(&BackBuffer);
        const cPixelBuffer* expectedCopy = SurfacePixels(copy);
        int differing = 0;
        for (int y = 0; y < 480; ++y)
          for (int x = 0; x < 640; ++x)
            differing +=
                (drawn.Row32(y)[x] != expected->Row32(y)[x]) + (copied.Row32(y)[x] != expectedCopy->Row32(y)[x]);
        EXPECT_EQ(differing, 0);
      }
  DDResetDrawColor();
  ReleaseScreenCopies();
  DDRelease();
}

// Without a running effect nothing is drawn and the virtual back buffer
// stays as it is; an effect that ends switches it off, and so does each
// frame of an effect of kind "none".
TEST_F(EffectSlotsTest, TheEndOfAnEffectOrAnEffectOfKindNoneSwitchesTheVirtualBackBufferOff) {
  const int move = AddScrEffect(kScreenEffectMove, {1, 0, 0, 8, 0});
  const int none = AddScrEffect(kScreenEffectNone, {1, 0, 0, 0, 0});
  Bind();
  ASSERT_TRUE(effect_test::StartDevice(effect_test::Mode::Direct3D32, 640, 480));
  DDSetVirBackBufferMode(1);
  ScreenEffectFrame frame;
  AdvanceScreenEffect(frame, 0);
  DrawScreenEffect(frame, ScreenPoint{}, nullptr);
  EXPECT_EQ(lpDTCon->bVirBackBuffer, 1);
  StartScreenEffect(frame, move, 0, 0);
  int frames = 0;
  while (!frame.finished && frames < 100) {
    AdvanceScreenEffect(frame, 0);
    DrawScreenEffect(frame, ScreenPoint{}, nullptr);
    if (!frame.finished) { EXPECT_EQ(lpDTCon->bVirBackBuffer, 1); }
    ++frames;
  }
  EXPECT_EQ(frames, 12);  // trunc(value) passes T = 1 when the value reaches 2
  EXPECT_EQ(lpDTCon->bVirBackBuffer, 0);
  DDSetVirBackBufferMode(1);
  StartScreenEffect(frame, none, 0, 0);
  AdvanceScreenEffect(frame, 0);
  DrawScreenEffect(frame, ScreenPoint{}, nullptr);
  EXPECT_EQ(frame.finished, 0);
  EXPECT_EQ(lpDTCon->bVirBackBuffer, 0);
  ReleaseScreenCopies();
  DDRelease();
}

// The slots follow the database: lists made anew (project data stopped and
// started again, another database put in its place, the lists loaded again)
// are bound again at the next selection, never read where the old ones
// were; and binding again exchanges a backward effect's ends once, not back.
TEST_F(EffectSlotsTest, SlotsBindAgainToADatabaseMadeAnew) {
  AddCharaEffect(kCharaEffectRotateA, {10, 0, 360, 0, 0});
  AddScrEffect(kScreenEffectSplitH, {10, 0, 100, 0, 0});
  Bind();
  *g_Database = cDatabase();
  g_Database->m_vCharaEffect[1].m_nKind = kCharaEffectRotateA;
  g_Database->m_vCharaEffect[1].m_anParam = {10, 90, 180, 0, 0};
  g_Database->m_vScrEffect[1].m_nKind = kScreenEffectSplitH;
  g_Database->m_vScrEffect[1].m_anParam = {10, 20, 40, 0, 0};
  BuildEffectWorkCopies(*g_Database);
  for (int bindings = 1; bindings <= 2; ++bindings) {
    SCOPED_TRACE(bindings);
    cCharaEffectSlot chara;
    cScrEffectSlot screen;
    SelectCharaEffect(chara, 1, kPlayForward, 0);
    SelectScrEffect(screen, 1, kPlayForward, 0);
    EXPECT_EQ(chara.definition, &g_Database->m_vCharaEffect[1]);
    EXPECT_EQ(screen.definition, &g_Database->m_vScrEffect[1]);
    EXPECT_EQ(chara.value, 90.0);
    EXPECT_EQ(screen.value, 20.0);
    SelectCharaEffect(chara, 1, kPlayBackward, 0);
    SelectScrEffect(screen, 1, kPlayBackward, 0);
    EXPECT_EQ(chara.value, 180.0);
    EXPECT_EQ(chara.end, 90);
    EXPECT_EQ(screen.value, 40.0);
    InitCharaEffectSlots();  // bound a second time: still the same ends
    InitScrEffectSlots();
  }
}

}  // namespace
