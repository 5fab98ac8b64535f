// Aiming at a point on the screen: the point on the target, the speed on
// one axis with the scroll a synchronised owner rides, the velocity solved
// against a scrolling screen, and the placement on a reached point.
#include <gtest/gtest.h>

#include <cmath>

#include "stage/chara/stage_chara.h"
#include "stage/core/stage_rules.h"
#include "stage/motion/aiming.h"
#include "stage/objects/stage_space.h"

namespace {

class AimingTest : public testing::Test {
 protected:
  void SetUp() override {
    savedSpace = g_StageSpace;
    savedRules = g_StageRules;
    g_StageSpace.level = 1;
    g_StageSpace.levelF = 1;
    g_StageSpace.x = {0, 10000, 0, 10000, 10000};
    g_StageSpace.y = {0, 10000, 0, 10000, 10000};
    g_StageSpace.scrollX.position = g_StageSpace.scrollY.position = 0;
  }
  void TearDown() override {
    g_StageSpace = savedSpace;
    g_StageRules = savedRules;
  }
  static void ScrollX(double speed) {
    g_StageSpace.scrollX.running = 1;
    g_StageSpace.scrollX.atLimit = 0;
    g_StageSpace.scrollX.speed = speed;
  }
  static void Put(cStageChara& chara, double x, double y) {
    chara.x = x;
    chara.y = y;
    chara.hitWidth = chara.hitHeight = 32;
    chara.UpdateScreenPos();
  }
  StageSpace savedSpace;
  StageRules savedRules;
};

TEST_F(AimingTest, TheTargetPointKeepsAFixedAxisOnTheOwner) {
  cStageChara owner, target;
  Put(owner, 100, 200);
  Put(target, 300, 50);
  double x = 0, y = 0;
  GetTargetPoint(target, owner, 5, -7, 0, x, y);
  EXPECT_EQ(x, 316 + 5);
  EXPECT_EQ(y, 66 - 7);
  GetTargetPoint(target, owner, 5, -7, 1, x, y);
  EXPECT_EQ(x, 116);
  EXPECT_EQ(y, 59);
  GetTargetPoint(target, owner, 5, -7, 2, x, y);
  EXPECT_EQ(x, 321);
  EXPECT_EQ(y, 216);
}

TEST_F(AimingTest, OneAxisAddsTheScrollForASynchronisedOwner) {
  cStageChara owner;
  const AxisAim same = SpeedTowardX(owner, nullptr, 40, 40, 2, 0, 0);
  EXPECT_EQ(same.velocity, -2);
  EXPECT_EQ(same.direction, 1);
  ScrollX(0.5);
  owner.scrollSync = 1;
  EXPECT_DOUBLE_EQ(SpeedTowardX(owner, nullptr, 0, 40, 2, 0, 0).velocity, 2.5);
  EXPECT_DOUBLE_EQ(SpeedTowardX(owner, nullptr, 0, 40, 2, 1, 0).velocity, 2);  // fixed
  g_StageRules.noScrollSync = 1;
  EXPECT_DOUBLE_EQ(SpeedTowardX(owner, nullptr, 0, 40, 2, 0, 0).velocity, 2);
}

TEST_F(AimingTest, ASynchronisedOwnerHeadsForTheTargetRelativeToTheScreen) {
  cStageChara owner;
  owner.scrollSync = 1;
  ScrollX(1);
  const PlaneAim aim = VelocityTowardScrolled(owner, 0, 0, 100, 100, 2, 0, 0, 0);
  EXPECT_NEAR(std::hypot(aim.vx, aim.vy), 2, 1e-12);
  EXPECT_NEAR(aim.vx - 1, aim.vy, 1e-12);  // relative to the screen: along the diagonal
  EXPECT_GT(aim.vy, 0);
  EXPECT_EQ(aim.direction, 2);

  // Too slow to catch up with the screen: the plain velocity, never arrived.
  const PlaneAim slow = VelocityTowardScrolled(owner, 0, 0, 0, 100, 0.5, 0, 0, 1);
  EXPECT_DOUBLE_EQ(slow.vx, 0);
  EXPECT_DOUBLE_EQ(slow.vy, 0.5);
  EXPECT_EQ(slow.reached, 0);

  // Not synchronised but fixed to the screen: the scroll is taken off.
  owner.scrollSync = 0;
  const PlaneAim fixed = VelocityTowardScrolled(owner, 0, 0, 100, 0, 2, 1, 0, 0);
  EXPECT_DOUBLE_EQ(fixed.vx, 1);
  // Synchronisation switched off for the project: the scroll is added.
  g_StageRules.noScrollSync = 1;
  owner.scrollSync = 1;
  EXPECT_DOUBLE_EQ(VelocityTowardScrolled(owner, 0, 0, 100, 0, 2, 0, 0, 0).vx, 3);
}

TEST_F(AimingTest, AReachedPointPutsTheObjectOnIt) {
  cStageChara chara;
  Put(chara, 100, 100);
  cFlowState flow;
  flow.motion[0] = flow.motion[1] = 3;
  const AxisAim far = AimAtTargetY(chara, &flow, 200, 4, 1);
  EXPECT_EQ(far.reached, 0);
  EXPECT_EQ(chara.y, 100);
  const AxisAim near = AimAtTargetY(chara, &flow, 119, 4, 1);
  EXPECT_EQ(near.reached, 1);
  EXPECT_EQ(near.direction, 0);
  EXPECT_EQ(chara.y, 119 - 16);
  EXPECT_EQ(flow.motion[0], 0);
  const PlaneAim both = AimAtTarget(chara, &flow, 118, 117, 3, 1);
  EXPECT_EQ(both.reached, 1);
  EXPECT_EQ(chara.x, 118 - 16);
}

}  // namespace
