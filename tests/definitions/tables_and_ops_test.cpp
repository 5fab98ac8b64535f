// The parameter table, the command tables and the shared comparisons and
// operators.

#include <gtest/gtest.h>

#include <climits>

#include "definitions/command_kinds.h"
#include "definitions/compare_ops.h"
#include "definitions/name_tables.h"
#include "definitions/shot_param_grids.h"
#include "definitions/shot_record.h"
#include "foundation/message_box.h"
#include "tests/definitions/definitions_test_support.h"

namespace {

TEST(ParamTable, RowsOfEveryBindableKind) {
  BuildParamTable();
  ASSERT_EQ(g_ParamTable.size(), 40u);
  const std::vector<std::pair<int, std::size_t>> counts = {
      {kCmdStraightMove, 6}, {kCmdChargeMove, 6}, {kCmdHomingMove, 6}, {kCmdShot, 29},     {kCmdSword, 4},
      {kCmdSummonBlock, 6},  {kCmdSummonChara, 8}, {kCmdSummonItem, 7}, {kCmdStageClear, 5}, {kCmdMessage, 5},
      {kCmdWarp, 6},         {kCmdSetTarget, 3},   {kCmdStatus, 2},     {kCmdVanish, 1},     {kCmdChangeGraphic, 2},
      {kCmdEffect, 5},       {kCmdPicture, 6},     {kCmdScreenColor, 4}, {kCmdBackground, 1}};
  std::size_t listed = 0;
  for (const auto& [kind, count] : counts) {
    EXPECT_EQ(ParamListAt(kind).size(), count) << kind;
    listed += count;
  }
  std::size_t total = 0;
  for (const ParamRangeList& list : g_ParamTable) total += list.size();
  EXPECT_EQ(total, listed);
  EXPECT_TRUE(ParamListAt(kCmdGroundTurnMove).empty());
}

TEST(ParamTable, RangesThatDiffer) {
  BuildParamTable();
  EXPECT_EQ(ParamRangeAt(ParamListAt(kCmdShot), 0).nMax, 120);
  EXPECT_EQ(ParamRangeAt(ParamListAt(kCmdChangeGraphic), 0).nMax, 119);
  EXPECT_EQ(ParamRangeAt(ParamListAt(kCmdShot), 24).nMax, 999);
  EXPECT_EQ(ParamRangeAt(ParamListAt(kCmdSummonChara), 0).nMax, 9999);
  EXPECT_EQ(ParamRangeAt(ParamListAt(kCmdShot), 2).nMax, INT_MAX);
  const PARAMRANGE& impact = ParamRangeAt(ParamListAt(kCmdShot), 28);
  EXPECT_EQ(impact.strName, Cp932Literal("衝撃"));
  EXPECT_EQ(impact.nMin, -20);
  EXPECT_EQ(ParamRangeAt(ParamListAt(kCmdHomingMove), 1).strName, Cp932Literal("分身値による増加誘導性能の悪さ"));
  // Building again gives the same table.
  BuildParamTable();
  EXPECT_EQ(g_ParamTable.size(), 40u);
  EXPECT_EQ(ParamListAt(kCmdShot).size(), 29u);
}

TEST(CommandTables, CountsOfBothFamilies) {
  EXPECT_EQ(CmdParamCount(kFamilyChara, kCmdMessage), 18);
  EXPECT_EQ(CmdParamCount(kFamilyChara, kCmdPicture), 15);
  EXPECT_EQ(CmdParamCount(kFamilyChara, kCmdLoop), 2);
  EXPECT_EQ(CmdParamCount(kFamilyChara, 40), -1);
  EXPECT_EQ(CmdParamCount(kFamilyItem, kItemCmdChangeFlow), 2);
  EXPECT_EQ(CmdParamCount(kFamilyItem, 2), 9);   // "ステージクリア"
  EXPECT_EQ(CmdParamCount(kFamilyItem, 4), 18);  // "メッセージ"
  EXPECT_EQ(CmdParamCount(kFamilyItem, 24), 2);  // "ループ"
  EXPECT_EQ(CmdParamCount(kFamilyItem, 25), -1);
  EXPECT_EQ(CmdParamCount(2, 0), -1);
  for (int item = 2; item < kItemCmdKindCount; ++item) EXPECT_EQ(ItemKindOfChara(CharaKindOfItem(item)), item);
  EXPECT_EQ(ItemKindOfChara(kCmdFlowControl), -1);
  EXPECT_EQ(g_SwitchNames(), (std::vector<std::string>{"OFF", "ON", ""}));
}

TEST(CompareByOp, EveryComparison) {
  EXPECT_TRUE(CompareByOp(kCompareEqual, 3, 3));
  EXPECT_TRUE(CompareByOp(kCompareNotEqual, 3, 4));
  EXPECT_TRUE(CompareByOp(kCompareAtLeast, 4, 4));
  EXPECT_FALSE(CompareByOp(kCompareAtMost, 5, 4));
  EXPECT_TRUE(CompareByOp(kCompareGreater, 5, 4));
  EXPECT_FALSE(CompareByOp(kCompareLess, 4, 4));
  EXPECT_TRUE(CompareByOp(kCompareMultipleOf, -9, 3));
  EXPECT_TRUE(CompareByOp(kCompareMultipleOf, 7, 0));
  EXPECT_FALSE(CompareByOp(kCompareNotMultipleOf, 7, 0));
  EXPECT_TRUE(CompareByOp(kCompareNotMultipleOf, 7, -3));
  EXPECT_TRUE(CompareByOp(kCompareMultipleOf, INT_MIN, -1));
  EXPECT_FALSE(CompareByOp(8, 1, 1));
  EXPECT_FALSE(CompareByOp(-1, 1, 1));
}

TEST(CombineByOp, OperatorsSaturateAndClamp) {
  EXPECT_EQ(CombineByOp(kOpSet, 5, 2000000, -999999, 999999), 999999);
  EXPECT_EQ(CombineByOp(kOpAdd, INT_MAX, 1, INT_MIN, INT_MAX), INT_MAX);
  EXPECT_EQ(CombineByOp(kOpSubtract, -5, 10, 0, 100), 0);
  EXPECT_EQ(CombineByOp(kOpMultiply, -300, 7, -999999, 999999), -2100);
  EXPECT_EQ(CombineByOp(kOpMultiply, 100000, 100000, -999999, 999999), 999999);
  // A product that wraps into the wrong sign gives the end on its true side;
  // one that wraps into the right sign keeps the 32-bit product.
  EXPECT_EQ(CombineByOp(kOpMultiply, 50000, 50000, -999999, 999999), 999999);
  EXPECT_EQ(CombineByOp(kOpMultiply, -50000, 50000, -999999, 999999), -999999);
  EXPECT_EQ(CombineByOp(kOpMultiply, 65536, 65536, -999999, 999999), 0);
  EXPECT_EQ(CombineByOp(kOpMultiply, 0, -5, -999999, 999999), 0);
  EXPECT_EQ(CombineByOp(kOpDivide, 7, 0, 0, 100), 7);
  EXPECT_EQ(CombineByOp(kOpDivide, -7, 2, -100, 100), -3);
  EXPECT_EQ(CombineByOp(kOpDivide, INT_MIN, -1, INT_MIN, INT_MAX), INT_MAX);
  EXPECT_EQ(CombineByOp(kOpRemainder, 7, 0, 0, 100), 7);
  EXPECT_EQ(CombineByOp(kOpRemainder, -7, 3, -100, 100), -1);
  EXPECT_EQ(CombineByOp(kOpPercent, 15, 50, -100, 100), 8);    // 7.5 rounds up
  EXPECT_EQ(CombineByOp(kOpPercent, -15, 50, -100, 100), -8);  // and away from zero
  EXPECT_EQ(CombineByOp(kOpPercent, 14, 50, -100, 100), 7);
  EXPECT_EQ(CombineByOp(kOpPercent, 149, 1, -100, 100), 1);
  EXPECT_EQ(CombineByOp(9, 500, 1, 0, 100), 100);
}

}  // namespace

