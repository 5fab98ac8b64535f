// Motion and aiming calculations: unit conversions, jump speeds, wave
// steps, aiming on one and two axes, and the stopping friction.
#include <gtest/gtest.h>

#include <cmath>

#include "stage/chara/stage_chara.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"

namespace {

class MotionMathTest : public testing::Test {
 protected:
  void SetUp() override { saved = g_StageSpace; }
  void TearDown() override { g_StageSpace = saved; }
  void Level(int level) {
    g_StageSpace.level = level;
    g_StageSpace.levelF = level;
  }
  StageSpace saved;
};

TEST_F(MotionMathTest, UnitConversions) {
  Level(2);
  EXPECT_EQ(HblToDot(-3), -48);
  EXPECT_EQ(HblToDot(0x1FD), -48);  // signed 8-bit
  EXPECT_DOUBLE_EQ(AccelToStep(100), 0.25);
  EXPECT_DOUBLE_EQ(PerSecToStep(120), 1.0);
  EXPECT_DOUBLE_EQ(TenthsToStep(30), 1.5);
}

TEST_F(MotionMathTest, JumpSpeedReachesTheHeight) {
  Level(1);
  g_StageSpace.gravityStep = 0.4;
  const double v = JumpSpeedForHbl(4);  // 64 dots
  EXPECT_LT(v, 0);
  // Gravity, then the move, until the speed turns: the rise is the height.
  double y = 0, speed = v;
  while (speed + 0.4 < 0) {
    speed += 0.4;
    y += speed;
  }
  EXPECT_NEAR(-y, 64, 0.4 * 2);
  EXPECT_EQ(StepsToApex(v), static_cast<int>(1 - v / 0.4));
  EXPECT_EQ(JumpTimeForHbl(4), StepsToApex(v) / 6 + 1);
  g_StageSpace.gravityStep = 0;  // an editor value: no arithmetic fault
  EXPECT_EQ(StepsToApex(JumpSpeedForHbl(4)), INT32_MIN);
}

TEST_F(MotionMathTest, WaveStepsWrapAndDifferentiate) {
  Level(1);
  double a = 0;
  EXPECT_NEAR(WaveStep(10, 1, a, 90, 0), 10 * M_PI / 180, 1e-12);
  EXPECT_DOUBLE_EQ(a, 90);
  a = 350;
  WaveStep(10, 1, a, 20, 0);
  EXPECT_DOUBLE_EQ(a, 10);
  a = 90;
  const double w = M_PI / 180;
  EXPECT_NEAR(WaveStepSin(10, 1, a, 0, 0), -w * 10 * w, 1e-12);
}

TEST_F(MotionMathTest, AimingOnOneAndTwoAxes) {
  AxisAim same = SpeedToward(5, 5, 2, 0);
  EXPECT_EQ(same.velocity, -2);
  EXPECT_EQ(same.direction, 1);
  AxisAim right = SpeedToward(0, 3, 2, 1);
  EXPECT_EQ(right.velocity, 2);
  EXPECT_EQ(right.direction, 2);
  EXPECT_EQ(right.reached, 0);
  EXPECT_EQ(SpeedToward(0, 2, 2, 1).reached, 1);

  PlaneAim plane = VelocityToward(0, 0, 3, 4, 5, 0, 0);
  EXPECT_DOUBLE_EQ(plane.vx, 3);
  EXPECT_DOUBLE_EQ(plane.vy, 4);
  EXPECT_EQ(plane.direction, 2);
  PlaneAim flee = VelocityToward(0, 0, 3, -4, -2, 0, 0);
  EXPECT_DOUBLE_EQ(flee.vx, -2 / std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(flee.vy, 2 / std::sqrt(2.0));
  PlaneAim still = VelocityToward(1, 1, 1, 1, 3, 0, 1);
  EXPECT_EQ(still.vx, 0);
  EXPECT_EQ(still.direction, 0);
  EXPECT_EQ(still.reached, 1);
}

TEST_F(MotionMathTest, FrictionStopsAtZero) {
  cStageChara chara;
  chara.stopDecel = 0.5;
  double speed = 0.7;
  DecayTowardZero(chara, speed, 1);
  EXPECT_DOUBLE_EQ(speed, 0.2);
  DecayTowardZero(chara, speed, 1);
  EXPECT_EQ(speed, 0);
  speed = -0.5;
  DecayTowardZero(chara, speed, 1);
  EXPECT_EQ(speed, 0);
  speed = 3;
  DecayTowardZero(chara, speed, 0);
  EXPECT_EQ(speed, 3);
}

}  // namespace
