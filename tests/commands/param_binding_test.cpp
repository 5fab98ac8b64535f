// Parameter bindings: the operators on a bound parameter, the range of each
// parameter, the kinds that accept a binding, and the queue of a flow.
#include <gtest/gtest.h>

#include "commands/binding/param_access.h"
#include "commands/binding/param_binding.h"
#include "definitions/command_record.h"
#include "definitions/param_table.h"
#include "definitions/save_data/save_data.h"
#include "stage/chara/stage_chara.h"

namespace {

class ParamBindingTest : public testing::Test {
 protected:
  void SetUp() override {
    BuildParamTable();
    g_SaveData.Reset();
  }

  static cEdCmd Command(int kind, int params) {
    cEdCmd command;
    command.m_nKind = static_cast<std::uint8_t>(kind);
    command.m_vParams.assign(static_cast<std::size_t>(params), 0);
    return command;
  }

  // Binds parameter `param` of a command of `kind` with common variable 5 = v.
  std::int32_t Bound(cEdCmd& command, int kind, int param, int op, std::int32_t start, std::int32_t v) {
    ParamAt(command, kind, param).Set(start);
    g_SaveData.m_vVar[5] = v;
    ApplyParamBind(command, {kind, param, op, 0, 5}, chara);
    return ParamAt(command, kind, param).Get();
  }

