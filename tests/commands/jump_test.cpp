// Jumps: a stage character's jump command (its height, the landing that
// ends it, the wait that gives it up) and the hero's (the three height
// modes, the held and the short jump, the flags that keep it down).
#include <gtest/gtest.h>

#include <cmath>

#include "commands/install.h"
#include "definitions/param_table.h"
#include "input/input_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/motion/command_setup.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/current_actor.h"
#include "tests/stage/stage_fixture.h"

namespace {

constexpr int kKeyButton0 = 11;
constexpr std::uint16_t kButton0 = 1;

// "ジャンプ" of height mode `mode`, `halfBlocks` high.
cEdCmd Jump(int mode, int halfBlocks) {
  cEdCmd command;
  command.m_nKind = kCmdJump;
  command.m_vParams.assign(5, 0);
  command.m_vParams[0] = mode;
  command.m_vParams[2] = halfBlocks;
  command.m_Move.Emplace();
  return command;
}

cEdFlow Flow(const cEdCmd& command) {
  cEdFlow flow;
  flow.m_nTrigger = kTriggerAlways;
  flow.m_vCmds = {command};
  return flow;
}

// A stage with a floor on row 13 under the hero and one character.
StageBuilder Floor() {
  StageBuilder builder(20, 15, 2, 12);
  for (int column = 0; column < 20; ++column) builder.Block(column, 13);
  return builder;
}

class JumpTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallCommands();
    BuildParamTable();
  }
  // The highest rise of the hero's or the character's top over `frames`.
  template <class Object>
  static double Rise(StageRun& run, Object* obj, int frames, std::uint16_t buttons = 0, int holdFrames = 1 << 30) {
    const double ground = obj->y;
    double top = ground;
    for (int frame = 0; frame < frames; ++frame) {
      run.harness.Step(0, frame < holdFrames ? buttons : 0);
      top = std::min(top, obj->y);
    }
    return ground - top;
  }
};

TEST_F(JumpTest, AStageCharacterJumpsItsHeightLandsAndJumpsAgain) {
  StageBuilder builder = Floor();
  builder.Chara(8, 12).m_vFlows = {Flow(Jump(0, 2))};
  StageRun run(builder);
  cStageChara* chara = run.harness.CharaBySerial(1);
  ASSERT_NE(chara, nullptr);
  const double ground = chara->y;
  double top = ground;
  int landings = 0;
  bool wasUp = false;
  for (int frame = 0; frame < 200; ++frame) {
    run.harness.Step(0, 0);
    top = std::min(top, chara->y);
    const bool up = chara->y < ground - 1;
    if (wasUp && !up) ++landings;
    wasUp = up;
  }
  EXPECT_NEAR(ground - top, 32, 2);
  EXPECT_GE(landings, 2);
}

TEST_F(JumpTest, AStageCharacterThatCannotJumpGivesTheCommandUp) {
  StageBuilder builder = Floor();
  builder.Chara(8, 12).m_vFlows = {Flow(Jump(0, 3))};
  StageRun run(builder);
  cStageChara* chara = run.harness.CharaBySerial(1);
  cCmdState& entry = chara->flows[0].entries[0];
  entry.cmd->m_nTime = 100;
  entry.duration = entry.remaining = 600;
  chara->knockedBack = 1;
  for (int step = 0; step < 3; ++step) chara->StartJump(entry);
  EXPECT_EQ(entry.remaining, 600);
  chara->StartJump(entry);
  EXPECT_EQ(entry.remaining, 0);  // 4 x L sub-steps waited: given up
  EXPECT_EQ(entry.started, 0);
  EXPECT_EQ(chara->jumping, 0);
}

TEST_F(JumpTest, TheHeroJumpsFullHeightWhenTheHeightIsFixed) {
  StageBuilder builder = Floor();
  builder.Hero().m_vFlows = {Flow(Jump(0, 2))};
  StageRun run(builder);
  EXPECT_NEAR(Rise(run, run.harness.Hero(), 80), 32, 2);
}

