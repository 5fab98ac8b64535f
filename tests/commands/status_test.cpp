// Status operations and status conditions on a running stage: each character
// and system status with its range and width, HP and SP bases, the value
// sources, the variable kind, and the comparisons.
#include <gtest/gtest.h>

#include "commands/status/status_condition.h"
#include "commands/status/status_operation.h"
#include "commands/status/status_table.h"
#include "definitions/command_record.h"
#include "definitions/condition_records.h"
#include "definitions/save_data/save_data.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/objects/stage_space.h"
#include "tests/stage/stage_fixture.h"

namespace {

enum : int { kKind = 0, kVarSource, kVarIndex, kWhose, kStatus, kOp, kSource, kConst, kLow, kHigh,
             kValueVarSource, kValueVarIndex, kValueWhose, kValueStatus, kPercent, kHpBase, kShowGauge, kSkipInvincible };

class StatusTest : public testing::Test {
 protected:
  StatusTest() : builder(20, 15, 2, 10), run((builder.Chara(5, 10), builder)) {
    hero = run.harness.Hero();
    other = g_CharaList.Find([](cStageChara&) { return true; });
  }

  static cEdCmd Operation(int whose, int status, int op, std::int32_t value) {
    cEdCmd command;
    command.m_nKind = kCmdStatus;
    command.m_vParams.assign(18, 0);
    command.m_vParams[kWhose] = whose;
    command.m_vParams[kStatus] = status;
    command.m_vParams[kOp] = op;
    command.m_vParams[kConst] = value;
    return command;
  }

  static cCond Condition(int whose, int status, int compare, std::int32_t value) {
    cCond cond;
    cond.m_nKind = kCondStatus;
    cond.m_nLeftObject = static_cast<std::uint8_t>(whose);
    cond.m_nLeftItem = static_cast<std::uint8_t>(status);
    cond.m_nCompare = static_cast<std::uint8_t>(compare);
    cond.m_nValue = value;
    return cond;
  }

  int Test(cCond cond) { return TestStatusCondition(cond, *hero); }

