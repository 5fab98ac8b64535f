// Moves played on a stage: speeds, clone increments, ledges, the hero's
// own flow, homing arrival with a scrolled view, and repeatability.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "commands/install.h"
#include "input/input_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/objects/stage_space.h"
#include "tests/commands/move_builders.h"
#include "tests/stage/stage_fixture.h"

namespace {

using namespace move_builders;

// Moves played on a stage.
class StageMoveTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallCommands();
    BuildParamTable();
  }
  static cStageChara* OnlyChara(StageRun& run) { return run.harness.CharaBySerial(1); }
  // A flying character at (column, row) of a stage whose hero, at (1, 13),
  // stands on a block.
  static cEdChara& Flyer(StageBuilder& builder, int column, int row) {
    builder.Block(1, 14);
    cEdChara& flyer = builder.Chara(column, row);
    flyer.m_nFlight = 1;
    return flyer;
  }
};

TEST_F(StageMoveTest, AStraightMoveCrossesTheStageAtItsSpeed) {
  StageBuilder builder(20, 15, 1, 13);
  cEdChara& flyer = Flyer(builder, 3, 5);
  flyer.m_bTurnByCmd = 0;
  flyer.m_vFlows = {Flow({Move(kCmdStraightMove, 1000, 3, 15)})};
  StageRun run(builder);
  cStageChara* chara = OnlyChara(run);
  ASSERT_NE(chara, nullptr);
  run.harness.Step(0, 0);
  const double start = chara->x;
  for (int frame = 0; frame < 100; ++frame) run.harness.Step(0, 0);
  EXPECT_NEAR(chara->x - start, 150, 1e-6);
  EXPECT_EQ(chara->facing, 1);
}

// Each copy of an entry is its clone: copy i adds i times the per-clone
// increments of speed and time, so the three copies go 60, 180 and 360 dots.
TEST_F(StageMoveTest, CopiesOfAnEntryMoveByTheirCloneIncrements) {
  StageBuilder builder(30, 15, 1, 13);
  cEdChara& flyers = Flyer(builder, 16, 2);
  flyers.m_nCopyCount = 2;
  flyers.m_nShiftYBase = 0;
  flyers.m_nShiftYStep = 32;
  cEdCmd move = Move(kCmdStraightMove, 10, 2, 10);
  move.m_nTimeStep = 5;
  move.m_Move->m_nSpeedStep = 10;
  flyers.m_vFlows = {Flow({move, Command(kCmdWait, 3000)})};
  StageRun run(builder);
  const std::array<double, 3> distances{-60, -180, -360};
  std::array<double, 3> starts{};
  for (std::uint32_t copy = 0; copy < 3; ++copy) {
    ASSERT_NE(run.harness.CharaBySerial(copy + 1), nullptr);
    starts[copy] = run.harness.CharaBySerial(copy + 1)->x;
  }
  for (int frame = 0; frame < 200; ++frame) run.harness.Step(0, 0);
  for (std::uint32_t copy = 0; copy < 3; ++copy)
    EXPECT_NEAR(run.harness.CharaBySerial(copy + 1)->x - starts[copy], distances[copy], 1e-6) << "copy " << copy;
}

TEST_F(StageMoveTest, AGroundWalkerTurnsBackAtTheLedge) {
  StageBuilder builder(20, 15, 1, 13);
  builder.Block(1, 14);
  for (int column = 4; column <= 8; ++column) builder.Block(column, 8);
  cEdChara& walker = builder.Chara(6, 7);
  walker.m_nFacing = 1;
  walker.m_vFlows = {Flow({Move(kCmdGroundTurnMove, 1000, 0, 20)})};
  StageRun run(builder);
  cStageChara* chara = OnlyChara(run);
  ASSERT_NE(chara, nullptr);
  double left = chara->x, right = chara->x;
  for (int frame = 0; frame < 400; ++frame) {
    run.harness.Step(0, 0);
    left = std::min(left, chara->x);
    right = std::max(right, chara->x);
  }
  const double blockLeft = (10 + 4) * 32, blockRight = (10 + 9) * 32;
  EXPECT_LT(left, blockLeft + 8);  // it walked to both ends...
  EXPECT_GT(right + chara->hitWidth, blockRight - 8);
  EXPECT_GE(right, blockLeft);  // ...and never fell
  EXPECT_LT(chara->y, (10 + 8) * 32);
  EXPECT_EQ(chara->falling, 0);
}

