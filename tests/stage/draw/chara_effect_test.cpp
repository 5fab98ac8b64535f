// Character effects on characters: stepping once per drawn frame, the
// blink's alternate intervals, and how long a dead character stays.
#include <gtest/gtest.h>

#include "project/database.h"
#include "project/global_data.h"
#include "shell/game/game.h"
#include "stage/chara/chara.h"
#include "stage/draw/chara/chara_effect_advance.h"
#include "stage/scene/stage_hooks.h"

namespace {

class CharaEffectTest : public testing::Test {
 protected:
  void SetUp() override {
    m_started = !g_Database.IsStarted();
    if (m_started) StartProjectData();
    g_Database->m_vCharaEffect.resize(1);
    Add(kCharaEffectRotateA, {10, 0, 360, 0, 0});
    Add(kCharaEffectBlink, {10, 3, 0, 0, 0});
    BuildEffectWorkCopies(*g_Database);
    InitCharaEffectSlots();
    m_fps = g_Game.m_nFps;
    g_Game.m_nFps = 60;
  }
  void TearDown() override {
    g_Game.m_nFps = m_fps;
    if (m_started) StopProjectData();
  }
  void Add(int kind, std::array<std::int32_t, 5> params) {
    cCharaEffect effect;
    effect.m_nKind = kind;
    effect.m_anParam = params;
    g_Database->m_vCharaEffect.push_back(effect);
  }
  bool m_started = false;
  int m_fps = 0;
};

TEST_F(CharaEffectTest, StepsOncePerDrawnFrameAndHoldsWithoutAdvance) {
  cChara chara;
  SelectCharaEffect(chara.effect, 1, 0, 0);
  AdvanceCharaEffect(chara, 1);
  EXPECT_EQ(chara.effect.value, 0.0);
  int frames = 1;
  while (!AdvanceCharaEffect(chara, 0) && frames < 200) ++frames;
  EXPECT_EQ(frames, 61);
  EXPECT_EQ(chara.effect.number, 0);
  EXPECT_EQ(chara.shownEffect.value, 360.0);  // the last frame shows the end
}

TEST_F(CharaEffectTest, BlinkHidesEveryOtherInterval) {
  cChara chara;
  SelectCharaEffect(chara.effect, 2, 0, 0);
  std::vector<int> shown;
  for (int i = 0; i < 8; ++i) {
    AdvanceCharaEffect(chara, 0);
    shown.push_back(chara.shownEffect.counterB == 0 ? 1 : 0);
  }
  EXPECT_EQ(shown, (std::vector<int>{1, 1, 0, 0, 0, 1, 1, 1}));
}

TEST_F(CharaEffectTest, DeadCharactersStayForTheirEffectOrASecond) {
  cChara computer;
  computer.op = 1;
  EXPECT_EQ(AdvanceCharaDeath(computer), 1);  // no effect: gone at once

  cChara withEffect;
  withEffect.op = 1;
  withEffect.def.m_nDeathEffect = 1;
  StartDeathEffect(withEffect);
  int calls = 1;
  while (!AdvanceCharaDeath(withEffect) && calls < 200) ++calls;
  EXPECT_EQ(calls, 61);

  cChara player;
  player.op = 0;
  calls = 1;
  while (!AdvanceCharaDeath(player) && calls < 200) ++calls;
  EXPECT_EQ(calls, 61);

  cChara playerWithEffect;
  playerWithEffect.op = 0;
  playerWithEffect.def.m_nDeathEffect = 1;
  StartDeathEffect(playerWithEffect);
  calls = 1;
  while (!AdvanceCharaDeath(playerWithEffect) && calls < 500) ++calls;
  EXPECT_EQ(calls, 61 + 61);  // the effect, then 61 frames more
}

}  // namespace
