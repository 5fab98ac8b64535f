// The movement commands: what installation prepares (time modes, circle,
// homing delay, jump), the velocity a move gives by direction, angle and
// target point, the common mover (facing, acceleration, animation), the
// moves that aim at a target, and moves played on a stage.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "commands/flows/flow_install.h"
#include "commands/flows/flow_runtime.h"
#include "commands/install.h"
#include "definitions/param_table.h"
#include "input/input_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"
#include "tests/stage/stage_fixture.h"

namespace {

using commands::RunFlow;
using commands::StartFlow;

cEdCmd Command(int kind, int tenths) {
  cEdCmd command;
  command.m_nKind = static_cast<std::uint8_t>(kind);
  command.m_vParams.assign(static_cast<std::size_t>(std::max(CmdParamCount(kFamilyChara, kind), 0)), 0);
  command.m_nTime = static_cast<std::int16_t>(tenths);
  return command;
}

// A move of `kind` lasting `tenths` at `speed` tenths of a dot per frame.
cEdCmd Move(int kind, int tenths, int direction, int speed) {
  cEdCmd command = Command(kind, tenths);
  cEdMove& move = command.m_Move.Emplace();
  move.m_nDirection = static_cast<std::uint8_t>(direction);
  move.m_nSpeed = static_cast<std::int16_t>(speed);
  move.m_nMoveAnime = 2;
  return command;
}

cEdFlow Flow(std::initializer_list<cEdCmd> commands) {
  cEdFlow flow;
  flow.m_nTrigger = kTriggerAlways;
  flow.m_vCmds = commands;
  return flow;
}

class MovementTest : public testing::Test {
 protected:
  MovementTest() : run((InstallCommands(), BuildParamTable(), builder)) {}

  cCmdState& Install(const cEdCmd& command) {
    SetFlowList(chara, {Flow({command})}, kReplaceFlows, -1, 1);
    StartFlow(chara, chara.flows[0]);
    return chara.flows[0].entries[0];
  }
  // One step of the installed flow with this sub-step's velocity reset.
  void Step() {
    chara.vx = chara.vy = 0;
    RunFlow(chara, chara.flows[0]);
  }
  // The x velocity of a move by a character that commands turn, toward a
  // point three blocks to its right with the turn-with-facing option, after
  // the character turned from left to right.
  int VelocityOfAMoveToAPointAfterATurn() {
    chara.def.m_bTurnByCmd = 1;
    chara.UpdateScreenPos();
    cEdCmd toPoint = Move(kCmdStraightMove, 100, 0, 20);
    toPoint.m_Move->m_nMoveMode = 1;
    toPoint.m_Move->m_nTargetBase = 1;
    toPoint.m_Move->m_nTargetXBl = 3;
    toPoint.m_Move->m_bTurnWithFacing = 1;
    chara.facing = 0;
    Install(toPoint);
    Step();
    chara.facing = 1;
    Step();
    return static_cast<int>(chara.vx);
  }

