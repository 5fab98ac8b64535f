// Damage, knock-back and invincibility between two characters.
#include <gtest/gtest.h>

#include <cmath>

#include "stage/chara/chara_damage.h"
#include "stage/chara/stage_chara.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_hooks.h"
#include "definitions/stage/stage_record.h"

namespace {

class CharaDamageTest : public testing::Test {
 protected:
  void SetUp() override {
    saved = g_StageSpace;
    g_StageSpace.level = 2;
    g_StageSpace.levelF = 2;
    victim.def.m_nMaxHp = 100;
    victim.hp = 100;
  }
  void TearDown() override { g_StageSpace = saved; }

  StageSpace saved;
  cStageChara victim, attacker;
};

TEST_F(CharaDamageTest, DefenceAndHealing) {
  attacker.def.m_nPower = 30;
  victim.def.m_nDefence = 10;
  EXPECT_EQ(DamageByChara(victim, attacker), 0);
  EXPECT_EQ(victim.hp, 80);
  victim.def.m_nDefence = 50;
  EXPECT_EQ(DamageByChara(victim, attacker), 0);
  EXPECT_EQ(victim.hp, 80);
  attacker.def.m_nPower = -5;
  DamageByChara(victim, attacker);
  EXPECT_EQ(victim.hp, 85);
  attacker.def.m_nPower = INT32_MAX;
  victim.def.m_nDefence = INT32_MIN;
  EXPECT_EQ(DamageByChara(victim, attacker), 1);
  EXPECT_EQ(victim.hp, 0);
}

TEST_F(CharaDamageTest, KnockBackIsClampedAndTravelsSixteenDotsPerHalfBlock) {
  victim.def.m_nImpactResist = 3;
  ApplyImpact(victim, 25, 1, 0);
  const double k = 2;
  EXPECT_DOUBLE_EQ(victim.knockX, (std::sqrt(1 + 128 * k * 20) - 1) / (2 * k));
  ApplyImpact(victim, -25, 1, 0);
  EXPECT_DOUBLE_EQ(victim.knockX, -(std::sqrt(1 + 128 * k * 20) - 1) / (2 * k));
  victim.def.m_nImpactResist = 0;
  ApplyImpact(victim, 2, -3, 0);
  double travelled = 0;
  while (victim.knockX != 0) {
    travelled += victim.knockX;
    DecayImpactX(victim);
  }
  EXPECT_NEAR(travelled, -32, 1.0);
  EXPECT_EQ(victim.knockedBack, 1);
}

TEST_F(CharaDamageTest, StillAttackersGiveNoKnockBackAndCommandedSpeedsAgainstItStop) {
  attacker.def.m_nImpact = 5;
  victim.knockX = 3;
  ApplyImpactFromChara(victim, attacker);
  EXPECT_EQ(victim.knockX, 0);
  attacker.vx = 1;
  victim.cmdSpeedX = -2;
  victim.cmdSpeedY = 1;
  ApplyImpactFromChara(victim, attacker);
  EXPECT_GT(victim.knockX, 0);
  EXPECT_EQ(victim.cmdSpeedX, 0);
  EXPECT_EQ(victim.cmdSpeedY, 1);
}

TEST_F(CharaDamageTest, InvincibilityByOperatorAndAttacker) {
  g_PlayStage.InvincibleTime[0] = 5;
  g_PlayStage.InvincibleTime[1] = 7;
  g_PlayStage.InvincibleTime[2] = 11;
  g_PlayStage.InvincibleTime[3] = 13;
  attacker.serial = 42;
  victim.op = 1;
  StartInvincibleFrom(victim, attacker);
  EXPECT_EQ(victim.invincibleTime, 26);
  ASSERT_EQ(victim.attackerGuards.size(), 1u);
  EXPECT_EQ(victim.attackerGuards.front().left, 22);
  victim.op = 0;
  StartInvincible(victim);
  EXPECT_EQ(victim.invincibleTime, 14);
  victim.invincibleTime = 0;
  EXPECT_TRUE(victim.IsInvincibleTo(42));
  EXPECT_FALSE(victim.IsInvincibleTo(43));
}

}  // namespace