namespace {

TEST(ShotParamGrids, SpecsOfFormationsAndMovementKinds) {
  EXPECT_EQ(FormationParamSpec(kFormationThunder, 1).utf8Name, "列の数");
  EXPECT_EQ(FormationParamSpec(kFormationThunder, 1).nMin, 1);
  EXPECT_EQ(FormationParamSpec(kFormationSpread, 0).nDefault, 30);
  EXPECT_EQ(FormationParamSpec(kFormationSurround, 0).nDefault, 6);
  EXPECT_TRUE(FormationParamSpec(kFormationBurst, 0).utf8Name.empty());
  EXPECT_EQ(FormationParamSpec(kFormationBurst, 0).nMax, 0);
  EXPECT_EQ(ShotMoveParamSpec(kShotHomeNearest, 1).nMax, 999);
  EXPECT_EQ(ShotMoveParamSpec(kShotHomeNearest, 2).utf8Name, "対象勢力");
  EXPECT_EQ(ShotMoveParamSpec(kShotWave, 0).nDefault, 4);
  EXPECT_EQ(ShotMoveParamSpec(kShotWave, 2).nMax, 359);
  EXPECT_TRUE(ShotMoveParamSpec(kShotStraight, 0).utf8Name.empty());
  EXPECT_TRUE(ShotMoveParamSpec(10, 0).utf8Name.empty());
  EXPECT_TRUE(FormationParamSpec(0, 3).utf8Name.empty());
  EXPECT_TRUE(FormationParamSpec(-1, 0).utf8Name.empty());
}

}  // namespace