TEST_F(JumpTest, HeldKeyJumpsHighAndAnEarlyReleaseCutsTheRise) {
  auto heldRise = [&](int holdFrames) {
    StageBuilder builder = Floor();
    cEdFlow flow = Flow(Jump(1, 2));
    cKeyStep press;
    press.SetDefaults();
    press.m_vKeys[kKeyButton0] = kKeyPressed;
    press.m_bAnyHold = 1;
    flow.m_vKeySteps = cVector<cKeyStep>({press});
    builder.Hero().m_vFlows = {flow};
    StageRun run(builder);
    g_Inputs[0].Init();
    run.harness.Step(0, 0);
    return Rise(run, run.harness.Hero(), 80, kButton0, holdFrames);
  };
  const double full = heldRise(1 << 30);
  const double tapped = heldRise(3);
  EXPECT_NEAR(full, 32, 2);
  EXPECT_LT(tapped, full * 0.5);
  EXPECT_GT(tapped, 0);
}

TEST_F(JumpTest, HeldModesWithoutKeysAndTheForbiddenFlagStartNoJump) {
  StageBuilder builder = Floor();
  builder.Hero().m_vFlows = {Flow(Jump(1, 2))};
  StageRun keyless(builder);
  keyless.harness.Step(0, 0);
  EXPECT_LT(Rise(keyless, keyless.harness.Hero(), 40), 1);

  // The block-effect pass keeps the flag; set here on a standing hero.
  StageRun forbidden(Floor());
  cHero& hero = *forbidden.harness.Hero();
  cEdCmd command = Jump(0, 2);
  cCmdState entry;
  entry.cmd = &command;
  entry.duration = 60;
  entry.moveSpeed = JumpSpeedOf(hero, 2);
  g_CurrentActor.flow = nullptr;
  hero.jumpForbidden = 1;
  hero.jumpDoneThisStep = 0;
  hero.StartJump(entry);
  EXPECT_EQ(entry.started, 0);
  EXPECT_GE(hero.vy, 0);
  hero.jumpForbidden = 0;
  hero.jumpDoneThisStep = 0;
  hero.StartJump(entry);
  EXPECT_EQ(entry.started, 1);
  EXPECT_DOUBLE_EQ(hero.vy, entry.moveSpeed);
  // A head bump's jump-hold flag keeps the next press down too.
  hero.vy = 0;
  hero.airborne = hero.jumping = 0;
  hero.jumpHold = 1;
  entry.started = 0;
  hero.jumpHoldCount = 0;
  hero.jumpDoneThisStep = 0;
  hero.StartJump(entry);
  EXPECT_EQ(entry.started, 0);
}

TEST_F(JumpTest, HeightModeTwoTakesTheHeightFromTheRunningSpeed) {
  StageRun run(Floor());
  cHero& hero = *run.harness.Hero();
  cEdCmd command = Jump(2, 5);
  command.m_vParams = {2, 30, 5, 10, 3};
  cCmdState entry;
  entry.cmd = &command;
  entry.duration = 60;
  g_CurrentActor.flow = nullptr;
  for (const auto& [speed, halfBlocks] : {std::pair{3.0, 5}, std::pair{1.0, 3}, std::pair{2.0, 4}, std::pair{-3.5, 5}}) {
    hero.cmdSpeedX = speed;
    hero.jumpDoneThisStep = 0;
    hero.StartJump(entry);
    EXPECT_DOUBLE_EQ(entry.moveSpeed, JumpSpeedOf(hero, halfBlocks)) << speed;
  }
  // Faster is lower here: the height between the two is truncated as a
  // whole, 5 - 2 x 1.8 / 3 = 3.8 -> 3.
  command.m_vParams = {2, 30, 3, 10, 5};
  hero.cmdSpeedX = 1.8;
  hero.jumpDoneThisStep = 0;
  hero.StartJump(entry);
  EXPECT_DOUBLE_EQ(entry.moveSpeed, JumpSpeedOf(hero, 3));
  command.m_vParams = {2, 30, -5, 10, -3};
  hero.cmdSpeedX = 0;
  hero.jumpDoneThisStep = 0;
  hero.StartJump(entry);
  EXPECT_DOUBLE_EQ(entry.moveSpeed, JumpSpeedOf(hero, 0));
}

}  // namespace
