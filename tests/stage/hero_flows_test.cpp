// The hero's flow step and its settings: the queued flow changes run after
// the flows in the order they came, the grace after a mode change counts
// down and ends a pending restore, mode changes move the boxes and reset
// the motion, the boxes follow the stage's sizes, switches and the size
// factor, the box display's order, the touched-item memory, and the idle
// pattern and jump resets of a sub-step without a jump.
#include <gtest/gtest.h>

#include <vector>

#include "definitions/command_record.h"
#include "definitions/flow_record.h"
#include "input/input_record.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/hero.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_hooks.h"
#include "stage/show/message_record.h"
#include "tests/stage/stage_fixture.h"
#include "tests/support/scratch_report.h"

namespace {

StageBuilder FloorStage() {
  StageBuilder builder(30, 8, 4, 4);
  for (int column = 0; column < 30; ++column) builder.Block(column, 5);
  return builder;
}

// Records the queued flow changes that the runtime is asked to carry out.
std::vector<int> g_ranChanges;

class QueuedChanges : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = g_FlowRuntime;
    g_ranChanges.clear();
    g_FlowRuntime.runQueuedFlowChange = [](cChara& chara, const cEdCmd& cmd) {
      EXPECT_TRUE(static_cast<cHero&>(chara).queuedFlowChanges.empty());  // taken out before they run
      g_ranChanges.push_back(cmd.m_vParams[0]);
    };
  }
  void TearDown() override { g_FlowRuntime = saved_; }
  FlowRuntimeSlot saved_;
};

cEdCmd FlowChange(int mode) {
  cEdCmd cmd;
  cmd.m_vParams.resize(2);
  cmd.m_vParams[0] = mode;
  return cmd;
}

TEST_F(QueuedChanges, RunInTheirOrderAfterTheFlowsAndEmptyTheQueue) {
  StageRun run(FloorStage());
  cHero& hero = *run.harness.Hero();
  for (int mode : {2, 0, 1}) hero.queuedFlowChanges.push_back(FlowChange(mode));
  run.harness.Step(0, 0);
  EXPECT_EQ(g_ranChanges, (std::vector<int>{2, 0, 1}));
  EXPECT_TRUE(hero.queuedFlowChanges.empty());
  run.harness.Step(0, 0);
  EXPECT_EQ(g_ranChanges.size(), 3u);
}

TEST(HeroSettings, TheGraceAfterAModeChangeCountsDownAndEndsAPendingRestore) {
  StageRun run(FloorStage());
  cHero& hero = *run.harness.Hero();
  for (int i = 0; i < 5; ++i) run.harness.Step(0, 0);
  const double x = hero.x;
  const double y = hero.y;
  hero.ApplySettings(hero.Floats() ? 0 : 1, 0, 1, 1);  // to floating: saved and restore asked
  EXPECT_EQ(hero.squeezeGrace, 2);
  EXPECT_EQ(hero.restorePending, 1);
  EXPECT_EQ(hero.restartSaved, 1);
  EXPECT_EQ(hero.restartX, x);
  EXPECT_EQ(hero.restartY, y);
  run.harness.Step(0, 0);
  EXPECT_EQ(hero.squeezeGrace, 1);
  EXPECT_EQ(hero.restorePending, 1);
  run.harness.Step(0, 0);
  EXPECT_EQ(hero.squeezeGrace, 0);
  EXPECT_EQ(hero.restorePending, 0);
  EXPECT_EQ(SurviveSqueeze(hero), 0);

  // The same mode again: no grace.
  hero.ApplySettings(1, 0, 0, 1);
  EXPECT_EQ(hero.squeezeGrace, 0);
  EXPECT_EQ(hero.restorePending, 0);
}

// A flow of the hero that makes a mode change with save and restore the
// first time it runs.
class ModeChangeByOwnFlow : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = g_FlowRuntime;
    g_FlowRuntime.buildEntries = [](cChara&, cFlowState& state) { state.entries.resize(1); };
    g_FlowRuntime.startFlow = [](cChara&, cFlowState& state) { state.active = 1; };
    g_FlowRuntime.runFlow = [](cChara& chara, cFlowState&) {
      cHero& hero = static_cast<cHero&>(chara);
      if (!hero.Floats()) hero.ApplySettings(1, 0, 1, 1);
      return 0;
    };
  }
  void TearDown() override { g_FlowRuntime = saved_; }
  FlowRuntimeSlot saved_;
};

