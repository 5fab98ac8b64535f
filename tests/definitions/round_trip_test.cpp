// Every definition record of a command tree saves and loads back to the same
// bytes at the program's data version, and the stream has the layout of the
// file format.

#include <gtest/gtest.h>

#include "tests/definitions/definitions_test_support.h"

namespace {

cCond SampleCond(std::uint8_t kind) {
  cCond cond;
  cond.m_nKind = kind;
  cond.m_nLeftKind = 1;
  cond.m_nLeftClass = 1;
  cond.m_nLeftObject = 3;
  cond.m_nLeftItem = 7;
  cond.m_nLeftIndex = -12;
  cond.m_nRightSource = kSourceRandom;
  cond.m_nValue = -999999;
  cond.m_nRandLow = -5;
  cond.m_nRandHigh = 99;
  cond.m_nRightObject = 5;
  cond.m_nRightItem = 4;
  cond.m_nRightClass = 1;
  cond.m_nRightIndex = 500;
  cond.m_nCompare = 6;
  cond.m_bPercent = 1;
  cond.m_nLast = 9;
  return cond;
}

cKeyStep SampleKeyStep() {
  cKeyStep step;
  step.m_vKeys[0] = kKeyPressed;
  step.m_vKeys[18] = kKeyReleased;
  step.m_bFacingRelative = 1;
  step.m_nTime1 = 3;
  step.m_nTime2 = 600;
  step.m_bAnyHold = 1;
  step.m_nCombination = kKeysExactly1;
  return step;
}

cEdCmd FlowControlCmd() {
  cEdCmd command;
  command.m_nKind = kCmdFlowControl;
  command.m_vParams = {1, 2, 3, 0};
  cCondList& list = command.m_CondList.Emplace();
  list.m_bUse = 1;
  list.m_nMode = kCondAny;
  list.m_vConds = {SampleCond(kCondStatus), SampleCond(kCondDistance)};
  return command;
}

cEdFlow SampleFlow(cEdCmd inner) {
  cEdFlow flow;
  flow.m_nId = 3;
  flow.m_nFlag = 26;
  flow.m_nCondMode = kCondAny;
  flow.m_bCondOnce = 1;
  flow.m_nTrigger = kTriggerAttackHit;
  flow.m_bTakeOther = 1;
  flow.m_nTargetSlot = 4;
  flow.m_nKeyGap = 2;
  flow.m_bKeyHold = 1;
  flow.m_vConds = {SampleCond(kCondCommonVar)};
  flow.m_vKeySteps = {SampleKeyStep(), SampleKeyStep()};
  flow.m_vCmds = {std::move(inner), FlowControlCmd()};
  return flow;
}

// An item command "フローの変更" whose flow runs a shot and a move.
cEdCmd CommandTree() {
  cEdCmd shot;
  shot.m_nKind = kCmdShot;
  shot.m_nTime = 12;
  shot.m_nTimeStep = -3;
  shot.m_bInstant = 1;
  shot.m_nSound = 1;
  shot.m_bHeroOnlySound = 0;
  shot.m_nAnime = 1;
  cEdShot& record = shot.m_Shot.Emplace();
  record.m_nCount = 5;
  record.m_anFormationParam[2] = 65535;
  record.m_nAngle = -7200;
  record.m_nPower = -999999;
  record.m_nImpact = -20;
  record.m_bAttack = 1;
  record.m_nAttackFlowId = 26;
  cEdMove& move = shot.m_Move.Emplace();
  move.m_nAngle = -300;
  move.m_dReversal = 0.25;
  move.m_nTargetSlot = 4;

  cEdCmd tree;
  tree.m_nFamily = kFamilyItem;
  tree.m_nKind = kItemCmdChangeFlow;
  tree.m_vParams = {4, -1};
  tree.m_vFlows = {SampleFlow(shot)};
  return tree;
}

using RoundTrip = DefinitionsTest;

TEST_F(RoundTrip, CommandTreeSavesAndLoadsToTheSameBytes) {
  cEdCmd tree = CommandTree();
  const std::vector<std::uint8_t> saved = SavedStream(tree);
  ByteFixture stream;
  for (std::uint8_t byte : saved) stream.U8(byte);
  cEdCmd loaded;
  ASSERT_TRUE(LoadStream(loaded, 878, stream));
  EXPECT_EQ(SavedStream(loaded), saved);
  ASSERT_EQ(loaded.m_vFlows.size(), 1u);
  const cEdFlow& flow = loaded.m_vFlows[0];
  EXPECT_EQ(flow.m_nTrigger, kTriggerAttackHit);
  ASSERT_EQ(flow.m_vCmds.size(), 2u);
  const cEdCmd& shot = flow.m_vCmds[0];
  ASSERT_TRUE(shot.m_Shot && shot.m_Move);
  EXPECT_FALSE(shot.m_CondList);
  EXPECT_EQ(shot.m_Shot->m_nImpact, -20);
  EXPECT_EQ(shot.m_Move->m_dReversal, 0.25);
  EXPECT_EQ(flow.m_vCmds[1].m_CondList->m_vConds[1].m_nLeftIndex, -12);
  EXPECT_EQ(flow.m_vKeySteps[1].m_vKeys[18], kKeyReleased);
}

TEST_F(RoundTrip, EachRecordOnItsOwn) {
  auto expectSame = [](auto record) {
    const std::vector<std::uint8_t> saved = SavedStream(record);
    ByteFixture stream;
    for (std::uint8_t byte : saved) stream.U8(byte);
    decltype(record) loaded;
    ASSERT_TRUE(LoadStream(loaded, 878, stream));
    EXPECT_EQ(SavedStream(loaded), saved);
  };
  expectSame(SampleCond(kCondStatus2));
  expectSame(cCondList(*FlowControlCmd().m_CondList));
  expectSame(SampleKeyStep());
  expectSame(cEdMove());
  expectSame(cEdShot());
  expectSame(SampleFlow(FlowControlCmd()));
}

TEST_F(RoundTrip, ConditionStreamHasTheFileLayout) {
  cCond cond = SampleCond(kCondStatus);
  const ByteFixture expected = RecordStream({{1, kCondStatus}, {4, -999999}, {4, -5}, {4, 99}, {1, 3}, {1, 7},
                                             {1, 1}, {1, 1}, {2, -12}, {1, kSourceRandom}, {1, 5}, {1, 4}, {1, 1},
                                             {2, 500}, {1, 6}, {1, 1}, {1, 9}});
  EXPECT_EQ(SavedStream(cond), expected.Bytes());
}

TEST_F(RoundTrip, CommandStreamHasTheFileLayout) {
  cEdCmd command;
  command.m_nKind = kCmdFacing;
  command.m_nTime = 7;
  command.m_nSound = 1;
  command.m_strCode = "x";
  command.m_vParams = {-2};
  ByteFixture expected = RecordStream({{1, 0}, {1, kCmdFacing}, {2, 7}, {2, 0}, {1, 0}, {2, 1}, {1, 1}, {2, 0}}, {"x"});
  expected.I32(0).I32(0).I32(0).I32(0).I32(1).I32(-2);
  EXPECT_EQ(SavedStream(command), expected.Bytes());
}

TEST_F(RoundTrip, CopiesOwnTheirRecords) {
  cEdCmd tree = CommandTree();
  cEdCmd copy = tree;
  cEdCmd& inner = copy.m_vFlows[0].m_vCmds[0];
  EXPECT_NE(inner.m_Shot.get(), tree.m_vFlows[0].m_vCmds[0].m_Shot.get());
  inner.m_Shot->m_nCount = 99;
  inner.m_Move->m_nSpeed = 1;
  copy.m_vFlows[0].m_vCmds[1].m_CondList->m_bUse = 0;
  EXPECT_EQ(tree.m_vFlows[0].m_vCmds[0].m_Shot->m_nCount, 5);
  EXPECT_EQ(tree.m_vFlows[0].m_vCmds[0].m_Move->m_nSpeed, 10);
  EXPECT_EQ(tree.m_vFlows[0].m_vCmds[1].m_CondList->m_bUse, 1);
}

}  // namespace
