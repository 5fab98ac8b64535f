// Validation of commands against the tables and the database, the palette
// check, test-play flows, and damaged or over-deep streams.

#include <gtest/gtest.h>

#include "tests/definitions/record_layouts.h"

namespace {

using CommandChecks = DefinitionsTest;

TEST_F(CommandChecks, DatabaseNumbersPastTheirListsAreReset) {
  g_Database->m_vSound.resize(4);
  const cEdCmd sound = LoadedCmd(878, {.kind = kCmdSound, .params = {4}, .sound = 4});
  EXPECT_EQ(sound.m_vParams[0], 1);
  EXPECT_EQ(sound.m_nSound, 0);
  EXPECT_EQ(LoadedCmd(878, {.kind = kCmdSound, .params = {3}, .sound = 3}).m_vParams[0], 3);
  EXPECT_EQ(LoadedCmd(878, {.kind = kCmdSound, .params = {-1}}).m_vParams[0], 1);
  EXPECT_EQ(LoadedCmd(878, {.kind = kCmdChangeAnimeSet, .params = {1}}).m_vParams[0], 0);
  // The character-graphic number is checked only for graphic kind 4.
  EXPECT_EQ(LoadedCmd(878, {.kind = kCmdChangeGraphic, .params = {4, 2, 0}}).m_vParams[1], 1);
  EXPECT_EQ(LoadedCmd(878, {.kind = kCmdChangeGraphic, .params = {3, 2, 0}}).m_vParams[1], 2);
  // Item commands are checked as the same command.
  EXPECT_EQ(LoadedCmd(878, {.family = kFamilyItem, .kind = 21, .params = {7, 0}}).m_vParams[0], 1);
}

TEST_F(CommandChecks, ParametersFollowTheKindsCount) {
  EXPECT_EQ(LoadedCmd(878, {.kind = kCmdJump, .params = {1, 2}}).m_vParams.size(), 5u);
  EXPECT_TRUE(LoadedCmd(878, {.kind = kCmdShot, .params = {1, 2}}).m_vParams.empty());
  EXPECT_EQ(LoadedCmd(878, {.family = kFamilyItem, .kind = kItemCmdChangeFlow}).m_vParams.size(), 2u);
}

TEST_F(CommandChecks, UnknownKindsBecomeTheEmptyCommand) {
  const cEdCmd chara = LoadedCmd(878, {.kind = 40, .params = {1, 2}});
  EXPECT_EQ(chara.m_nKind, 0);
  EXPECT_TRUE(chara.m_vParams.empty());
  const cEdCmd item = LoadedCmd(878, {.family = kFamilyItem, .kind = 25});
  EXPECT_EQ(item.m_nFamily, kFamilyItem);
  EXPECT_EQ(item.m_nKind, 0);
  const cEdCmd family = LoadedCmd(878, {.family = 9, .kind = 3});
  EXPECT_EQ(family.m_nFamily, kFamilyChara);
  EXPECT_EQ(family.m_nKind, 0);
  // Character kind 39 of a file before 734 would be 40 after the renumbering.
  EXPECT_EQ(LoadedCmd(700, {.kind = 39}).m_nKind, 0);
}

TEST_F(CommandChecks, SwordTimeFollowsItsSwordType) {
  g_Database->m_vSwordType.resize(2);
  g_Database->m_vSwordType[1].m_vEntries.resize(3);
  for (cSwordTypeEntry& entry : g_Database->m_vSwordType[1].m_vEntries) entry.nEntryTime = 0x10000 + 4;
  const ByteFixture shot = ShotStream(878, {{28, 1}});
  const cEdCmd sword = LoadedCmd(878, {.kind = kCmdSword, .shot = &shot, .time = 50});
  EXPECT_EQ(sword.m_nTime, 12);
  g_Database->m_vSwordType[1].m_vEntries[0].nEntryTime = 9995;
  EXPECT_EQ(LoadedCmd(878, {.kind = kCmdSword, .shot = &shot}).m_nTime, 9999);
  const ByteFixture pastTheList = ShotStream(878, {{28, 2}});
  EXPECT_EQ(LoadedCmd(878, {.kind = kCmdSword, .shot = &pastTheList}).m_Shot->m_nMoveKind, 0);
  EXPECT_EQ(LoadedCmd(878, {.kind = kCmdSword, .time = 50}).m_nTime, 50);
}

TEST_F(CommandChecks, PaletteReferencesPastTheirListsAreReset) {
  const PaletteListSizes common{.blocks = 3, .charas = 2, .items = 4};
  const PaletteListSizes stage{.blocks = 1, .charas = 5, .items = 1};
  cEdCmd shot;
  shot.m_nKind = kCmdShot;
  shot.m_Shot.Emplace().m_nItemPalette = 2;
  shot.m_Shot->m_nItemIndex = 1;
  cEdCmd summon;
  summon.m_nKind = kCmdSummonChara;
  summon.m_Shot.Emplace().m_nSummonPalette = 0;
  summon.m_Shot->m_nSummonIndex = 2;
  cEdCmd take;
  take.m_nFamily = kFamilyItem;
  take.m_nKind = 10;
  take.m_vParams = {0, 3};
  cEdFlow flow;
  flow.m_vCmds = {shot, summon, take};
  cEdCmd outer;
  outer.m_nFamily = kFamilyItem;
  outer.m_nKind = kItemCmdChangeFlow;
  outer.m_vFlows = {flow};
  CheckPaletteRefs(outer, common, stage);
  const cVector<cEdCmd>& checked = outer.m_vFlows[0].m_vCmds;
  EXPECT_EQ(checked[0].m_Shot->m_nItemPalette, 0);
  EXPECT_EQ(checked[0].m_Shot->m_nItemIndex, 0);
  EXPECT_EQ(checked[1].m_Shot->m_nSummonIndex, 1);
  EXPECT_EQ(checked[2].m_vParams[1], 3);  // within the common items
  outer.m_vFlows[0].m_vCmds[2].m_vParams = {1, 1};
  CheckPaletteRefs(outer, common, stage);
  EXPECT_EQ(outer.m_vFlows[0].m_vCmds[2].m_vParams[1], 1);
}

ByteFixture ChangeFlowWithTestFlow() {
  return CmdStream(878, {.family = kFamilyItem,
                         .kind = kItemCmdChangeFlow,
                         .params = {0, 0},
                         .flows = {FlowStream(878, {.trigger = 1}), FlowStream(878, {.trigger = 2, .testPlay = 1})}});
}

TEST_F(CommandChecks, TestPlayFlowsStayOnlyOnTestPlaysOrWhenTheProjectKeepsThem) {
  cEdCmd command;
  ASSERT_TRUE(LoadStream(command, 878, ChangeFlowWithTestFlow()));
  ASSERT_EQ(command.m_vFlows.size(), 1u);
  EXPECT_EQ(command.m_vFlows[0].m_nTrigger, 1);
  g_bFromEditor = 1;
  ASSERT_TRUE(LoadStream(command, 878, ChangeFlowWithTestFlow()));
  EXPECT_EQ(command.m_vFlows.size(), 2u);
  g_bFromEditor = 0;
  g_System->m_nSetting113 = 1;
  ASSERT_TRUE(LoadStream(command, 878, ChangeFlowWithTestFlow()));
  EXPECT_EQ(command.m_vFlows.size(), 2u);
}

// A "フローの変更" whose one flow holds the next level, `levels` deep.
ByteFixture NestedCommands(int levels) {
  ByteFixture command = CmdStream(878, {.family = kFamilyItem, .kind = kItemCmdChangeFlow, .params = {0, 0}});
  for (int level = 1; level < levels; ++level) {
    command = CmdStream(878, {.family = kFamilyItem,
                              .kind = kItemCmdChangeFlow,
                              .params = {0, 0},
                              .flows = {FlowStream(878, {.commands = {command}})}});
  }
  return command;
}

TEST_F(CommandChecks, NestingIsCappedAt32Levels) {
  cEdCmd command;
  EXPECT_TRUE(LoadStream(command, 878, NestedCommands(kMaxCommandNesting)));
  command.m_nTime = 5;
  EXPECT_FALSE(LoadStream(command, 878, NestedCommands(kMaxCommandNesting + 1)));
  EXPECT_EQ(command.m_nTime, 5);
  // The depth count is back at 0 after the refusal.
  EXPECT_TRUE(LoadStream(command, 878, NestedCommands(kMaxCommandNesting)));
}

TEST_F(CommandChecks, DamagedStreamsAreRefused) {
  const ByteFixture whole = CmdStream(878, {.kind = kCmdJump, .params = {1, 2, 3, 4, 5}});
  for (std::size_t cut : {std::size_t{3}, std::size_t{30}, whole.Bytes().size() - 1}) {
    ByteFixture truncated;
    for (std::size_t i = 0; i < cut; ++i) truncated.U8(whole.Bytes()[i]);
    cEdCmd command;
    EXPECT_FALSE(LoadStream(command, 878, truncated)) << cut;
  }
  ByteFixture negative = RecordStream({{1, 0}, {1, 0}, {2, 0}, {2, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 0}}, {""});
  negative.I32(0).I32(0).I32(0).I32(0).I32(-1);
  cEdCmd command;
  EXPECT_FALSE(LoadStream(command, 878, negative));
  ByteFixture huge = RecordStream({{1, 0}, {1, 0}, {2, 0}, {2, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 0}}, {""});
  huge.I32(0).I32(0).I32(0).I32(0x7FFFFFFF);
  EXPECT_FALSE(LoadStream(command, 878, huge));
}

}  // namespace
