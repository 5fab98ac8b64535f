// Movement and shot parameter records at the versions where their fields
// appear, with the upgrades of older files and the launch offsets.

#include <gtest/gtest.h>

#include "tests/definitions/record_layouts.h"

namespace {

using MoveShotRecords = DefinitionsTest;

TEST_F(MoveShotRecords, MovementDefaultsOfANewRecord) {
  const cEdMove move;
  EXPECT_EQ(move.m_bAngleMirror, 1);
  EXPECT_EQ(move.m_bMoveOnX, 1);
  EXPECT_EQ(move.m_bMoveOnY, 1);
  EXPECT_EQ(move.m_bStopAtTarget, 1);
  EXPECT_EQ(move.m_bMirrorTargetX, 1);
  EXPECT_EQ(move.m_bMirrorTargetY, 0);
  EXPECT_EQ(move.m_bTurnWithFacing, 1);
  EXPECT_EQ(move.m_nSpeed, 10);
  EXPECT_EQ(move.m_dReversal, 1.0);
  EXPECT_EQ(move.m_nTargetSlot, 0);
}

TEST_F(MoveShotRecords, MovementFieldsOfOlderVersions) {
  // Before 158 the angle mirror is off; before 159 field 26 is 0; before 162
  // the keep-facing switch and the move animation are 0.
  const cEdMove v157 = Loaded<cEdMove>(157, MoveStream(157, {{3, 90}, {22, 30}, {30, 7}}));
  EXPECT_EQ(v157.m_nAngle, 90);
  EXPECT_EQ(v157.m_nSpeed, 30);
  EXPECT_EQ(v157.m_nTopSpeed, 7);
  EXPECT_EQ(v157.m_bAngleMirror, 0);
  EXPECT_EQ(v157.m_nFixedAxis, 0);
  EXPECT_EQ(v157.m_bKeepFacing, 0);
  const cEdMove v161 = Loaded<cEdMove>(161, MoveStream(161, {{5, 1}, {26, 3}, {27, 4}}));
  EXPECT_EQ(v161.m_bAngleMirror, 1);
  EXPECT_EQ(v161.m_nFixedAxis, 3);
  EXPECT_EQ(v161.m_nHomingLag, 4);
  EXPECT_EQ(v161.m_nMoveAnime, 0);
  // Before 830 the still animation (1) becomes the third choice (2).
  EXPECT_EQ(Loaded<cEdMove>(829, MoveStream(829, {{32, 1}})).m_nMoveAnime, 2);
  EXPECT_EQ(Loaded<cEdMove>(829, MoveStream(829, {{32, 0}})).m_nMoveAnime, 0);
  EXPECT_EQ(Loaded<cEdMove>(830, MoveStream(830, {{32, 1}})).m_nMoveAnime, 1);
  const cEdMove v878 = Loaded<cEdMove>(878, MoveStream(878, {{20, 1}, {31, std::bit_cast<std::int64_t>(0.5)}, {33, 2}}));
  EXPECT_EQ(v878.m_bKeepFacing, 1);
  EXPECT_EQ(v878.m_dReversal, 0.5);
  EXPECT_EQ(v878.m_nTargetSlot, 2);
}

TEST_F(MoveShotRecords, ShotFieldsOfOlderVersions) {
  const cEdShot v157 = Loaded<cEdShot>(157, ShotStream(157, {{1, 3}, {28, 5}, {45, 1}, {49, -70}, {56, 1}}));
  EXPECT_EQ(v157.m_nCount, 3);
  EXPECT_EQ(v157.m_nPower, -70);
  EXPECT_EQ(v157.m_bAngleMirror, 0);
  EXPECT_EQ(v157.m_bGuardCharas, 1);       // follows the hero guard before 197
  EXPECT_EQ(v157.m_bScroll, 1);            // a homing shot rode the scroll before 212
  EXPECT_EQ(v157.m_bAccelerate, 0);
  EXPECT_EQ(v157.m_bPierceBlockChara, 1);  // follows the pierce switch before 636
  EXPECT_EQ(v157.m_nFormationBase, 0);

  EXPECT_EQ(Loaded<cEdShot>(211, ShotStream(211, {{28, 0}, {31, 1}})).m_bScroll, 0);
  EXPECT_EQ(Loaded<cEdShot>(211, ShotStream(211, {{28, 7}})).m_bScroll, 1);
  EXPECT_EQ(Loaded<cEdShot>(212, ShotStream(212, {{28, 0}, {31, 1}})).m_bScroll, 1);
  const cEdShot v213 = Loaded<cEdShot>(213, ShotStream(213, {{34, 1}, {35, 20}, {36, -3}}));
  EXPECT_EQ(v213.m_bAccelerate, 1);
  EXPECT_EQ(v213.m_nAccel, 20);
  EXPECT_EQ(v213.m_nAccelStep, -3);
  EXPECT_EQ(Loaded<cEdShot>(636, ShotStream(636, {{45, 1}, {46, 0}})).m_bPierceBlockChara, 0);
  EXPECT_EQ(Loaded<cEdShot>(671, ShotStream(671, {{4, 2}})).m_nFormationBase, 2);
  EXPECT_EQ(Loaded<cEdShot>(196, ShotStream(196, {{56, 1}})).m_bGuardCharas, 1);
  EXPECT_EQ(Loaded<cEdShot>(197, ShotStream(197, {{56, 1}, {57, 0}})).m_bGuardCharas, 0);
  const cEdShot v878 = Loaded<cEdShot>(878, ShotStream(878, {{7, 3}, {30, 2}, {63, 1}, {64, 26}}));
  EXPECT_EQ(v878.m_nAimSlot, 3);
  EXPECT_EQ(v878.m_nTargetSlot, 2);
  EXPECT_EQ(v878.m_bAttack, 1);
  EXPECT_EQ(v878.m_nAttackFlowId, 26);
}

TEST_F(MoveShotRecords, LaunchOffsetsMirrorOnlyWhenAskedAndFacingRight) {
  cEdShot shot;
  shot.m_nShiftX = 10;
  shot.m_nShiftXStep = -4;
  shot.m_nShiftY = -2;
  shot.m_nShiftYStep = 3;
  EXPECT_EQ(shot.GetShiftX(2, 1), 2);
  EXPECT_EQ(shot.GetShiftY(2, 1), 4);
  shot.m_bMirrorShiftX = 1;
  EXPECT_EQ(shot.GetShiftX(2, 0), 2);
  EXPECT_EQ(shot.GetShiftX(2, 1), -2);
  EXPECT_EQ(shot.GetShiftY(2, 1), 4);
}

}  // namespace