TEST_F(StageMoveTest, HoldingRightWalksTheHeroThroughItsFlow) {
  constexpr int kKeyRight = 2;  // press log of the direction word exactly "right"
  StageBuilder builder(20, 15, 2, 12);
  for (int column = 0; column < 20; ++column) builder.Block(column, 13);
  cEdFlow walk = Flow({Move(kCmdStraightMove, 1, 3, 20)});
  cKeyStep right;
  right.SetDefaults();
  right.m_vKeys[kKeyRight] = kKeyPressed;
  right.m_bAnyHold = 1;
  walk.m_vKeySteps = cVector<cKeyStep>({right});
  walk.m_bKeyHold = 1;
  builder.Hero().m_vFlows = {walk};
  builder.Hero().m_bTurnByCmd = 0;
  StageRun run(builder);
  g_Inputs[0].Init();
  cHero* hero = run.harness.Hero();
  const double start = hero->x;
  for (int frame = 0; frame < 30; ++frame) run.harness.Step(0, 0);
  EXPECT_EQ(hero->x, start);
  for (int frame = 0; frame < 30; ++frame) run.harness.Step(kDirRight, 0);
  EXPECT_GT(hero->x, start + 40);
  EXPECT_EQ(hero->facing, 1);
  const double stopped = hero->x;
  for (int frame = 0; frame < 30; ++frame) run.harness.Step(0, 0);
  EXPECT_LT(hero->x, stopped + 2 * 6 + 1);  // the last entry runs out, then it stands
}

double DrawnCentreX(const cChara& chara) { return chara.x - chara.graphicOffsetX + chara.drawWidth / 2.0; }
double DrawnCentreY(const cChara& chara) { return chara.y - chara.graphicOffsetY + chara.drawHeight / 2.0; }

// A character homing on the hero with the stop switch on, on a stage whose
// view has scrolled away from its top left corner (or scrolls by itself):
// it arrives on the hero and stays there.
void ExpectHomingArrivesOnTheHero(StageBuilder builder, int flight, int column, int row) {
  cEdChara& homer = builder.Chara(column, row);
  homer.m_nFlight = static_cast<std::uint8_t>(flight);
  homer.m_bTurnByCmd = 0;
  homer.m_vFlows = {Flow({Move(kCmdHomingMove, 1000, 0, 20)})};
  StageRun run(builder);
  cStageChara* chara = run.harness.CharaBySerial(1);
  cHero* hero = run.harness.Hero();
  ASSERT_NE(chara, nullptr);
  chara->targets[0] = hero;
  for (int frame = 0; frame < 150; ++frame) run.harness.Step(0, 0);
  EXPECT_GT(g_StageSpace.scrollX.position, 0);
  EXPECT_GT(g_StageSpace.scrollY.position, 0);
  // Within two steps of the move (2 dots a frame): it may step on past the
  // point it was put on while the view goes on scrolling.
  EXPECT_NEAR(DrawnCentreX(*chara), DrawnCentreX(*hero), 4);
  if (flight) {
    EXPECT_NEAR(DrawnCentreY(*chara), DrawnCentreY(*hero), 4);
  }
}

TEST_F(StageMoveTest, HomingArrivesOnItsTargetWithTheViewScrolled) {
  StageBuilder builder(60, 40, 30, 29);
  for (int column = 0; column < 60; ++column) builder.Block(column, 30);
  ExpectHomingArrivesOnTheHero(builder, 0, 25, 29);
  ExpectHomingArrivesOnTheHero(builder, 1, 26, 24);
}

TEST_F(StageMoveTest, HomingArrivesOnItsTargetWhileTheViewScrollsItself) {
  StageBuilder builder(60, 40, 30, 24);
  builder.stage.AutoScrollY = 1;
  builder.stage.AutoScrollSpeedY = 5;
  for (int column = 0; column < 60; ++column) builder.Block(column, 25);
  ExpectHomingArrivesOnTheHero(builder, 1, 26, 20);
}

TEST_F(StageMoveTest, AStageOfEveryMoveKindRepeatsFrameByFrame) {
  auto build = [] {
    StageBuilder builder(20, 15, 2, 13);
    for (int column = 0; column < 20; ++column) builder.Block(column, 14);
    int column = 3;
    for (int kind : {kCmdStraightMove, kCmdGroundTurnMove, kCmdCircleMove, kCmdChargeMove, kCmdHomingMove,
                     kCmdOffScreenMove, kCmdJump}) {
      for (int flight : {0, 1}) {
        cEdChara& chara = builder.Chara(column++ % 18 + 1, flight ? 4 : 13);
        chara.m_nFlight = static_cast<std::uint8_t>(flight);
        chara.m_bTurnByCmd = 0;
        cEdCmd move = Move(kind, 7, 10, 15);
        move.m_vParams.resize(5);
        move.m_vParams[2] = 3;
        move.m_Move->m_nTargetXBl = 3;
        move.m_Move->m_nTargetXDot = 200;
        cEdCmd back = Move(kCmdStraightMove, 5, 1, 10);
        chara.m_vFlows = {Flow({move, Command(kCmdFacing, 1), back})};
      }
    }
    return builder;
  };
  std::vector<std::uint64_t> hashes[2];
  for (auto& list : hashes) {
    StageRun run(build(), 21);
    for (int frame = 0; frame < 300; ++frame) {
      run.harness.Step(frame % 50 < 20 ? kDirLeft : 0, 0);
      list.push_back(run.harness.Hash());
    }
  }
  EXPECT_EQ(hashes[0], hashes[1]);
}
}  // namespace
