// Point effects: placement at the centre of the boxes' overlap with the
// random jitter (x drawn first), scaled sizes, the run of the animation and
// bad effect numbers.
#include <gtest/gtest.h>

#include "foundation/text_format.h"
#include "project/frame_tables.h"
#include "project/global_data.h"
#include "stage/draw/effects/stage_effect.h"

namespace {

class StageEffectTest : public testing::Test {
 protected:
  void SetUp() override {
    m_started = !g_Database.IsStarted();
    if (m_started) StartProjectData();
    cEffect effect;
    effect.m_nCellWidth = 20;
    effect.m_nCellHeight = 10;
    effect.m_nValue = 1;  // may be scaled
    effect.m_vFrames.resize(2);
    effect.m_vFrames[0].nFirst = 3;
    effect.m_vFrames[0].nSecond = 1;  // one tenth: 6 frames
    effect.m_vFrames[1].nFirst = 4;
    effect.m_vFrames[1].nSecond = 1;
    g_Database->m_vEffect.resize(1);
    g_Database->m_vEffect.push_back(effect);
    BuildEffectFrames(g_EffectFrameTable, *g_Database);
  }
  void TearDown() override {
    if (m_started) StopProjectData();
  }
  bool m_started = false;
};

TEST_F(StageEffectTest, PlacedAtTheOverlapCentreWithJitterXFirst) {
  const EffectBox attacker{100, 50, 139, 81};
  const EffectBox target{120, 60, 179, 99};  // overlap 120..139 x 60..81
  SeedRand(5);
  const int jitterX = GetRand(-4, 4);
  const int jitterY = GetRand(-4, 4);
  SeedRand(5);
  cStageEffect effect(1, attacker, target, 1);
  EXPECT_EQ(effect.scaled, 0);
  EXPECT_EQ(effect.x, 120 + 10 - 10 + jitterX);
  EXPECT_EQ(effect.y, 60 + 11 - 5 + jitterY);

  SeedRand(5);
  const int scaledX = GetRand(-8, 8);
  SeedRand(5);
  cStageEffect big(1, attacker, target, 2);
  EXPECT_EQ(big.scaled, 1);
  EXPECT_EQ(big.width, 40);
  EXPECT_EQ(big.height, 20);
  EXPECT_EQ(big.x, 120 + 10 - 20 + scaledX);

  // Boxes that do not meet place the effect about (0, 0).
  SeedRand(5);
  cStageEffect apart(1, EffectBox{0, 0, 9, 9}, EffectBox{50, 50, 59, 59}, 1);
  EXPECT_EQ(apart.x, 0 + 0 - 10 + jitterX);
}

TEST_F(StageEffectTest, ShowsEveryFrameThenEnds) {
  cStageEffect effect(1, EffectBox{0, 0, 31, 31}, EffectBox{0, 0, 31, 31}, 1);
  std::vector<int> shown;
  int frames = 0;
  while (!effect.Advance() && frames < 100) {
    shown.push_back(effect.shownFrame);
    ++frames;
  }
  EXPECT_EQ(frames, 12);
  EXPECT_EQ(shown.front(), 3);
  EXPECT_EQ(shown.back(), 4);
  EXPECT_EQ(effect.shownFrame, -1);
}

TEST_F(StageEffectTest, UndefinedNumbersEndAtOnce) {
  for (int n : {0, 2, -1, 40000}) {
    cStageEffect effect(n, EffectBox{}, EffectBox{}, 1);
    EXPECT_EQ(effect.Advance(), 1) << n;
  }
}

}  // namespace
