// The hero's own motion on hand-made stages: the commanded x speed as an
// acceleration up to the stage's top speed with the stopping deceleration
// and a friction block, gravity and landing on the floor, a jump that rises
// and lands, falling out of the stage, the scroll that follows the hero
// inside its limits, the squeeze grace with and without a restart point,
// and equal state hashes on two runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "stage/chara/hero.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_hooks.h"
#include "tests/stage/stage_fixture.h"

namespace {

// A stage with a floor on row 5 under the hero at (column, 4).
StageBuilder FloorStage(int width, int heroColumn) {
  StageBuilder builder(width, 8, heroColumn, 4);
  for (int column = 0; column < width; ++column) builder.Block(column, 5);
  return builder;
}

// The hero's box is centred in its cell: it drops onto the floor first.
void Settle(StageRun& run) {
  for (int i = 0; i < 10; ++i) run.harness.Step(0, 0);
}

TEST(HeroMotion, CommandedSpeedLosesTheStoppingDecelerationAndStaysUnderTheTopSpeed) {
  StageBuilder builder = FloorStage(60, 2);
  builder.Hero().m_nStop = 10;  // 0.1 dots per sub-step at speed level 1
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  Settle(run);
  const double startX = hero.x;
  const double startY = hero.y;
  hero.cmdSpeedX = 1.0;
  for (int i = 0; i < 3; ++i) run.harness.Step(0, 0);
  // The flows reset vx every sub-step: cx 0.9, 0.8, 0.7 is the move.
  EXPECT_DOUBLE_EQ(hero.cmdSpeedX, 1.0 - 0.1 - 0.1 - 0.1);
  EXPECT_NEAR(hero.x - startX, 0.9 + 0.8 + 0.7, 1e-9);
  EXPECT_EQ(hero.y, startY);  // still standing on the floor

  hero.cmdSpeedX = -50.0;
  run.harness.Step(0, 0);
  EXPECT_EQ(hero.vx, -g_StageSpace.speedLimit);
  hero.cmdSpeedX = 50.0;
  hero.vx = 0;
  const double beforeX = hero.x;
  run.harness.Step(0, 0);
  EXPECT_EQ(hero.vx, g_StageSpace.speedLimit);
  EXPECT_DOUBLE_EQ(hero.x - beforeX, g_StageSpace.speedLimit);
}

TEST(HeroMotion, FrictionBlockScalesThePushWhileItsTimerRunsAndStopsAtZero) {
  StageBuilder builder = FloorStage(60, 2);
  builder.Hero().m_nStop = 0;
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  hero.blockEffectKind = 3;
  hero.blockEffectTimer = 1000;
  hero.blockEffectFactor = 0.5;
  hero.cmdSpeedX = 0.02;
  run.harness.Step(0, 0);
  // 4 / 60 x (0.5 - 1) per sub-step takes the small push past 0: it stops.
  EXPECT_EQ(hero.cmdSpeedX, 0.0);
  hero.cmdSpeedX = -1.0;
  run.harness.Step(0, 0);
  EXPECT_DOUBLE_EQ(hero.cmdSpeedX, -1.0 + 4.0 / 60.0 * 0.5);
  hero.blockEffectTimer = 0;  // the effect has run out
  run.harness.Step(0, 0);
  EXPECT_DOUBLE_EQ(hero.cmdSpeedX, -1.0 + 4.0 / 60.0 * 0.5);
}

TEST(HeroMotion, AJumpRisesToItsHeightAndLandsOnTheFloor) {
  StageRun run(FloorStage(30, 3));
  cHero& hero = *run.harness.Hero();
  Settle(run);
  const double floorY = hero.y;
  ASSERT_EQ(hero.onGround, 1);
  hero.vy = JumpSpeedForHeight(32);  // below the top speed
  double highest = floorY;
  int frames = 0;
  do {
    run.harness.Step(0, 0);
    highest = std::min(highest, hero.y);
  } while (!(highest < floorY - 8 && hero.standingCell >= 0) && ++frames < 200);
  // The landing keeps the fraction of y: the feet are back in the floor's
  // top row, within a dot of where they stood.
  EXPECT_NEAR(floorY - highest, 32.0, 1.0);
  EXPECT_NEAR(hero.y, floorY, 1.0);
  EXPECT_EQ(hero.vy, 0.0);
  EXPECT_GT(frames, 10);
}

TEST(HeroMotion, FallingOutOfTheStageIsDeadTwo) {
  StageRun run(StageBuilder(30, 8, 3, 2));
  for (int i = 0; i < 200 && !run.harness.Hero()->dead; ++i) run.harness.Step(0, 0);
  const auto& lines = run.harness.DebugLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Dead 2"), lines.end());
}

TEST(HeroMotion, TheScrollFollowsTheHeroInsideItsLimits) {
  {
    StageRun run(FloorStage(60, 30));
    cHero& hero = *run.harness.Hero();
    run.harness.Step(0, 0);
    EXPECT_EQ(g_StageSpace.scrollX.position, hero.x - (320 - hero.hitWidth / 2));
  }
  {
    StageRun run(FloorStage(60, 1));
    run.harness.Step(0, 0);
    EXPECT_EQ(g_StageSpace.scrollX.position, g_StageSpace.scrollX.lower);
  }
  {
    StageRun run(FloorStage(60, 59));
    run.harness.Step(0, 0);
    EXPECT_EQ(g_StageSpace.scrollX.position, g_StageSpace.scrollX.upper - 640);
  }
}

TEST(HeroMotion, SqueezeGraceRestoresTheRestartPointOnceAndThenRunsOut) {
  StageRun run(FloorStage(30, 3));
  cHero& hero = *run.harness.Hero();
  EXPECT_EQ(SurviveSqueeze(hero), 0);  // no grace since placement

  // During the grace without a restart point: survives where it stands.
  hero.squeezeGrace = 2;
  hero.restorePending = 1;
  const double x = hero.x;
  EXPECT_EQ(SurviveSqueeze(hero), 1);
  EXPECT_EQ(hero.x, x);

  // With one: put back there the first time, left alone the second.
  hero.restartSaved = 1;
  hero.restartX = 100;
  hero.restartY = 200;
  hero.restartRight = 123;
  hero.restartBottom = 223;
  EXPECT_EQ(SurviveSqueeze(hero), 1);
  EXPECT_EQ(hero.x, 100);
  EXPECT_EQ(hero.bottom, 223);
  EXPECT_EQ(hero.restorePending, 0);
  hero.x = 150;
  EXPECT_EQ(SurviveSqueeze(hero), 1);
  EXPECT_EQ(hero.x, 150);

  hero.squeezeGrace = 0;
  EXPECT_EQ(SurviveSqueeze(hero), 0);
}

std::vector<std::uint64_t> WalkAndJumpHashes() {
  StageRun run(FloorStage(60, 4));
  std::vector<std::uint64_t> hashes;
  for (int frame = 0; frame < 240; ++frame) {
    cHero& hero = *run.harness.Hero();
    if (frame % 40 == 0) hero.cmdSpeedX = frame % 80 == 0 ? 0.7 : -0.7;
    if (frame % 60 == 30 && hero.standingCell >= 0) hero.vy = JumpSpeedForHeight(48);
    run.harness.Step(0, 0);
    hashes.push_back(run.harness.Hash());
  }
  return hashes;
}

TEST(HeroMotion, WalkingAndJumpingGiveTheSameHashesOnTwoRuns) {
  const std::vector<std::uint64_t> first = WalkAndJumpHashes();
  EXPECT_EQ(first, WalkAndJumpHashes());
  EXPECT_NE(first.front(), first.back());
}

}  // namespace
