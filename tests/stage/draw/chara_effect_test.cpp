// Character effects on characters: stepping once per drawn frame, the
// blink's alternate intervals, how long a dead character stays, the death
// effect's run modes, and the base effect from set-up to death.
#include <gtest/gtest.h>

#include "project/database.h"
#include "project/global_data.h"
#include "shell/game/game.h"
#include "stage/chara/chara.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/draw/chara/chara_effect_advance.h"
#include "stage/scene/stage_hooks.h"
#include "tests/stage/stage_fixture.h"

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

// Reversed, the death effect starts from its end; there and back, the dead
// character stays until it has run both ways.
TEST_F(CharaEffectTest, DeathEffectsPlayInTheirRunMode) {
  // A computer character dying with the rotation in `mode`.
  const auto dieRotating = [](cChara& chara, int mode) {
    chara.op = 1;
    chara.def.m_nDeathEffect = 1;
    chara.def.m_nDeathEffectMode = static_cast<std::uint8_t>(mode);
    StartDeathEffect(chara);
  };
  cChara reversed;
  dieRotating(reversed, kPlayBackward);
  EXPECT_EQ(reversed.effect.playMode, kPlayBackward);
  EXPECT_EQ(reversed.effect.backward, 1);
  EXPECT_EQ(reversed.effect.value, 360.0);

  cChara thereAndBack;
  dieRotating(thereAndBack, kPlayThereAndBack);
  EXPECT_EQ(thereAndBack.effect.playMode, kPlayThereAndBack);
  EXPECT_EQ(thereAndBack.effect.backward, 0);
  int calls = 1;
  while (!AdvanceCharaDeath(thereAndBack) && calls < 500) ++calls;
  EXPECT_EQ(calls, 61 + 61);
}

// The base effect a definition names runs from set-up, for a character and
// the hero alike, and keeps looping; a death without an effect of its own
// clears it, so the character goes on the first advancing call and the hero
// after its second of death.
TEST_F(CharaEffectTest, BaseEffectsRunFromSetUpUntilTheDeath) {
  StageBuilder builder(20, 15, 2, 10);
  builder.Block(2, 11);
  builder.Hero().m_nBaseEffect = 2;  // blink, looping
  cEdChara& flyer = builder.Chara(8, 5);
  flyer.m_nFlight = 1;
  flyer.m_nBaseEffect = 1;
  flyer.m_nBaseEffectMode = kPlayThereAndBack;
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  cStageChara* chara = run.harness.CharaBySerial(1);
  ASSERT_NE(chara, nullptr);
  for (int frames : {0, 1, 200}) {
    for (int frame = 0; frame < frames; ++frame) run.harness.Step(0, 0);
    EXPECT_EQ(hero.effect.number, 2) << frames;
    EXPECT_EQ(hero.effect.loop, 1) << frames;
    EXPECT_EQ(chara->effect.number, 1) << frames;
    EXPECT_EQ(chara->effect.playMode, kPlayThereAndBack) << frames;
  }
  chara->KillChara();
  EXPECT_EQ(AdvanceCharaDeath(*chara), 1);
  hero.KillChara();
  int calls = 1;
  while (!AdvanceCharaDeath(hero) && calls < 500) ++calls;
  EXPECT_EQ(calls, 61);
}

}  // namespace
