// Shots and swords made by the firing commands on a small stage: a row of
// shots is built in the shot list at its start points with its velocity per
// sub-step, serial numbers and links; "ソード" makes its sword once, on the
// entry's first step, and nothing for a sword type that does not exist.
#include <gtest/gtest.h>

#include <vector>

#include "commands/dispatch/fire_commands.h"
#include "commands/firing/fire.h"
#include "commands/install.h"
#include "definitions/command_kinds.h"
#include "definitions/param_table.h"
#include "definitions/shot_record.h"
#include "input/input_record.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/stage_chara.h"
#include "stage/shots/shot_list.h"
#include "tests/stage/stage_fixture.h"

namespace {

std::vector<cStageShot*> Shots() {
  std::vector<cStageShot*> shots;
  g_ShotList.ForEach([&](cStageShot& shot) { shots.push_back(&shot); });
  return shots;
}

class ShotFiringTest : public testing::Test {
 protected:
  ShotFiringTest() : run((InstallCommands(), BuildParamTable(), builder.Chara(10, 10), builder)) {
    owner = run.harness.CharaBySerial(1);
    owner->UpdateScreenPos();
  }

  StageBuilder builder{40, 30, 2, 10, 2};
  StageRun run;
  cStageChara* owner = nullptr;
};

TEST_F(ShotFiringTest, ARowOfShotsIsBuiltInTheListAndLinked) {
  cEdShot rec;
  rec.m_nCount = 3;
  rec.m_anFormationParam[0] = 1;
  rec.m_nDirection = 3;
  rec.m_nSpeed = 40;  // 4 dots per frame, 2 per sub-step at speed level 2
  rec.m_nFaction = 6;
  FireShot(run.harness.Scene(), *owner, rec);
  const std::vector<cStageShot*> shots = Shots();
  ASSERT_EQ(shots.size(), 3u);
  const int left = ScrollDotsX() + owner->screenRight + 1;
  const int top = ScrollDotsY() + owner->screenTop - 24;
  for (std::size_t i = 0; i < shots.size(); ++i) {
    EXPECT_EQ(shots[i]->x, left) << i;
    EXPECT_EQ(shots[i]->y, top + 32 * static_cast<int>(i)) << i;
    EXPECT_EQ(shots[i]->ownVx, 2.0) << i;
    EXPECT_EQ(shots[i]->serial, static_cast<std::int32_t>(i)) << i;
    EXPECT_EQ(shots[i]->side, 6) << i;
    EXPECT_EQ(shots[i]->owner, owner) << i;
  }
  EXPECT_EQ(g_ShotSides[6].size(), 3u);
  EXPECT_EQ(owner->shotRefs.size(), 3u);
  EXPECT_EQ(run.harness.Scene().m_nShotSerial, 3);
}

// Direction codes: 2 left, 3 right, 6 up, 7 down, 9 down-left, 10 up-right.
TEST_F(ShotFiringTest, DirectionChoicesFollowTheFacingAndTheInput) {
  owner->facing = 1;
  EXPECT_EQ(ShotDirection(*owner, 0), 3);
  EXPECT_EQ(ShotDirection(*owner, 1), 2);
  EXPECT_EQ(ShotDirection(*owner, 4), 7);
  EXPECT_EQ(ShotDirection(*owner, 5), 6);
  EXPECT_EQ(ShotDirection(*owner, 9), 9);
  ASSERT_FALSE(g_Inputs.empty());
  g_Inputs[0].m_nDirCode = 3;  // up and right held: the diagonal stays, even for a walker
  EXPECT_EQ(ShotDirection(*owner, 12), 10);
  g_Inputs[0].m_nDirCode = kDirCodeCentre;  // nothing held: forward
  EXPECT_EQ(ShotDirection(*owner, 12), 3);
}

TEST_F(ShotFiringTest, ASwordIsDrawnOnceOnTheFirstStep) {
  const cVector<cSwordType> savedTypes = g_Database->m_vSwordType;
  g_Database->m_vSwordType.resize(2);
  g_Database->m_vSwordType[1].m_vEntries.resize(1);
  g_Database->m_vSwordType[1].m_vEntries[0].nWidth = 24;
  g_Database->m_vSwordType[1].m_vEntries[0].nHeight = 8;
  cEdCmd command;
  command.m_nKind = kCmdSword;
  command.m_vParams.assign(static_cast<std::size_t>(CmdParamCount(kFamilyChara, kCmdSword)), 0);
  command.m_Shot.Emplace().m_nMoveKind = 1;
  cCmdState entry;
  entry.cmd = &command;
  for (int step = 0; step < 20; ++step) CmdSword(*owner, entry);
  const std::vector<cStageShot*> shots = Shots();
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_TRUE(shots[0]->IsSword());
  EXPECT_EQ(shots[0]->hitWidth, 24);
  // A sword type past the list makes nothing.
  command.m_Shot->m_nMoveKind = 9;
  cCmdState another;
  another.cmd = &command;
  CmdSword(*owner, another);
  EXPECT_EQ(g_ShotList.Count(), 1u);
  g_Database->m_vSwordType = savedTypes;
}

}  // namespace
