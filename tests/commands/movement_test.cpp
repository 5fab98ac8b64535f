// The movement commands: what installation prepares (time modes, circle,
// homing delay, jump), the velocity a move gives by direction, angle and
// target point, the common mover (facing, acceleration, animation) and the
// moves that aim at a target.
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
#include "tests/commands/move_builders.h"
#include "tests/stage/stage_fixture.h"

namespace {

using commands::RunFlow;
using commands::StartFlow;
using namespace move_builders;

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
  SetTarget(chara, 0, &target, 1);  // the target, gone first, empties the slot
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

}  // namespace