  StageBuilder builder;
  StageRun run;
  cHero* hero = nullptr;
  cStageChara* other = nullptr;
};

TEST_F(StatusTest, CharacterStatusesKeepTheirRangesAndWidths) {
  ASSERT_NE(other, nullptr);
  RunStatusOperation(*hero, Operation(0, kStatusCharaId, 0, 150));
  EXPECT_EQ(hero->def.m_nCharaId, 99);
  RunStatusOperation(*hero, Operation(0, kStatusZ, 0, 12));
  EXPECT_EQ(hero->def.m_nZ, 7);
  RunStatusOperation(*hero, Operation(0, kStatusMark, 1, 500));
  EXPECT_EQ(hero->def.m_nMark, 119);
  RunStatusOperation(*hero, Operation(0, kStatusImpact, 0, -30));
  EXPECT_EQ(hero->def.m_nImpact, -20);
  RunStatusOperation(*hero, Operation(0, kStatusStop, 0, 1000));
  EXPECT_EQ(hero->def.m_nStop, 200);
  RunStatusOperation(*hero, Operation(0, kStatusScore, 2, 5));
  EXPECT_EQ(hero->def.m_nScore, -5);
  RunStatusOperation(*hero, Operation(0, kStatusSight, 0, 50));
  EXPECT_EQ(hero->def.m_nSight, 40);
  EXPECT_EQ(hero->sightDots, 640);
  other->def.m_nSight = 3;
  RunStatusOperation(*other, Operation(0, kStatusSight, 0, 9));  // the view range is the hero's only
  EXPECT_EQ(other->def.m_nSight, 3);
  cEdCmd var = Operation(0, kStatusVariable, 0, 1234567);
  var.m_vParams[kVarIndex] = 4;
  RunStatusOperation(*hero, var);
  EXPECT_EQ(hero->vars[4], 999999);
  var.m_vParams[kVarIndex] = 40;  // no such variable: reported, no effect
  RunStatusOperation(*hero, var);
  cEdCmd percent = Operation(0, kStatusPower, 6, 50);
  hero->def.m_nPower = 7;
  RunStatusOperation(*hero, percent);
  EXPECT_EQ(hero->def.m_nPower, 4);
}

TEST_F(StatusTest, HpAndSpWithTheirBasesAndMaximums) {
  hero->def.m_nMaxHp = 200;
  hero->hp = 100;
  cEdCmd ofMax = Operation(0, kStatusHp, 2, 25);
  ofMax.m_vParams[kHpBase] = 1;
  RunStatusOperation(*hero, ofMax);
  EXPECT_EQ(hero->hp, 50);
  cEdCmd ofCurrent = Operation(0, kStatusHp, 1, 50);
  ofCurrent.m_vParams[kHpBase] = 2;
  RunStatusOperation(*hero, ofCurrent);
  EXPECT_EQ(hero->hp, 75);
  RunStatusOperation(*hero, Operation(0, kStatusMaxHp, 0, 60));
  EXPECT_EQ(hero->def.m_nMaxHp, 60);
  EXPECT_EQ(hero->hp, 60);
  hero->def.m_nMaxSp = 10;
  hero->sp = 0;
  RunStatusOperation(*hero, Operation(0, kStatusSp, 1, 25));
  EXPECT_EQ(hero->sp, 10);

  other->def.m_nMaxHp = 10;
  other->hp = 10;
  run.harness.Scene().m_bHpCheck = 0;
  SetTarget(*hero, 0, other, 1);
  RunStatusOperation(*hero, Operation(1, kStatusHp, 2, 20));
  EXPECT_EQ(other->hp, 0);
  EXPECT_EQ(run.harness.Scene().m_bHpCheck, 1);
}

TEST_F(StatusTest, EmptyTargetsAndInvincibilityStopTheOperation) {
  hero->def.m_nPower = 5;
  RunStatusOperation(*hero, Operation(2, kStatusPower, 0, 9));
  EXPECT_EQ(Test(Condition(2, kStatusPower, 0, 0)), 0);
  cEdCmd skip = Operation(0, kStatusPower, 0, 9);
  skip.m_vParams[kSkipInvincible] = 1;
  hero->invincibleTime = 3;
  RunStatusOperation(*hero, skip);
  EXPECT_EQ(hero->def.m_nPower, 5);
  hero->invincibleTime = 0;
  RunStatusOperation(*hero, skip);
  EXPECT_EQ(hero->def.m_nPower, 9);
}

TEST_F(StatusTest, ValueSources) {
  g_SaveData.m_vVar[3] = 21;
  cEdCmd fromVar = Operation(0, kStatusPower, 0, 0);
  fromVar.m_vParams[kSource] = 3;
  fromVar.m_vParams[kValueVarSource] = 0;
  fromVar.m_vParams[kValueVarIndex] = 3;
  RunStatusOperation(*hero, fromVar);
  EXPECT_EQ(hero->def.m_nPower, 21);

  other->def.m_nDefence = 33;
  SetTarget(*hero, 3, other, 1);
  cEdCmd fromStatus = Operation(0, kStatusPower, 0, 0);
  fromStatus.m_vParams[kSource] = 2;
  fromStatus.m_vParams[kValueWhose] = 4;
  fromStatus.m_vParams[kValueStatus] = kStatusDefence;
  RunStatusOperation(*hero, fromStatus);
  EXPECT_EQ(hero->def.m_nPower, 33);

  cEdCmd random = Operation(0, kStatusPower, 0, 0);
  random.m_vParams[kSource] = 1;
  random.m_vParams[kLow] = 9;
  random.m_vParams[kHigh] = 4;
  for (int i = 0; i < 20; ++i) {
    RunStatusOperation(*hero, random);
    EXPECT_GE(hero->def.m_nPower, 4);
    EXPECT_LE(hero->def.m_nPower, 9);
  }
}

TEST_F(StatusTest, VariablesAndSystemStatuses) {
  cEdCmd stageVar = Operation(0, 0, 1, 8);
  stageVar.m_vParams[kKind] = 1;
  stageVar.m_vParams[kVarSource] = 1;
  stageVar.m_vParams[kVarIndex] = 12;
  RunStatusOperation(*hero, stageVar);
  RunStatusOperation(*hero, stageVar);
  EXPECT_EQ(run.harness.Scene().m_vStageVars[12], 16);
  stageVar.m_vParams[kVarIndex] = 5000;
  RunStatusOperation(*hero, stageVar);

  g_SaveData.m_nScore = 10;
  RunStatusOperation(*hero, Operation(kWhoseSystem, kSystemScore, 3, 3));
  EXPECT_EQ(g_SaveData.m_nScore, 30);
  RunStatusOperation(*hero, Operation(kWhoseSystem, kSystemScore, 2, 100));
  EXPECT_EQ(g_SaveData.m_nScore, 0);
  g_SaveData.m_nLife = kUnlimitedLives;
  RunStatusOperation(*hero, Operation(kWhoseSystem, kSystemLives, 0, 3));
  EXPECT_EQ(g_SaveData.m_nLife, kUnlimitedLives);
  EXPECT_EQ(ReadSystemStatus(kSystemLives), 100);
  {
    const SystemSwitch asZero(&cSystem::m_nCompat819, 1);
    EXPECT_EQ(ReadSystemStatus(kSystemLives), 0);
  }
  EXPECT_EQ(ReadSystemStatus(kSystemLives), 100);
  g_SaveData.m_nLife = 2;
  RunStatusOperation(*hero, Operation(kWhoseSystem, kSystemLives, 1, 200));
  EXPECT_EQ(g_SaveData.m_nLife, 99);
  RunStatusOperation(*hero, Operation(kWhoseSystem, kSystemScrollX, 0, 999));
  EXPECT_EQ(ReadSystemStatus(kSystemScrollX), 480);
  RunStatusOperation(*hero, Operation(kWhoseSystem, kSystemTime, 0, 50));
  EXPECT_EQ(StoredSystemStatus(kSystemTime), 50);
  run.harness.Scene().m_bTimeStopped = 1;
  EXPECT_EQ(ReadSystemStatus(kSystemTime), 0);
  EXPECT_EQ(Test(Condition(kWhoseSystem, kSystemTime, 0, 50)), 1);
  EXPECT_EQ(Test(Condition(kWhoseSystem, 9, 0, 0)), 0);
}

TEST_F(StatusTest, ComparisonsAndPercentConditions) {
  hero->def.m_nPower = -6;
  EXPECT_EQ(Test(Condition(0, kStatusPower, 6, 3)), 1);
  EXPECT_EQ(Test(Condition(0, kStatusPower, 6, 0)), 1);
  EXPECT_EQ(Test(Condition(0, kStatusPower, 7, 0)), 0);
  EXPECT_EQ(Test(Condition(0, kStatusPower, 7, 4)), 1);
  EXPECT_EQ(Test(Condition(0, kStatusPower, 0, -6)), 1);
  EXPECT_EQ(Test(Condition(0, kStatusPower, 1, -6)), 0);
  EXPECT_EQ(Test(Condition(0, kStatusPower, 2, -6)), 1);
  EXPECT_EQ(Test(Condition(0, kStatusPower, 3, -7)), 0);
  EXPECT_EQ(Test(Condition(0, kStatusPower, 4, -7)), 1);
  EXPECT_EQ(Test(Condition(0, kStatusPower, 5, -6)), 0);
  EXPECT_EQ(Test(Condition(0, kStatusPower, 8, -6)), 0);
  hero->def.m_nPower = INT32_MIN;
  EXPECT_EQ(Test(Condition(0, kStatusPower, 6, -1)), 1);

  hero->def.m_nMaxHp = 101;
  hero->hp = 51;
  cCond percent = Condition(0, kStatusHp, 0, 50);
  percent.m_bPercent = 1;
  EXPECT_EQ(TestStatusCondition(percent, *hero), 1);
  EXPECT_EQ(percent.m_nValue, 50);
  hero->def.m_nCharaId = 99;
  EXPECT_EQ(Test(Condition(0, kStatusCharaId, 0, 400)), 1);  // clamped to 99
  EXPECT_EQ(Test(Condition(0, 15, 5, 0)), 1);
  cCond sight = Condition(0, kStatusSight, 2, 0);
  EXPECT_EQ(TestStatusCondition(sight, *other), 0);
}

TEST_F(StatusTest, VariableConditions) {
  g_SaveData.m_vVar[7] = 14;
  cCond cond = Condition(0, 0, 0, 14);
  cond.m_nLeftKind = 1;
  cond.m_nLeftIndex = 7;
  EXPECT_EQ(Test(cond), 1);
  cond.m_bPercent = 1;
  EXPECT_EQ(Test(cond), 0);
  cond.m_nLeftIndex = 4000;
  EXPECT_EQ(Test(cond), 0);
}

}  // namespace