  StageBuilder builder{20, 15, 2, 10};
  StageRun run;
  cStageChara chara;
};

TEST_F(MovementTest, TimeModesSetSpeedOrDurationFromTheDistance) {
  cEdCmd byTime = Move(kCmdStraightMove, 10, 3, 10);
  byTime.m_Move->m_nTimeMode = 1;
  byTime.m_Move->m_nDistance = 4;  // half blocks
  cCmdState& timed = Install(byTime);
  EXPECT_EQ(timed.duration, 60);
  EXPECT_DOUBLE_EQ(timed.moveSpeed, 64.0 / 60.0);

  cEdCmd bySpeed = Move(kCmdStraightMove, 10, 3, -20);
  bySpeed.m_Move->m_nTimeMode = 2;
  bySpeed.m_Move->m_nDistanceUnit = 1;  // dots
  bySpeed.m_Move->m_nDistance = 50;
  EXPECT_EQ(Install(bySpeed).duration, 25);  // 50 / -2, made positive
  {
    const SystemSwitch oldSign(&cSystem::m_nCompat695, 1);
    EXPECT_EQ(Install(bySpeed).duration, -25);
  }
  EXPECT_EQ(Install(bySpeed).duration, 25);

  // Zeros the editor can write keep their IEEE results: no time makes the
  // speed infinite (the stage's speed limit then holds the step), no speed
  // makes the duration the truncation of infinity, which ends at once.
  cEdCmd instant = byTime;
  instant.m_nTime = 0;
  EXPECT_EQ(Install(instant).moveSpeed, std::numeric_limits<double>::infinity());
  cEdCmd still = bySpeed;
  still.m_Move->m_nSpeed = 0;
  EXPECT_EQ(Install(still).duration, std::numeric_limits<std::int32_t>::min());

  cEdCmd cloned = bySpeed;
  cloned.m_Move->m_nDistanceStep = 10;
  chara.cloneValue = 3;
  EXPECT_EQ(Install(cloned).duration, 40);
}

// A project saved before the move rules changed plays its moves the old way:
// a negative duration, a fixed axis that moves, a turn in every move mode.
TEST_F(MovementTest, AProjectOfVersion690PlaysTheOldMoveRules) {
  const SystemOfVersion old(690);
  ASSERT_TRUE(old.Loaded());
  cEdCmd bySpeed = Move(kCmdStraightMove, 10, 3, -20);
  bySpeed.m_Move->m_nTimeMode = 2;
  bySpeed.m_Move->m_nDistanceUnit = 1;
  bySpeed.m_Move->m_nDistance = 50;
  EXPECT_EQ(Install(bySpeed).duration, -25);

  chara.moveA = 1;
  cEdCmd fixed = Move(kCmdStraightMove, 10, 11, 10);
  fixed.m_Move->m_nFixedAxis = 2;
  Install(fixed);
  Step();
  EXPECT_GT(chara.vy, 0);

  chara.moveA = 0;
  EXPECT_EQ(VelocityOfAMoveToAPointAfterATurn(), -2);
}

TEST_F(MovementTest, JumpCircleAndHomingArePreparedAtInstallation) {
  cEdCmd jump = Move(kCmdJump, 0, 0, 10);
  jump.m_vParams[2] = 4;
  const cCmdState& jumpEntry = Install(jump);
  EXPECT_DOUBLE_EQ(jumpEntry.moveSpeed, JumpSpeedForHbl(4));
  EXPECT_EQ(chara.def.m_vFlows[0].m_vCmds[0].m_nTime, JumpTimeForHbl(4));
  EXPECT_EQ(jumpEntry.duration, JumpTimeForHbl(4) * 6);

  cEdCmd circle = Move(kCmdCircleMove, 10, 2, 10);
  cEdMove& c = *circle.m_Move;
  c.m_nTargetXBl = 25;   // period, clamped to 20
  c.m_nAngle = 90;       // start
  c.m_nTargetXDot = 30;  // end
  c.m_nTargetYDot = 10;  // added to both
  const cCmdState& ring = Install(circle);
  EXPECT_EQ(ring.circlePeriod, 20 * 16);
  EXPECT_EQ(ring.circleStart, 100);
  EXPECT_EQ(ring.circleEnd, 40);
  EXPECT_DOUBLE_EQ(ring.circleSpeed, 60.0 / 60.0);
  EXPECT_EQ(ring.circleSense, 2);

  chara.def.m_nFacing = 1;  // placed facing right, with the first mirror switch (on by default)
  const cCmdState& mirrored = Install(circle);
  EXPECT_EQ(mirrored.circleSense, 3);
  EXPECT_EQ(mirrored.circleStart, 280);
  chara.def.m_nFacing = 0;

  cEdCmd homing = Move(kCmdHomingMove, 10, 0, 10);
  homing.m_Move->m_nHomingLag = 3;
  homing.m_Move->m_nHomingLagStep = 2;
  chara.cloneValue = 1;
  EXPECT_EQ(Install(homing).homingDelay, 5);
}

TEST_F(MovementTest, DirectionsDiagonalsAnglesAndGroundMovers) {
  chara.moveA = 1;  // flies
  cCmdState& diagonal = Install(Move(kCmdStraightMove, 10, 11, 30));  // down-right at 3 dots
  Step();
  EXPECT_DOUBLE_EQ(chara.vx, 3 / std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(chara.vy, 3 / std::sqrt(2.0));
  EXPECT_EQ(diagonal.started, 1);

  cEdCmd angled = Move(kCmdStraightMove, 10, 2, 10);  // left, turned by 90: up
  angled.m_Move->m_nAngle = 90;
  Install(angled);
  Step();
  EXPECT_NEAR(chara.vx, 0, 1e-12);
  EXPECT_NEAR(chara.vy, -1, 1e-12);

  chara.moveA = 0;  // walks: no vertical move, diagonals keep their x share
  Install(Move(kCmdStraightMove, 10, 6, 10));
  Step();
  EXPECT_EQ(chara.vy, 0);
  Install(Move(kCmdStraightMove, 10, 9, 20));
  Step();
  EXPECT_DOUBLE_EQ(chara.vx, -2 / std::sqrt(2.0));
  EXPECT_EQ(chara.vy, 0);
}

TEST_F(MovementTest, FacingFollowsTheMoveUnlessCommandsTurnTheCharacter) {
  chara.def.m_bTurnByCmd = 0;
  chara.facing = 1;
  Install(Move(kCmdStraightMove, 10, 1, 10));  // the way it does not face
  Step();
  EXPECT_EQ(chara.facing, 0);
  EXPECT_EQ(chara.vx, -1);

  cEdCmd keep = Move(kCmdStraightMove, 10, 3, 10);
  keep.m_Move->m_bKeepFacing = 1;
  Install(keep);
  Step();
  EXPECT_EQ(chara.facing, 0);

  // Turned by commands: a turn reverses a move by direction.
  chara.def.m_bTurnByCmd = 1;
  chara.facing = 0;
  Install(Move(kCmdStraightMove, 10, 2, 10));
  Step();
  EXPECT_EQ(chara.vx, -1);
  chara.facing = 1;
  Step();
  EXPECT_EQ(chara.vx, 1);
  Step();
  EXPECT_EQ(chara.vx, 1);
}

// A move toward a point turns with the facing only by the old rule of every
// move mode.
TEST_F(MovementTest, AMoveTowardAPointTurnsWithTheFacingOnlyByTheOldRule) {
  EXPECT_EQ(VelocityOfAMoveToAPointAfterATurn(), 2);
  {
    const SystemSwitch everyMode(&cSystem::m_nCompat773, 1);
    EXPECT_EQ(VelocityOfAMoveToAPointAfterATurn(), -2);
  }
  const SystemSwitch fixedAxisRule(&cSystem::m_nCompat783, 1);  // the other old rule does not turn it
  EXPECT_EQ(VelocityOfAMoveToAPointAfterATurn(), 2);
}

TEST_F(MovementTest, FixedAxisAndTargetPointWithStop) {
  chara.moveA = 1;
  cEdCmd fixed = Move(kCmdStraightMove, 10, 11, 10);
  fixed.m_Move->m_nFixedAxis = 2;  // y fixed
  Install(fixed);
  Step();
  EXPECT_EQ(chara.vy, 0);
  EXPECT_GT(chara.vx, 0);
  {
    const SystemSwitch turnRule(&cSystem::m_nCompat773, 1);  // the other old rule keeps the axis fixed
    Install(fixed);
    Step();
    EXPECT_EQ(chara.vy, 0);
  }
  {
    const SystemSwitch oldFixedAxis(&cSystem::m_nCompat783, 1);
    Install(fixed);
    Step();
    EXPECT_GT(chara.vy, 0);
  }

  // 3 blocks right of the character at 2 dots: 48 steps.
  chara.UpdateScreenPos();
  cEdCmd toPoint = Move(kCmdStraightMove, 100, 0, 20);
  cEdMove& m = *toPoint.m_Move;
  m.m_nMoveMode = 1;
  m.m_nTargetBase = 1;
  m.m_nTargetXBl = 3;
  cCmdState& entry = Install(toPoint);
  Step();
  EXPECT_EQ(entry.duration, 48);
  EXPECT_DOUBLE_EQ(chara.vx, 2);
  EXPECT_EQ(chara.vy, 0);

  // Shorter than one step with the clamp switch: no motion.
  m.m_nTargetXBl = 0;
  m.m_nTargetXDot = 1;
  m.m_bClampStep = 1;
  Install(toPoint);
  Step();
  EXPECT_EQ(chara.vx, 0);
}

TEST_F(MovementTest, AccelerationTurnsFasterWhileReversingAndStopsAtTheTopSpeed) {
  cEdCmd accel = Move(kCmdStraightMove, 10, 3, 5);  // 0.5 per step, right
  accel.m_Move->m_bAccelerate = 1;
  accel.m_Move->m_nTopSpeed = 12;
  accel.m_Move->m_dReversal = 2.0;
  chara.cmdSpeedX = -1;
  Install(accel);
  Step();
  EXPECT_DOUBLE_EQ(chara.cmdSpeedX, 0);  // -1 + 0.5 x 2
  Step();
  Step();
  Step();
  EXPECT_DOUBLE_EQ(chara.cmdSpeedX, 1.2);
  EXPECT_EQ(chara.vx, 0);
}

TEST_F(MovementTest, AMovingAnimationRequestOutranksAStillOne) {
  cEdCmd moving = Move(kCmdStraightMove, 10, 3, 5);
  moving.m_Move->m_nMoveAnime = 0;
  cEdCmd still = moving;
  still.m_Move->m_nMoveAnime = 1;
  SetFlowList(chara, {Flow({moving}), Flow({still})}, kReplaceFlows, -1, 1);
  for (cFlowState& flow : chara.flows) StartFlow(chara, flow);
  for (cFlowState& flow : chara.flows) RunFlow(chara, flow);
  EXPECT_EQ(chara.animeOverride, 1);
  chara.animeOverride = -1;
  RunFlow(chara, chara.flows[1]);
  EXPECT_EQ(chara.animeOverride, 0);
}

TEST_F(MovementTest, TheInputDirectionMovesAGroundMoverOnlySideways) {
  chara.moveA = 1;
  g_Inputs[0].m_nDirCode = 5 - 1 - 3;  // up-left
  Install(Move(kCmdStraightMove, 10, 12, 10));
  Step();
  EXPECT_DOUBLE_EQ(chara.vx, -1 / std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(chara.vy, -1 / std::sqrt(2.0));
  chara.moveA = 0;
  Install(Move(kCmdStraightMove, 10, 12, 10));
  Step();
  EXPECT_DOUBLE_EQ(chara.vx, -1);
  g_Inputs[0].m_nDirCode = 5;
  chara.facing = 1;
  Install(Move(kCmdStraightMove, 10, 12, 10));
  Step();
  EXPECT_DOUBLE_EQ(chara.vx, 1);  // no input: the facing direction
}

TEST_F(MovementTest, ChargeAndHomingWithoutATargetStayStill) {
  for (int kind : {kCmdChargeMove, kCmdHomingMove}) {
    chara.moveA = 1;
    cEdCmd move = Move(kind, 2, 0, 20);
    move.m_Move->m_nTargetSlot = 2;
    Install(move);
    for (int step = 0; step < 12; ++step) {
      Step();
      EXPECT_EQ(chara.vx, 0);
      EXPECT_EQ(chara.vy, 0);
    }
  }
}

TEST_F(MovementTest, ChargeAimsOnceAndHomingFollowsTheTarget) {
  cStageChara target;
  target.x = 300;
  target.y = 100;
  target.drawWidth = target.drawHeight = 32;
  target.UpdateScreenPos();
  chara.x = 100;
  chara.y = 100;
  chara.moveA = 1;
  chara.UpdateScreenPos();
  chara.targets[0] = &target;
  Install(Move(kCmdChargeMove, 10, 0, 20));
  Step();
  EXPECT_DOUBLE_EQ(chara.vx, 2);
  EXPECT_NEAR(chara.vy, 0, 1e-12);
  target.y = 400;
  target.UpdateScreenPos();
  Step();
  EXPECT_DOUBLE_EQ(chara.vx, 2);  // the charge keeps its first aim

  Install(Move(kCmdHomingMove, 10, 0, 20));
  Step();
  EXPECT_GT(chara.vy, 1.5);  // re-aimed at the new place

  cEdCmd lagging = Move(kCmdHomingMove, 10, 0, 20);
  lagging.m_Move->m_nHomingLag = 2;
  target.y = 100;
  target.UpdateScreenPos();
  cCmdState& entry = Install(lagging);
  Step();  // aims at the point queued now
  EXPECT_NEAR(chara.vy, 0, 1e-12);
  target.y = 400;
  target.UpdateScreenPos();
  Step();  // queues the new place and keeps the old aim
  EXPECT_NEAR(chara.vy, 0, 1e-12);
  Step();  // every second step: the oldest queued point
  EXPECT_GT(chara.vy, 1.5);
  Step();
  Step();
  EXPECT_EQ(entry.homingQueue.size(), 2u);  // one point behind per two steps
  EXPECT_EQ(entry.stepCount, 5);
}

TEST_F(MovementTest, ACircleReturnsToItsStartAfterAFullTurn) {
  chara.moveA = 1;
  cEdCmd circle = Move(kCmdCircleMove, 10, 2, 10);
  circle.m_Move->m_nTargetXBl = 2;       // period
  circle.m_Move->m_nTargetXDot = 360;  // end angle: one full turn
  cCmdState& entry = Install(circle);
  double x = 0, y = 0, farthest = 0;
  for (int step = 0; step < entry.duration; ++step) {
    Step();
    x += chara.vx;
    y += chara.vy;
    farthest = std::max(farthest, std::hypot(x, y));
  }
  EXPECT_NEAR(x, 0, 0.2);
  EXPECT_NEAR(y, 0, 0.2);
  EXPECT_GT(farthest, 10);
}

TEST_F(MovementTest, OffScreenCharactersComeBackOntoTheScreen) {
  chara.moveA = 1;
  chara.hitWidth = chara.hitHeight = 32;
  auto stepAt = [&](double x, double y) {
    chara.x = g_StageSpace.scrollX.position + x;
    chara.y = g_StageSpace.scrollY.position + y;
    Install(Move(kCmdOffScreenMove, 10, 0, 20));
    Step();
  };
  stepAt(620, 200);
  EXPECT_EQ(chara.vx, -2);
  EXPECT_EQ(chara.vy, 0);
  stepAt(-40, 460);
  EXPECT_EQ(chara.vx, 2);
  EXPECT_EQ(chara.vy, -2);
  stepAt(300, -40);
  EXPECT_EQ(chara.vx, 0);
  EXPECT_EQ(chara.vy, 2);
  chara.moveA = 0;  // a walker only comes back sideways
  stepAt(300, 460);
  EXPECT_EQ(chara.vy, 0);
}

TEST_F(MovementTest, TurningToTheLastBlockKeepsTheFacingBeforeAnyBlockHit) {
  cEdCmd turn = Command(kCmdFacing, 1);
  turn.m_vParams[0] = 10;
  chara.facing = 1;
  Install(turn);
  Step();
  EXPECT_EQ(chara.facing, 1);
  chara.lastBlockSide = 0;
  Install(turn);
  Step();
  EXPECT_EQ(chara.facing, 0);
}

TEST_F(MovementTest, CancelClearsMotionAndThePushWords) {
  chara.vx = 2;
  chara.cmdSpeedX = 1;
  chara.pushLeft = chara.pushRight = 1;
  Install(Command(kCmdStopMove, 1));
  RunFlow(chara, chara.flows[0]);
  EXPECT_EQ(chara.vx, 0);
  EXPECT_EQ(chara.cmdSpeedX, 0);
  EXPECT_EQ(chara.pushLeft + chara.pushRight, 0);
  EXPECT_EQ(chara.moveCancelled, 1);
}

// Moves played on a stage.
class StageMoveTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallCommands();
    BuildParamTable();
  }
  static cStageChara* OnlyChara(StageRun& run) { return run.harness.CharaBySerial(1); }
  // A flying character at (column, row) of a stage whose hero, at (1, 13),
  // stands on a block.
  static cEdChara& Flyer(StageBuilder& builder, int column, int row) {
    builder.Block(1, 14);
    cEdChara& flyer = builder.Chara(column, row);
    flyer.m_nFlight = 1;
    return flyer;
  }
};

TEST_F(StageMoveTest, AStraightMoveCrossesTheStageAtItsSpeed) {
  StageBuilder builder(20, 15, 1, 13);
  cEdChara& flyer = Flyer(builder, 3, 5);
  flyer.m_bTurnByCmd = 0;
  flyer.m_vFlows = {Flow({Move(kCmdStraightMove, 1000, 3, 15)})};
  StageRun run(builder);
  cStageChara* chara = OnlyChara(run);
  ASSERT_NE(chara, nullptr);
  run.harness.Step(0, 0);
  const double start = chara->x;
  for (int frame = 0; frame < 100; ++frame) run.harness.Step(0, 0);
  EXPECT_NEAR(chara->x - start, 150, 1e-6);
  EXPECT_EQ(chara->facing, 1);
}

// Each copy of an entry is its clone: copy i adds i times the per-clone
// increments of speed and time, so the three copies go 60, 180 and 360 dots.
TEST_F(StageMoveTest, CopiesOfAnEntryMoveByTheirCloneIncrements) {
  StageBuilder builder(30, 15, 1, 13);
  cEdChara& flyers = Flyer(builder, 16, 2);
  flyers.m_nCopyCount = 2;
  flyers.m_nShiftYBase = 0;
  flyers.m_nShiftYStep = 32;
  cEdCmd move = Move(kCmdStraightMove, 10, 2, 10);
  move.m_nTimeStep = 5;
  move.m_Move->m_nSpeedStep = 10;
  flyers.m_vFlows = {Flow({move, Command(kCmdWait, 3000)})};
  StageRun run(builder);
  const std::array<double, 3> distances{-60, -180, -360};
  std::array<double, 3> starts{};
  for (std::uint32_t copy = 0; copy < 3; ++copy) {
    ASSERT_NE(run.harness.CharaBySerial(copy + 1), nullptr);
    starts[copy] = run.harness.CharaBySerial(copy + 1)->x;
  }
  for (int frame = 0; frame < 200; ++frame) run.harness.Step(0, 0);
  for (std::uint32_t copy = 0; copy < 3; ++copy)
    EXPECT_NEAR(run.harness.CharaBySerial(copy + 1)->x - starts[copy], distances[copy], 1e-6) << "copy " << copy;
}

TEST_F(StageMoveTest, AGroundWalkerTurnsBackAtTheLedge) {
  StageBuilder builder(20, 15, 1, 13);
  builder.Block(1, 14);
  for (int column = 4; column <= 8; ++column) builder.Block(column, 8);
  cEdChara& walker = builder.Chara(6, 7);
  walker.m_nFacing = 1;
  walker.m_vFlows = {Flow({Move(kCmdGroundTurnMove, 1000, 0, 20)})};
  StageRun run(builder);
  cStageChara* chara = OnlyChara(run);
  ASSERT_NE(chara, nullptr);
  double left = chara->x, right = chara->x;
  for (int frame = 0; frame < 400; ++frame) {
    run.harness.Step(0, 0);
    left = std::min(left, chara->x);
    right = std::max(right, chara->x);
  }
  const double blockLeft = (10 + 4) * 32, blockRight = (10 + 9) * 32;
  EXPECT_LT(left, blockLeft + 8);  // it walked to both ends...
  EXPECT_GT(right + chara->hitWidth, blockRight - 8);
  EXPECT_GE(right, blockLeft);  // ...and never fell
  EXPECT_LT(chara->y, (10 + 8) * 32);
  EXPECT_EQ(chara->falling, 0);
}

TEST_F(StageMoveTest, HoldingRightWalksTheHeroThroughItsFlow) {
  constexpr int kKeyRight = 2;  // press log of the direction word exactly "right"
  StageBuilder builder(20, 15, 2, 12);
  for (int column = 0; column < 20; ++column) builder.Block(column, 13);
  cEdFlow walk = Flow({Move(kCmdStraightMove, 1, 3, 20)});
  cKeyStep right;
  right.SetDefaults();
  right.m_vKeys[kKeyRight] = kKeyPressed;
  right.m_bAnyHold = 1;
  walk.m_vKeySteps = cVector<cKeyStep>({right});
  walk.m_bKeyHold = 1;
  builder.Hero().m_vFlows = {walk};
  builder.Hero().m_bTurnByCmd = 0;
  StageRun run(builder);
  g_Inputs[0].Init();
  cHero* hero = run.harness.Hero();
  const double start = hero->x;
  for (int frame = 0; frame < 30; ++frame) run.harness.Step(0, 0);
  EXPECT_EQ(hero->x, start);
  for (int frame = 0; frame < 30; ++frame) run.harness.Step(kDirRight, 0);
  EXPECT_GT(hero->x, start + 40);
  EXPECT_EQ(hero->facing, 1);
  const double stopped = hero->x;
  for (int frame = 0; frame < 30; ++frame) run.harness.Step(0, 0);
  EXPECT_LT(hero->x, stopped + 2 * 6 + 1);  // the last entry runs out, then it stands
}

double DrawnCentreX(const cChara& chara) { return chara.x - chara.graphicOffsetX + chara.drawWidth / 2.0; }
double DrawnCentreY(const cChara& chara) { return chara.y - chara.graphicOffsetY + chara.drawHeight / 2.0; }

// A character homing on the hero with the stop switch on, on a stage whose
// view has scrolled away from its top left corner (or scrolls by itself):
// it arrives on the hero and stays there.
void ExpectHomingArrivesOnTheHero(StageBuilder builder, int flight, int column, int row) {
  cEdChara& homer = builder.Chara(column, row);
  homer.m_nFlight = static_cast<std::uint8_t>(flight);
  homer.m_bTurnByCmd = 0;
  homer.m_vFlows = {Flow({Move(kCmdHomingMove, 1000, 0, 20)})};
  StageRun run(builder);
  cStageChara* chara = run.harness.CharaBySerial(1);
  cHero* hero = run.harness.Hero();
  ASSERT_NE(chara, nullptr);
  chara->targets[0] = hero;
  for (int frame = 0; frame < 150; ++frame) run.harness.Step(0, 0);
  EXPECT_GT(g_StageSpace.scrollX.position, 0);
  EXPECT_GT(g_StageSpace.scrollY.position, 0);
  // Within two steps of the move (2 dots a frame): it may step on past the
  // point it was put on while the view goes on scrolling.
  EXPECT_NEAR(DrawnCentreX(*chara), DrawnCentreX(*hero), 4);
  if (flight) EXPECT_NEAR(DrawnCentreY(*chara), DrawnCentreY(*hero), 4);
}

TEST_F(StageMoveTest, HomingArrivesOnItsTargetWithTheViewScrolled) {
  StageBuilder builder(60, 40, 30, 29);
  for (int column = 0; column < 60; ++column) builder.Block(column, 30);
  ExpectHomingArrivesOnTheHero(builder, 0, 25, 29);
  ExpectHomingArrivesOnTheHero(builder, 1, 26, 24);
}

TEST_F(StageMoveTest, HomingArrivesOnItsTargetWhileTheViewScrollsItself) {
  StageBuilder builder(60, 40, 30, 24);
  builder.stage.AutoScrollY = 1;
  builder.stage.AutoScrollSpeedY = 5;
  for (int column = 0; column < 60; ++column) builder.Block(column, 25);
  ExpectHomingArrivesOnTheHero(builder, 1, 26, 20);
}

TEST_F(StageMoveTest, AStageOfEveryMoveKindRepeatsFrameByFrame) {
  auto build = [] {
    StageBuilder builder(20, 15, 2, 13);
    for (int column = 0; column < 20; ++column) builder.Block(column, 14);
    int column = 3;
    for (int kind : {kCmdStraightMove, kCmdGroundTurnMove, kCmdCircleMove, kCmdChargeMove, kCmdHomingMove,
                     kCmdOffScreenMove, kCmdJump}) {
      for (int flight : {0, 1}) {
        cEdChara& chara = builder.Chara(column++ % 18 + 1, flight ? 4 : 13);
        chara.m_nFlight = static_cast<std::uint8_t>(flight);
        chara.m_bTurnByCmd = 0;
        cEdCmd move = Move(kind, 7, 10, 15);
        move.m_vParams.resize(5);
        move.m_vParams[2] = 3;
        move.m_Move->m_nTargetXBl = 3;
        move.m_Move->m_nTargetXDot = 200;
        cEdCmd back = Move(kCmdStraightMove, 5, 1, 10);
        chara.m_vFlows = {Flow({move, Command(kCmdFacing, 1), back})};
      }
    }
    return builder;
  };
  std::vector<std::uint64_t> hashes[2];
  for (auto& list : hashes) {
    StageRun run(build(), 21);
    for (int frame = 0; frame < 300; ++frame) {
      run.harness.Step(frame % 50 < 20 ? kDirLeft : 0, 0);
      list.push_back(run.harness.Hash());
    }
  }
  EXPECT_EQ(hashes[0], hashes[1]);
}

}  // namespace
