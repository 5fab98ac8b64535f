// Loop expansion: repeats, spans past the end, nesting, bad counts, the cap,
// and the flows of a placed character installed with their loops expanded.
#include <gtest/gtest.h>

#include "commands/flows/loop_expansion.h"
#include "commands/install.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "tests/stage/stage_fixture.h"

namespace {

cEdCmd Wait(int marker) {
  cEdCmd command;
  command.m_nKind = kCmdWait;
  command.m_vParams = {marker};
  return command;
}

cEdCmd Loop(int count, int span) {
  cEdCmd command;
  command.m_nKind = kCmdLoop;
  command.m_vParams = {count, span};
  return command;
}

std::vector<int> Markers(const cVector<cEdCmd>& list) {
  std::vector<int> markers;
  for (const cEdCmd& command : list) markers.push_back(IsLoopCommand(command) ? -1 : command.m_vParams[0]);
  return markers;
}

TEST(LoopExpansionTest, RepeatsTheSpanCountTimes) {
  cVector<cEdCmd> list = {Loop(3, 2), Wait(1), Wait(2), Wait(3)};
  ExpandLoopCommands(list);
  EXPECT_EQ(Markers(list), (std::vector<int>{1, 2, 1, 2, 1, 2, 3}));
}

TEST(LoopExpansionTest, ASpanPastTheEndTakesWhatFollows) {
  cVector<cEdCmd> list = {Wait(1), Loop(2, 5), Wait(2)};
  ExpandLoopCommands(list);
  EXPECT_EQ(Markers(list), (std::vector<int>{1, 2, 2}));
}

TEST(LoopExpansionTest, NestedLoopsMultiply) {
  cVector<cEdCmd> list = {Loop(2, 2), Loop(3, 1), Wait(1), Wait(2)};
  ExpandLoopCommands(list);
  EXPECT_EQ(Markers(list), (std::vector<int>{1, 1, 1, 1, 1, 1, 2}));
}

TEST(LoopExpansionTest, LastZeroAndNegativeLoopsOnlyVanish) {
  cVector<cEdCmd> list = {Wait(1), Loop(0, 1), Wait(2), Loop(-4, 1), Wait(3), Loop(5, -1), Wait(4), Loop(3, 2)};
  ExpandLoopCommands(list);
  EXPECT_EQ(Markers(list), (std::vector<int>{1, 2, 3, 4}));
}

TEST(LoopExpansionTest, ItemLoopsAndLoopsWithoutParameters) {
  cEdCmd itemLoop = Loop(2, 1);
  itemLoop.m_nFamily = kFamilyItem;
  itemLoop.m_nKind = 24;
  cEdCmd bare;
  bare.m_nKind = kCmdLoop;
  cVector<cEdCmd> list = {itemLoop, Wait(1), bare, Wait(2)};
  ExpandLoopCommands(list);
  EXPECT_EQ(Markers(list), (std::vector<int>{1, 1, 2}));
}

TEST(LoopExpansionTest, GrowthPastTheCapStopsAndDropsTheLoops) {
  cVector<cEdCmd> list = {Loop(2000000, 3), Wait(1), Wait(2), Wait(3), Loop(2, 1), Wait(4)};
  ExpandLoopCommands(list);
  EXPECT_EQ(Markers(list), (std::vector<int>{1, 2, 3, 4}));
}

}  // namespace

TEST(LoopExpansionTest, PlacedCharactersAndTheHeroGetTheirFlowsWithLoopsExpanded) {
  InstallCommands();
  StageBuilder builder(30, 10, 2, 4);
  cEdFlow flow;
  flow.m_vCmds = {Loop(3, 1), Wait(7)};
  builder.Chara(10, 4).m_vFlows.push_back(flow);
  builder.Hero().m_vFlows.push_back(flow);
  StageRun run(builder);
  for (const cChara* chara : {static_cast<const cChara*>(run.harness.CharaBySerial(1)),
                              static_cast<const cChara*>(run.harness.Hero())}) {
    EXPECT_EQ(Markers(chara->def.m_vFlows[0].m_vCmds), (std::vector<int>{7, 7, 7}));
    ASSERT_EQ(chara->flows.size(), 1u);
    EXPECT_EQ(chara->flows[0].entries.size(), 3u);
  }
}
