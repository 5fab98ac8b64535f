// The animation schedule: where installation places an animation ahead of
// its command, and what starting it puts on the character.
#include <gtest/gtest.h>

#include "commands/flows/anime_schedule.h"
#include "commands/flows/flow_install.h"
#include "commands/flows/flow_runtime.h"
#include "commands/install.h"
#include "definitions/param_table.h"
#include "project/global_data.h"
#include "stage/chara/stage_chara.h"
#include "tests/stage/stage_fixture.h"

namespace {

cEdCmd Command(int kind, int tenths, int anime = 0) {
  cEdCmd command;
  command.m_nKind = static_cast<std::uint8_t>(kind);
  command.m_vParams.assign(static_cast<std::size_t>(std::max(CmdParamCount(kFamilyChara, kind), 0)), 0);
  command.m_nTime = static_cast<std::int16_t>(tenths);
  command.m_nAnime = static_cast<std::uint16_t>(anime);
  return command;
}

// Frames of the given durations; `held` marks the first held one.
Pattern Frames(std::initializer_list<int> durations, int held = -1) {
  Pattern pattern;
  int index = 0;
  for (int duration : durations) {
    pattern.push_back({index + 1, duration, index >= held && held >= 0 ? 1 : 0});
    ++index;
  }
  pattern.push_back({kPatternEnded, 0, 0});
  return pattern;
}

class AnimeScheduleTest : public testing::Test {
 protected:
  AnimeScheduleTest() : run((InstallCommands(), BuildParamTable(), builder)) {
    saved = g_AnimeFrameTable;
    g_AnimeFrameTable.clear();
    g_AnimeFrameTable.push_back(Frames({0}));
    g_AnimeFrameTable.push_back(Frames({4, 8}));           // 12 frames
    g_AnimeFrameTable.push_back(Frames({6, 30, 40}, 0));   // 76 frames, the first held
  }
  ~AnimeScheduleTest() override { g_AnimeFrameTable = saved; }

  const cFlowState& Install(std::initializer_list<cEdCmd> commands) {
    cEdFlow flow;
    flow.m_nTrigger = kTriggerAlways;
    flow.m_vCmds = commands;
    SetFlowList(chara, {flow}, kReplaceFlows, -1, 1);
    return chara.flows[0];
  }

  StageBuilder builder{20, 15, 2, 10};
  StageRun run;
  cStageChara chara;
  cVector<Pattern> saved;
};

TEST_F(AnimeScheduleTest, AnAnimationStartsAsManyStepsAheadAsItLasts) {
  cEdCmd instant = Command(kCmdWait, 3);
  instant.m_bInstant = 1;
  const cFlowState& flow = Install({Command(kCmdWait, 10), instant, Command(kCmdWait, 2, 1)});
  ASSERT_EQ(flow.animeSchedule.size(), 1u);
  const cAnimSchedule& s = flow.animeSchedule[0];
  EXPECT_EQ(s.startStep, 60 - 12);
  EXPECT_EQ(s.startStepCopy, s.startStep);
  EXPECT_EQ(s.anime, 1);
  EXPECT_EQ(s.headStart, 0);
  EXPECT_EQ(s.framesToPlay, 12);
  EXPECT_EQ(s.commandTime, 12);
  EXPECT_EQ(s.holdStretch, 1);
}

TEST_F(AnimeScheduleTest, WhatDoesNotFitBeforeTheFlowIsSkipped) {
  const cFlowState& flow = Install({Command(kCmdWait, 5), Command(kCmdWait, 10, 2)});
  ASSERT_EQ(flow.animeSchedule.size(), 1u);
  const cAnimSchedule& s = flow.animeSchedule[0];
  EXPECT_EQ(s.startStep, 0);
  EXPECT_EQ(s.headStart, 76 - 30);
  EXPECT_EQ(s.framesToPlay, 30);
}

TEST_F(AnimeScheduleTest, OnlyCommandsThatPrepareAnAnimationAreScheduled) {
  cEdCmd walking = Command(kCmdStraightMove, 10, 1);
  walking.m_Move.Emplace().m_nMoveAnime = 0;
  cEdCmd other = Command(kCmdStraightMove, 10, 1);
  other.m_Move.Emplace().m_nMoveAnime = 2;
  cEdCmd jump = Command(kCmdJump, 10, 1);
  jump.m_Move.Emplace().m_nMoveAnime = 2;
  cEdCmd missing = Command(kCmdWait, 10, 99);
  const cFlowState& flow = Install({walking, other, jump, missing, Command(kCmdWait, 1)});
  ASSERT_EQ(flow.animeSchedule.size(), 2u);
  EXPECT_EQ(flow.animeSchedule[0].holdStretch, 1);
  EXPECT_EQ(flow.animeSchedule[1].holdStretch, 0);
}

TEST_F(AnimeScheduleTest, StartingStretchesTheFirstHeldFrameByTheCommandsTime) {
  Install({Command(kCmdWait, 20), Command(kCmdWait, 10, 2)});
  commands::StartFlow(chara, chara.flows[0]);
  StartScheduledAnims(chara);
  EXPECT_TRUE(chara.extraAnimes.empty());  // due at step 120 - 76
  chara.flows[0].stepCount = 44;
  StartScheduledAnims(chara);
  ASSERT_EQ(chara.extraAnimes.size(), 1u);
  const ExtraAnime& extra = chara.extraAnimes.front();
  EXPECT_EQ(extra.player.Patterns()[0][0].nDuration, 65);
  EXPECT_EQ(extra.player.Patterns()[0][1].nDuration, 30);
  EXPECT_EQ(extra.timed, 1);
  EXPECT_EQ(extra.timeLeft, 76);
  EXPECT_EQ(extra.secondCount, 60);
  EXPECT_EQ(extra.flowId, chara.flows[0].serial);
  EXPECT_EQ(extra.player.Tick(), 0);

  // A paused flow or another step count starts nothing.
  chara.extraAnimes.clear();
  chara.flows[0].paused = 1;
  StartScheduledAnims(chara);
  EXPECT_TRUE(chara.extraAnimes.empty());
  chara.flows[0].paused = 0;
  chara.flows[0].stepCount = 45;
  StartScheduledAnims(chara);
  EXPECT_TRUE(chara.extraAnimes.empty());
}

}  // namespace