  cStageChara chara;
};

TEST_F(ParamBindingTest, OperatorsFollowTheRulesAndClampToTheRange) {
  cEdCmd status = Command(kCmdStatus, 18);  // random bounds: -999999..999999
  EXPECT_EQ(Bound(status, kCmdStatus, 0, 6, 7, 50), 4);
  EXPECT_EQ(Bound(status, kCmdStatus, 0, 6, -7, 50), -4);
  EXPECT_EQ(Bound(status, kCmdStatus, 0, 3, -50000, 50000), -999999);
  EXPECT_EQ(Bound(status, kCmdStatus, 0, 3, 50000, 50000), 999999);
  EXPECT_EQ(Bound(status, kCmdStatus, 0, 3, -3, 4), -12);
  EXPECT_EQ(Bound(status, kCmdStatus, 0, 4, 9, 0), 9);
  EXPECT_EQ(Bound(status, kCmdStatus, 0, 5, 9, 0), 9);
  EXPECT_EQ(Bound(status, kCmdStatus, 0, 5, -7, 3), -1);
  EXPECT_EQ(Bound(status, kCmdStatus, 1, 4, -7, 2), -3);
  EXPECT_EQ(Bound(status, kCmdStatus, 1, 0, 0, 2000000), 999999);
  EXPECT_EQ(Bound(status, kCmdStatus, 1, 1, 999999, 5), 999999);
  EXPECT_EQ(Bound(status, kCmdStatus, 1, 2, 3, 5), -2);
  EXPECT_EQ(Bound(status, kCmdStatus, 1, 9, 3, 5), 3);
  cEdCmd color = Command(kCmdScreenColor, 4);
  EXPECT_EQ(Bound(color, kCmdScreenColor, 3, 0, 0, 150), 100);
}

TEST_F(ParamBindingTest, IntMinAndMinusOneStayDefined) {
  cEdCmd status = Command(kCmdStatus, 18);
  status.m_vParams[8] = INT32_MIN;
  g_SaveData.m_vVar[5] = -1;
  ApplyParamBind(status, {kCmdStatus, 0, 4, 0, 5}, chara);
  EXPECT_EQ(status.m_vParams[8], 999999);
  status.m_vParams[8] = INT32_MIN;
  ApplyParamBind(status, {kCmdStatus, 0, 5, 0, 5}, chara);
  EXPECT_EQ(status.m_vParams[8], 0);
}

TEST_F(ParamBindingTest, MovementAndShotRecordsAreReached) {
  cEdCmd move = Command(kCmdStraightMove, 0);
  move.m_Move.Emplace();
  EXPECT_EQ(Bound(move, kCmdStraightMove, 4, 0, 0, 90), 90);
  EXPECT_EQ(move.m_Move->m_nAngle, 90);
  EXPECT_EQ(Bound(move, kCmdStraightMove, 0, 0, 0, 9999), 640);
  EXPECT_EQ(move.m_Move->m_nTargetXBl, 640);

  cEdCmd homing = Command(kCmdHomingMove, 0);
  homing.m_Move.Emplace();
  Bound(homing, kCmdHomingMove, 1, 0, 0, 3);
  EXPECT_EQ(homing.m_Move->m_nHomingLagStep, 3);

  cEdCmd shot = Command(kCmdShot, 0);
  shot.m_Shot.Emplace();
  EXPECT_EQ(Bound(shot, kCmdShot, 27, 0, 0, 1234), 1234);
  EXPECT_EQ(shot.m_Shot->m_nPower, 1234);
  EXPECT_EQ(Bound(shot, kCmdShot, 28, 0, 0, 99), 20);
  EXPECT_EQ(shot.m_Shot->m_nImpact, 20);
  EXPECT_EQ(Bound(shot, kCmdShot, 14, 0, 0, 3), 3);
  EXPECT_EQ(shot.m_Shot->m_nFaction, 3);

  cEdCmd summon = Command(kCmdSummonChara, 0);
  summon.m_Shot.Emplace();
  Bound(summon, kCmdSummonChara, 7, 0, 0, -20);
  EXPECT_EQ(summon.m_Shot->m_nShiftY, -20);
}

TEST_F(ParamBindingTest, OnlyTheMatchingBindableKindIsChanged) {
  cEdCmd charge = Command(kCmdChargeMove, 0);
  charge.m_Move.Emplace();
  charge.m_Move->m_nAngle = 45;
  g_SaveData.m_vVar[5] = 90;
  ApplyParamBind(charge, {kCmdStraightMove, 4, 0, 0, 5}, chara);
  EXPECT_EQ(charge.m_Move->m_nAngle, 45);

  cEdCmd wait = Command(kCmdWait, 0);
  ApplyParamBind(wait, {kCmdWait, 0, 0, 0, 5}, chara);
  EXPECT_FALSE(IsBindableKind(kCmdWait));
  EXPECT_TRUE(IsBindableKind(kCmdCircleMove));
  EXPECT_TRUE(ParamAt(wait, kCmdCircleMove, 0).IsNone());
  EXPECT_FALSE(IsBindableKind(-1));
  EXPECT_FALSE(IsBindableKind(40));
}

TEST_F(ParamBindingTest, VariableSourcesAndTheirIndexes) {
  cEdCmd status = Command(kCmdStatus, 18);
  g_SaveData.m_vVar[0] = 77;
  ApplyParamBind(status, {kCmdStatus, 0, 0, 0, 0}, chara);  // common index 0 is never used
  EXPECT_EQ(status.m_vParams[8], 0);
  chara.vars[0] = 12;
  ApplyParamBind(status, {kCmdStatus, 0, 0, 2, 0}, chara);
  EXPECT_EQ(status.m_vParams[8], 12);
  ApplyParamBind(status, {kCmdStatus, 0, 0, 2, 9}, chara);    // past the character's variables
  ApplyParamBind(status, {kCmdStatus, 0, 0, 0, 5000}, chara); // past the common variables
  ApplyParamBind(status, {kCmdStatus, 0, 0, 7, 1}, chara);    // no such source
  EXPECT_EQ(status.m_vParams[8], 12);
  ApplyParamBind(status, {kCmdStatus, 5, 0, 0, 5}, chara);    // no such parameter
  EXPECT_EQ(status.m_vParams[8], 12);
}

TEST_F(ParamBindingTest, AFlowQueueAppliesInOrderAndEmpties) {
  cEdCmd status = Command(kCmdStatus, 18);
  cFlowState flow;
  g_SaveData.m_vVar[5] = 10;
  g_SaveData.m_vVar[6] = 3;
  flow.arranges = {{kCmdStatus, 0, 0, 0, 5}, {kCmdStatus, 0, 3, 0, 6}};
  ApplyFlowArrange(status, chara, &flow);
  EXPECT_EQ(status.m_vParams[8], 30);
  EXPECT_TRUE(flow.arranges.empty());
  ApplyFlowArrange(status, chara, nullptr);
  EXPECT_EQ(status.m_vParams[8], 30);
}

TEST_F(ParamBindingTest, ItemCommandsCountTheirKindPlusFifteen) {
  cEdCmd item = Command(kCmdStatus - kItemKindOffset, 18);
  item.m_nFamily = kFamilyItem;
  g_SaveData.m_vVar[5] = 8;
  ApplyParamBind(item, {kCmdStatus, 1, 0, 0, 5}, chara);
  EXPECT_EQ(item.m_vParams[9], 8);
}

}  // namespace