TEST_F(ModeChangeByOwnFlow, ASqueezeInTheSameOrNextSubStepRestoresOnceThenOneKills) {
  StageRun run(FloorStage());
  cHero& hero = *run.harness.Hero();
  for (int i = 0; i < 5; ++i) run.harness.Step(0, 0);
  cVector<cEdFlow> flows(1);
  hero.SetFlows(flows);
  run.harness.Step(0, 0);  // the flow changes the mode in this sub-step
  ASSERT_TRUE(hero.Floats());
  const double savedX = hero.restartX;
  hero.x += 40;
  EXPECT_EQ(SurviveSqueeze(hero), 1);  // the same sub-step: back on the restart point
  EXPECT_EQ(hero.x, savedX);
  run.harness.Step(0, 0);
  hero.x += 40;
  const double movedX = hero.x;
  EXPECT_EQ(SurviveSqueeze(hero), 1);  // the next: survives where it is, the restore was used
  EXPECT_EQ(hero.x, movedX);
  run.harness.Step(0, 0);
  EXPECT_EQ(SurviveSqueeze(hero), 0);  // the second after the change
}

TEST(HeroSettings, ModeChangesMoveTheHitBoxAndResetTheMotion) {
  StageBuilder builder = FloorStage();
  builder.stage.HeroSize1[0] = 16;
  builder.stage.HeroSize1[1] = 24;
  builder.stage.HeroSize1[2] = 20;
  builder.stage.HeroSize1[3] = 12;
  builder.stage.HeroSizeSwitch[0] = 1;  // walking: on the cell's bottom
  builder.stage.HeroSizeSwitch[1] = 0;  // floating: centred
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  EXPECT_EQ(hero.hitWidth, 16);
  EXPECT_EQ(hero.hitHeight, 24);
  EXPECT_EQ(hero.graphicOffsetX, 8);
  EXPECT_EQ(hero.graphicOffsetY, 8);

  hero.ApplySettings(1, 0, 0, 0);
  EXPECT_TRUE(hero.Floats());
  EXPECT_EQ(hero.hitWidth, 20);
  EXPECT_EQ(hero.hitHeight, 12);
  EXPECT_EQ(hero.graphicOffsetX, 6);
  EXPECT_EQ(hero.graphicOffsetY, 10);
  EXPECT_EQ(hero.falling, 1);  // counts as falling at once
  EXPECT_EQ(hero.airFrames, g_PlayStage.Level8);
  EXPECT_EQ(hero.right, hero.x + 19);

  hero.vx = hero.vy = hero.cmdSpeedX = hero.cmdSpeedY = 1.5;
  hero.ApplySettings(0, 0, 0, 0);
  EXPECT_FALSE(hero.Floats());
  for (double value : {hero.vx, hero.vy, hero.cmdSpeedX, hero.cmdSpeedY}) EXPECT_EQ(value, 0.0);

  // A project that keeps the old rule does not make a floating hero fall.
  hero.falling = hero.airFrames = 0;
  {
    const SystemSwitch noFall(&cSystem::m_nCompat818A, 1);
    hero.ApplySettings(1, 0, 0, 0);
    EXPECT_EQ(hero.falling, 0);
    EXPECT_EQ(hero.airFrames, 0);
  }
  hero.ApplySettings(1, 0, 0, 0);
  EXPECT_EQ(hero.falling, 1);
}

