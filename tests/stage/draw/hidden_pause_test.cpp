// A paused stage that the project hides: the pause menu's draws move
// nothing (a running gauge keeps its frames), while an ordinary paused
// stage's draws count it down.
#include <gtest/gtest.h>

#include "stage/chara/hero.h"
#include "stage/core/stage_rules.h"
#include "stage/draw/stage_drawing.h"
#include "tests/stage/stage_fixture.h"

namespace {

TEST(HiddenPause, ThePauseMenuDrawsMoveNothingOnAHiddenStage) {
  StageRun run(StageBuilder(20, 5, 2, 2));
  cStageScene& scene = run.harness.Scene();
  cHero& hero = *run.harness.Hero();
  hero.def.m_nMaxHp = 100;
  hero.StartHpGauge(-10);
  scene.SetPhase(kPhasePause);

  g_StageRules.hideStageOnPause = 1;
  EXPECT_TRUE(IsStageHiddenByPause(scene, 0));
  EXPECT_FALSE(IsStageHiddenByPause(scene, 1));
  const std::uint64_t before = run.harness.Hash();
  scene.Draw(0, 1, 0, 1);
  EXPECT_EQ(hero.hpGauge.timer, 120);
  EXPECT_EQ(run.harness.Hash(), before);

  g_StageRules.hideStageOnPause = 0;
  scene.Draw(0, 1, 0, 1);
  EXPECT_EQ(hero.hpGauge.timer, 119);
}

}  // namespace
