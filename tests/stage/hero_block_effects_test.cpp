// What the block under the hero does to it: the friction block's factor and
// timer, the conveyors and the push they cancel, the spring, the
// "ジャンプ禁止" flag that only a block of another effect clears, nothing
// for a hero that passes blocks, and the item block's cooldown.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "stage/chara/hero.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_hooks.h"
#include "tests/stage/stage_fixture.h"

namespace {

enum : int { kSpring = 1, kNoJump = 2, kFriction = 3, kConveyorLeft = 4, kConveyorRight = 5 };

// The hero stands on column 4 of row 5; that block (or every block) has
// `effect` and `value`, the others none.
StageBuilder EffectStage(int effect, int value, int speedLevel = 1, bool everyBlock = false) {
  StageBuilder builder(30, 8, 4, 4, speedLevel);
  for (int column = 0; column < 30; ++column) {
    builder.Block(column, 5);
    if (column != 4 && !everyBlock) continue;
    builder.stage.m_vBlock.back().m_nEffect = static_cast<std::uint8_t>(effect);
    builder.stage.m_vBlock.back().m_nEffectValue = static_cast<std::uint32_t>(value);
  }
  return builder;
}

// The hero lands on its block (the collision leaves it standing on every
// other frame while it rests).
cHero& Settled(StageRun& run) {
  cHero& hero = *run.harness.Hero();
  for (int i = 0; i < 20 && (i < 10 || hero.standingCell < 0); ++i) run.harness.Step(0, 0);
  EXPECT_GE(hero.standingCell, 0);
  return hero;
}

TEST(HeroBlockEffects, FrictionSetsItsFactorAndTimerAndScalesTheSpeedWhileItRuns) {
  StageRun run(EffectStage(kFriction, 50, 3));
  cHero& hero = Settled(run);
  hero.blockEffectTimer = 0;
  hero.vx = 2;
  EXPECT_EQ(RunHeroBlockEffect(run.harness.Scene(), hero), 0);
  EXPECT_EQ(hero.blockEffectKind, kFriction);
  EXPECT_DOUBLE_EQ(hero.blockEffectFactor, 0.5);
  EXPECT_EQ(hero.blockEffectTimer, 2);  // the speed level, one call counted
  EXPECT_DOUBLE_EQ(hero.vx, 1.0);
  hero.blockEffectFactor = 0.25;  // a running effect is not started again
  RunHeroBlockEffect(run.harness.Scene(), hero);
  EXPECT_DOUBLE_EQ(hero.vx, 0.25);
  EXPECT_EQ(hero.blockEffectTimer, 1);
  RunHeroBlockEffect(run.harness.Scene(), hero);
  EXPECT_EQ(hero.blockEffectTimer, 0);
}

TEST(HeroBlockEffects, ConveyorsPushAndCancelAPushTheOtherWay) {
  {
    StageRun run(EffectStage(kConveyorLeft, 20, 1, true));
    cHero& hero = Settled(run);
    hero.blockEffectTimer = 0;
    hero.vx = 0;
    hero.cmdSpeedX = 1;
    RunHeroBlockEffect(run.harness.Scene(), hero);
    EXPECT_DOUBLE_EQ(hero.vx, -2.0);
    EXPECT_EQ(hero.cmdSpeedX, 0);
  }
  {
    StageRun run(EffectStage(kConveyorRight, 20, 1, true));
    cHero& hero = Settled(run);
    hero.blockEffectTimer = 0;
    hero.vx = 0;
    hero.cmdSpeedX = 1;  // the same way: kept
    RunHeroBlockEffect(run.harness.Scene(), hero);
    EXPECT_DOUBLE_EQ(hero.vx, 2.0);
    EXPECT_EQ(hero.cmdSpeedX, 1);
    const double x = hero.x;
    run.harness.Step(0, 0);
    EXPECT_GT(hero.x, x);  // carried along by the frame step
  }
}

TEST(HeroBlockEffects, ASpringThrowsTheHeroUpWithItsSound) {
  StageRun run(EffectStage(kSpring, 2));
  cHero& hero = *run.harness.Hero();
  for (int i = 0; i < 20 && run.harness.Sounds().empty(); ++i) run.harness.Step(0, 0);
  // Thrown in this frame's sub-step, after its flows: gravity has pulled
  // once since.
  EXPECT_NEAR(hero.vy, std::max(JumpSpeedForHbl(2) + g_StageSpace.gravityStep, -g_StageSpace.speedLimit), 1e-9);
  EXPECT_EQ(hero.jumping, 1);
  EXPECT_EQ(hero.mayJump, 0);
  EXPECT_EQ(hero.jumpHoldCount, StepsToApex(JumpSpeedForHbl(2)));
  ASSERT_FALSE(run.harness.Sounds().empty());
  EXPECT_EQ(run.harness.Sounds().back(), 10);
}

TEST(HeroBlockEffects, NoJumpHoldsUntilABlockOfAnotherEffect) {
  StageRun run(EffectStage(kNoJump, 0));
  cHero& hero = Settled(run);
  EXPECT_EQ(hero.jumpForbidden, 1);
  hero.standingCell = -1;  // in the air: kept
  RunHeroBlockEffect(run.harness.Scene(), hero);
  EXPECT_EQ(hero.jumpForbidden, 1);
  for (int i = 0; i < 120 && hero.jumpForbidden; ++i) {
    hero.cmdSpeedX = 1.0;
    run.harness.Step(0, 0);
  }
  EXPECT_EQ(hero.jumpForbidden, 0);  // walked onto a plain block
  EXPECT_GT(hero.x + hero.hitWidth, 5 * 32 + 320);
}

TEST(HeroBlockEffects, AHeroThatPassesBlocksFeelsNone) {
  StageRun run(EffectStage(kFriction, 50));
  cHero& hero = Settled(run);
  hero.blockEffectTimer = 0;
  hero.blockEffectKind = 0;
  hero.SetMoveMode(1);  // floating through blocks
  RunHeroBlockEffect(run.harness.Scene(), hero);
  EXPECT_EQ(hero.blockEffectKind, 0);
}

TEST(HeroBlockEffects, AnItemBlockWaitsASecondOrUntilTheHeroStepsElsewhere) {
  StageBuilder builder = EffectStage(0, 0);
  builder.stage.m_vPaletteItem.push_back(cEdItem());
  builder.stage.m_vBlock[4].m_nItemPalKind = kPaletteStage;
  builder.stage.m_vBlock[4].m_nItemIndex = 0;
  StageRun run(builder);
  run.harness.Step(0, 0);
  cHero& hero = Settled(run);
  EXPECT_GT(hero.itemBlockCooldown, 0);
  EXPECT_LE(hero.itemBlockCooldown, 60);
  for (int i = 0; i < 40 && hero.itemBlockCooldown != 0; ++i) {
    hero.cmdSpeedX = 1.0;
    run.harness.Step(0, 0);
  }
  EXPECT_EQ(hero.itemBlockCooldown, 0);
  EXPECT_LT(hero.x - 4 * 32 - 320, 64);  // ended by the next block, not by the second
}

// A walk back and forth over every kind of effect block, with the boxes
// shown, hashed every frame.
std::vector<std::uint64_t> EffectWalkHashes(bool perturbHeap) {
  std::vector<std::unique_ptr<char[]>> stir;
  if (perturbHeap) stir = StirHeap();
  StageBuilder builder(40, 8, 4, 4, 2);
  for (int column = 0; column < 40; ++column) {
    builder.Block(column, 5);
    builder.stage.m_vBlock.back().m_nEffect = static_cast<std::uint8_t>(column / 3 % 6);
    builder.stage.m_vBlock.back().m_nEffectValue = column / 3 % 6 == kSpring ? 2u : 40u;
  }
  for (int i = 0; i < 4; ++i) builder.stage.HeroGraphic1[i] = 1 + i % 2;
  StageRun run(builder);
  std::vector<std::uint64_t> hashes;
  for (int frame = 0; frame < 600; ++frame) {
    run.harness.Hero()->cmdSpeedX = frame / 150 % 2 == 0 ? 1.0 : -1.0;
    run.harness.Step(0, 0);
    hashes.push_back(run.harness.Hash());
  }
  return hashes;
}

TEST(HeroBlockEffects, AWalkOverEffectBlocksHashesTheSameOnEveryRun) {
  const std::vector<std::uint64_t> first = EffectWalkHashes(false);
  EXPECT_EQ(first, EffectWalkHashes(false));
  EXPECT_EQ(first, EffectWalkHashes(true));
}

}  // namespace