TEST(HeroSettings, BoxesFollowTheHitAreaChoiceTheSwitchesAndTheSizeFactor) {
  StageBuilder builder = FloorStage();
  cEdStage& stage = builder.stage;
  stage.HeroSize1[0] = 16;
  stage.HeroSize1[1] = 24;
  stage.HeroSizeSwitch[0] = 1;  // hit box offset (8, 8)
  stage.HeroBoxA[0] = 12;
  stage.HeroBoxA[1] = 20;
  stage.HeroBoxSwitch[0] = 1;
  stage.HeroBoxC[0] = 12;
  stage.HeroBoxC[1] = 8;
  stage.HeroBoxC[2] = 16;
  stage.HeroBoxC[3] = 16;
  stage.ShotSize[0] = 10;
  stage.ShotSize[1] = 6;
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  // Offsets count from the hit box's top-left, 8 dots into the cell.
  EXPECT_EQ(hero.bodyBox.offsetX, 16 - 6 - 8);
  EXPECT_EQ(hero.bodyBox.offsetY, 32 - 20 - 8);  // on the bottom
  EXPECT_EQ(hero.bodyBox.width, 12);
  EXPECT_EQ(hero.shotBox.offsetX, 16 - 6 - 8);
  EXPECT_EQ(hero.shotBox.offsetY, 16 - 4 - 8);
  EXPECT_EQ(hero.itemBox.offsetX, 0);
  EXPECT_EQ(hero.itemBox.offsetY, 0);
  EXPECT_EQ(hero.itemBox.height, 16);
  EXPECT_EQ(hero.bodyBox.left, static_cast<int>(hero.x) + hero.bodyBox.offsetX);
  EXPECT_EQ(hero.itemBox.bottom, static_cast<int>(hero.y) + 15);

  const struct {
    int choice, width, height, offsetY;
  } choices[] = {{1, 12, 8, 16 - 4 - 8}, {2, 10, 6, 16 - 3 - 8}, {3, 32, 32, -8}};
  for (const auto& c : choices) {
    hero.def.m_nHitArea = static_cast<std::uint8_t>(c.choice);
    hero.ApplySettings(0, 0, 0, 0);
    EXPECT_EQ(hero.bodyBox.width, c.width) << c.choice;
    EXPECT_EQ(hero.bodyBox.height, c.height) << c.choice;
    EXPECT_EQ(hero.bodyBox.offsetY, c.offsetY) << c.choice;
  }

  // Scaled: sizes and offsets double, the drawn cell too.
  hero.def.m_nHitArea = 0;
  hero.sizeFactor = 2;
  hero.ApplySettings(0, 1, 0, 0);
  EXPECT_EQ(hero.hitWidth, 32);
  EXPECT_EQ(hero.graphicOffsetY, 16);
  EXPECT_EQ(hero.drawWidth, 64);
  EXPECT_EQ(hero.bodyBox.width, 24);
  EXPECT_EQ(hero.bodyBox.offsetY, 2 * (32 - 20 - 8));
  EXPECT_EQ(hero.itemBox.width, 32);
  // A scale change keeps the offsets' base and multiplies again.
  hero.ScaleChanged(3);
  EXPECT_EQ(hero.shotBox.width, 36);
  EXPECT_EQ(hero.shotBox.offsetX, 3 * (16 - 6 - 8));
}

TEST(HeroSettings, TheBoxDisplayDrawsLargerBoxesFirst) {
  StageBuilder builder = FloorStage();
  cEdStage& stage = builder.stage;
  stage.HeroSize1[0] = 16;  // hit box 16 x 24
  stage.HeroSize1[1] = 24;
  stage.HeroBoxC[0] = 12;  // shot box 12 x 8
  stage.HeroBoxC[1] = 8;
  stage.HeroBoxC[2] = 16;  // item box 16 x 16
  stage.HeroBoxC[3] = 16;
  for (int i = 0; i < 4; ++i) {
    stage.HeroGraphic1[i] = 1 + i % 2;
    stage.HeroGraphic2[i] = i;  // hit red, body green, shot blue, item yellow
  }
  builder.Hero().m_nHitArea = 3;  // body box 32 x 32
  StageRun run(builder);
  const cHero& hero = *run.harness.Hero();
  ASSERT_EQ(hero.boxDisplay.size(), 4u);
  const int kinds[] = {HeroBoxDisplay::kBodyBox, HeroBoxDisplay::kHitBox, HeroBoxDisplay::kItemBox,
                       HeroBoxDisplay::kShotBox};
  const int colours[] = {212, 208, 220, 216};
  const int styles[] = {2, 1, 2, 1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(hero.boxDisplay[i].kind, kinds[i]) << i;
    EXPECT_EQ(hero.boxDisplay[i].colour, colours[i]) << i;
    EXPECT_EQ(hero.boxDisplay[i].style, styles[i]) << i;
  }
}

