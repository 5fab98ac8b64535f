// Conditions, condition lists, flows and key steps read from hand-written
// streams of older data versions.

#include <gtest/gtest.h>

#include "tests/definitions/record_layouts.h"

namespace {

using ConditionUpgrade = DefinitionsTest;
using FlowUpgrade = DefinitionsTest;

TEST_F(ConditionUpgrade, KindsFrom150MakeRoomForTheStateConditions) {
  EXPECT_EQ(LoadedCond(150, {.kind = 5}).m_nKind, kCondDistance);
  EXPECT_EQ(LoadedCond(150, {.kind = 4}).m_nKind, kCondStatus);
  EXPECT_EQ(LoadedCond(160, {.kind = 5}).m_nKind, kCondStatus2);
}

TEST_F(ConditionUpgrade, OldStreamsDropTheirTwoValuesAndLackThePercentSwitch) {
  cCond cond;
  cond.m_bPercent = 1;
  ASSERT_TRUE(LoadStream(cond, 40, CondStream(40, {.kind = 1, .compare = 3})));
  EXPECT_EQ(cond.m_nCompare, 3);
  EXPECT_EQ(cond.m_bPercent, 1);
  const cCond v100 = LoadedCond(100, {.kind = 2, .compare = 4});
  EXPECT_EQ(v100.m_nKind, kCondStageVar);
  EXPECT_EQ(v100.m_nCompare, 4);
  EXPECT_EQ(v100.m_nLeftIndex, 0);
}

TEST_F(ConditionUpgrade, ThirdStateConditionOnState2IsNegatedBefore161) {
  EXPECT_EQ(LoadedCond(160, {.kind = 6, .leftItem = 2, .compare = 2}).m_nCompare, 3);
  EXPECT_EQ(LoadedCond(160, {.kind = 6, .leftItem = 1, .compare = 2}).m_nCompare, 2);
  EXPECT_EQ(LoadedCond(161, {.kind = 6, .leftItem = 2, .compare = 2}).m_nCompare, 2);
}

TEST_F(ConditionUpgrade, StatusIndexesFollowTheInsertedStatuses) {
  // 10 -> 11 (168) -> 12 (203) on the left; the right side likewise.
  const cCond status =
      LoadedCond(160, {.kind = 4, .leftItem = 10, .rightSource = kSourceStatus, .rightObject = 1, .rightItem = 5});
  EXPECT_EQ(status.m_nLeftItem, 12);
  EXPECT_EQ(status.m_nRightItem, 6);
  // Statuses of the system object (then 2) stay; the object becomes 5.
  const cCond system = LoadedCond(160, {.kind = 4, .leftObject = 2, .leftItem = 10});
  EXPECT_EQ(system.m_nLeftItem, 10);
  EXPECT_EQ(system.m_nLeftObject, 5);
  EXPECT_EQ(LoadedCond(205, {.kind = 5, .leftObject = 1, .leftItem = 6}).m_nLeftItem, 7);
  EXPECT_EQ(LoadedCond(700, {.kind = 4, .leftObject = 2, .rightObject = 3}).m_nRightObject, 6);
  EXPECT_EQ(LoadedCond(767, {.kind = 4, .leftObject = 2}).m_nLeftObject, 2);
}

TEST_F(ConditionUpgrade, DistanceConditionSettingsOfOlderFiles) {
  const cCond distance = LoadedCond(650, {.kind = 7, .leftKind = 3, .leftObject = 4, .rightSource = 0, .rightObject = 0});
  EXPECT_EQ(distance.m_nLeftObject, 0);
  EXPECT_EQ(distance.m_nLeftKind, 0);
  EXPECT_EQ(distance.m_nRightSource, kSourceRandom);
  EXPECT_EQ(distance.m_nRightObject, 1);
  const cCond recent = LoadedCond(746, {.kind = 7, .leftKind = 3, .leftObject = 4});
  EXPECT_EQ(recent.m_nLeftObject, 4);
  EXPECT_EQ(recent.m_nLeftKind, 3);
}

TEST_F(ConditionUpgrade, ConditionListBefore766StoresNoConditions) {
  cCondList list;
  list.m_vConds.resize(2);
  ASSERT_TRUE(LoadStream(list, 765, RecordStream({{1, 1}, {1, 1}})));
  EXPECT_EQ(list.m_bUse, 1);
  EXPECT_EQ(list.m_nMode, kCondAny);
  ByteFixture withConds = RecordStream({{1, 0}, {1, 0}});
  withConds.I32(1).Append(CondStream(766, {.kind = 3}));
  ASSERT_TRUE(LoadStream(list, 766, withConds));
  ASSERT_EQ(list.m_vConds.size(), 1u);
  EXPECT_EQ(list.m_vConds[0].m_nKind, kCondCharaVar);
}

TEST_F(FlowUpgrade, TriggersAreRenumberedStepByStep) {
  // 11 -> 12 (131 or lower) -> 14 (below 164): "自分の上にブロックが当たった時".
  EXPECT_EQ(LoadedFlow(100, {.trigger = 11}).m_nTrigger, kTriggerBlockAbove);
  EXPECT_EQ(LoadedFlow(131, {.trigger = 11}).m_nTrigger, kTriggerBlockAbove);
  EXPECT_EQ(LoadedFlow(132, {.trigger = 11}).m_nTrigger, 13);
  EXPECT_EQ(LoadedFlow(163, {.trigger = 5}).m_nTrigger, 7);
  EXPECT_EQ(LoadedFlow(164, {.trigger = 5}).m_nTrigger, 5);
  EXPECT_EQ(LoadedFlow(700, {.trigger = 18}).m_nTrigger, kTriggerBeforeStage);
  EXPECT_EQ(LoadedFlow(762, {.trigger = 18}).m_nTrigger, kTriggerAttackDamaged);
}

TEST_F(FlowUpgrade, FlagOfTriggeredFlowsIsDroppedBefore163) {
  EXPECT_EQ(LoadedFlow(162, {.trigger = 3, .flag = 5}).m_nFlag, 0);
  EXPECT_EQ(LoadedFlow(162, {.trigger = 0, .flag = 5}).m_nFlag, 5);
  EXPECT_EQ(LoadedFlow(163, {.trigger = 3, .flag = 5}).m_nFlag, 5);
}

TEST_F(FlowUpgrade, MemoIsAlwaysEmptiedAndTheKeyListTakesAnyStoredLength) {
  EXPECT_EQ(LoadedFlow(878, {.memo = "note"}).m_strMemo, "");
  for (int stored : {0, 3, 19, 40}) {
    ByteFixture stream = RecordStream({{1, 1}, {2, 2}, {2, 3}, {1, 0}, {1, 2}});
    stream.I32(stored);
    for (int i = 0; i < stored; ++i) stream.U8(kKeyPressed);
    cKeyStep step;
    ASSERT_TRUE(LoadStream(step, 878, stream));
    ASSERT_EQ(step.m_vKeys.size(), cKeyStep::kKeyCount);
    EXPECT_EQ(step.m_vKeys[0], stored > 0 ? kKeyPressed : kKeyAny);
    EXPECT_EQ(step.m_vKeys[18], stored >= 19 ? kKeyPressed : kKeyAny);
    EXPECT_EQ(step.m_nCombination, kKeysExactly1);
  }
}

TEST_F(FlowUpgrade, CommandsInsideFlowsAreUpgradedWithTheFile) {
  const cEdFlow flow = LoadedFlow(700, {.commands = {CmdStream(700, {.kind = 24, .params = {0, 1}})}});
  ASSERT_EQ(flow.m_vCmds.size(), 1u);
  EXPECT_EQ(flow.m_vCmds[0].m_nKind, kCmdTakeItem);
}

}  // namespace