TEST(HeroSettings, AColourOutsideTheEightHidesItsBox) {
  StageBuilder builder = FloorStage();
  builder.stage.HeroGraphic1[0] = 1;
  builder.stage.HeroGraphic2[0] = 8;
  StageRun run(builder);
  for (const HeroBoxDisplay& entry : run.harness.Hero()->boxDisplay) EXPECT_EQ(entry.style, HeroBoxDisplay::kHidden);
}

// A hero whose input player number is beyond the one input record plays
// with the player's record, and the placement says so once: the key checks
// of its flow over two seconds of frames add no line.
TEST(HeroSettings, AnInputPlayerBeyondTheRecordsUsesThePlayersRecordAndIsReportedOnce) {
  const ScratchReport report;
  ASSERT_TRUE(report.Opened());
  StageBuilder builder = InputFollowingStage();
  builder.Hero().m_nPlayerNo = 3;
  StageRun run(builder);
  EXPECT_EQ(run.harness.Hero()->input, &g_Inputs[0]);
  for (int frame = 0; frame < 120; ++frame) run.harness.Step(0, frame % 2 == 0 ? 1 : 0);
  EXPECT_EQ(report.LinesWith("err V[3]"), 1);
}

TEST(HeroTouch, AnItemIsRememberedUntilItIsForgotten) {
  StageRun run(FloorStage());
  cHero& hero = *run.harness.Hero();
  EXPECT_EQ(hero.IsNotTouching(5), 1);
  hero.touchedItems = {5, 7, 5};
  EXPECT_EQ(hero.IsNotTouching(5), 0);
  EXPECT_EQ(hero.IsNotTouching(6), 1);
  hero.ForgetTouch(5);  // every node of it
  EXPECT_EQ(hero.IsNotTouching(5), 1);
  EXPECT_EQ(hero.IsNotTouching(7), 0);
}

TEST(HeroTouch, AnItemMessageRisesOverTheHeroForHalfASecond) {
  StageRun run(FloorStage());
  run.harness.Hero()->ShowItemMessage(2, 5, 7);
  const auto& messages = run.harness.Scene().m_Draw.shows.messages;
  ASSERT_EQ(messages.size(), 1u);
  const MessageSetup& setup = messages.front().setup;
  EXPECT_EQ(setup.kind, kMessageCell);
  EXPECT_EQ(setup.values, (std::array<std::int32_t, 3>{2, 5, 7}));
  EXPECT_EQ(setup.place, kPlaceAboveHero);
  EXPECT_EQ(setup.keepInside, 1);
  EXPECT_EQ(setup.duration, kShowTimed);
  EXPECT_EQ(setup.frames, 30);
}

TEST(HeroFlowStep, IdlePatternAndJumpResetsWithoutAJump) {
  StageRun run(FloorStage());
  cHero& hero = *run.harness.Hero();
  hero.anime.SetPattern(1, 1);
  hero.jumpHoldCount = 4;
  hero.mayJump = 0;
  hero.jumpHold = 1;
  const int frames = hero.frameCounter;
  run.harness.Step(0, 0);
  EXPECT_EQ(hero.anime.Pattern(), 0);  // walking and not pushed
  EXPECT_EQ(hero.jumpHoldCount, 0);
  EXPECT_EQ(hero.mayJump, 1);
  EXPECT_EQ(hero.jumpHold, 0);
  EXPECT_EQ(hero.frameCounter, frames + 1);

  hero.cmdSpeedX = 0.5;  // pushed: the pattern stays
  hero.anime.SetPattern(1, 1);
  run.harness.Step(0, 0);
  EXPECT_EQ(hero.anime.Pattern(), 1);
}

TEST(HeroFlowStep, TheHeroRidesTheAutomaticScrollOnlyWhenItIsSetTo) {
  for (int rides : {0, 1}) {
    StageBuilder builder(60, 8, 4, 2);
    builder.stage.AutoScrollX = 1;
    builder.stage.AutoScrollSpeedX = 10;  // 1 dot per frame
    builder.Hero().m_nFlight = 1;
    builder.Hero().m_bScrollSync = static_cast<std::uint8_t>(rides);
    StageRun run(builder);
    cHero& hero = *run.harness.Hero();
    run.harness.Step(0, 0);
    const double x = hero.x;
    run.harness.Step(0, 0);
    EXPECT_DOUBLE_EQ(hero.x - x, rides ? 1.0 : 0.0) << rides;
  }
}

}  // namespace
