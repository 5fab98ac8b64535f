// Shots and swords in flight on hand-made stages: the range and its stop
// switch, the existence time at two speed levels, blocks and their
// pass-through switch, the stage edge, the removal areas of the shots, and a
// sword that follows its owner frame by frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/objects/stage_space.h"
#include "stage/shots/shot_list.h"
#include "tests/stage/shots/shot_fixture.h"
#include "tests/stage/stage_fixture.h"

namespace {

// Frames until the shot is removed (it is still readable right after the
// frame that removed it); -1 when it lasts `limit` frames.
int FramesToRemoval(StageRun& run, const cStageShot& shot, int limit) {
  for (int frame = 1; frame <= limit; ++frame) {
    run.harness.Step(0, 0);
    if (shot.removed) return frame;
  }
  return -1;
}

TEST(ShotFlight, RangeOfFourHalfBlocksIsSixStepsAtEightDots) {
  StageRun run(OpenStage());
  cHero& hero = *run.harness.Hero();
  cEdShot record = PlainShot(1);
  record.m_bRange = 1;
  ShotPlacement placement = PlaceAt(hero.x + 40, hero.y - 100, 8, 0);
  placement.range = 4;
  cStageShot* shot = PutShot(&hero, record, placement);
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->rangeLeft, 6);
  const double startX = shot->x;
  for (int i = 0; i < 6; ++i) run.harness.Step(0, 0);
  EXPECT_FALSE(shot->removed);
  EXPECT_DOUBLE_EQ(shot->x - startX, 6 * std::min(8.0, g_StageSpace.speedLimit));
  run.harness.Step(0, 0);
  EXPECT_TRUE(shot->removed);
}

TEST(ShotFlight, StopSwitchHoldsTheShotAtTheEndOfItsRange) {
  StageRun run(OpenStage());
  cHero& hero = *run.harness.Hero();
  cEdShot record = PlainShot(1);
  record.m_bRange = 1;
  record.m_bStopAtRange = 1;
  record.m_nMoveKind = kShotWave;
  ShotPlacement placement = PlaceAt(hero.x + 40, hero.y - 100, 8, 0);
  placement.range = 4;
  cStageShot* shot = PutShot(&hero, record, placement);
  ASSERT_NE(shot, nullptr);
  for (int i = 0; i < 20; ++i) run.harness.Step(0, 0);
  EXPECT_FALSE(shot->removed);
  EXPECT_EQ(shot->vx, 0.0);
  EXPECT_EQ(shot->rec.m_nMoveKind, kShotStraight);
  const double stoppedX = shot->x;
  run.harness.Step(0, 0);
  EXPECT_EQ(shot->x, stoppedX);
}

TEST(ShotFlight, RangeShorterThanOneFrameIsFlownInOneFrame) {
  StageRun run(OpenStage(3));
  cHero& hero = *run.harness.Hero();
  cEdShot record = PlainShot(1);
  record.m_bRange = 1;
  // 2 half blocks: 32 - 16 = 16 dots at 30 dots per frame.
  ShotPlacement placement = PlaceAt(hero.x + 40, hero.y - 100, 30, 0);
  placement.range = 2;
  cStageShot* shot = PutShot(&hero, record, placement);
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->rangeLeft, 3);
  EXPECT_DOUBLE_EQ(shot->ownVx, 16.0 / 3);
}

class ShotLifeTime : public ::testing::TestWithParam<int> {};

TEST_P(ShotLifeTime, ExistsSixFramesPerTenthAtAnySpeedLevel) {
  StageRun run(OpenStage(GetParam()));
  cHero& hero = *run.harness.Hero();
  cEdShot record = PlainShot(1);
  record.m_bLifeTime = 1;
  ShotPlacement placement = PlaceAt(hero.x + 40, hero.y - 100, 0, 0);
  placement.lifeTime = 1;
  cStageShot* shot = PutShot(&hero, record, placement);
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(FramesToRemoval(run, *shot, 20), 7);
}

INSTANTIATE_TEST_SUITE_P(Levels, ShotLifeTime, ::testing::Values(1, 3));

TEST(ShotFlight, BlocksStopShotsUnlessTheyPassThrough) {
  StageBuilder builder = OpenStage();
  builder.Block(9, 7);
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  const double blockX = (9 + 10) * 32;
  cEdShot record = PlainShot(1);
  cStageShot* stopped = PutShot(&hero, record, PlaceAt(blockX - 40, (7 + 10) * 32 + 8, 4, 0));
  record.m_bPassBlocks = 1;
  cStageShot* passing = PutShot(&hero, record, PlaceAt(blockX - 40, (7 + 10) * 32 + 8, 4, 0));
  ASSERT_NE(stopped, nullptr);
  ASSERT_NE(passing, nullptr);
  EXPECT_GT(FramesToRemoval(run, *stopped, 12), 0);
  EXPECT_FALSE(passing->removed);
  run.harness.Step(0, 0);
  EXPECT_FALSE(passing->removed);
}

TEST(ShotFlight, AWideShotMeetsABlockBetweenItsCorners) {
  StageBuilder builder = OpenStage();
  builder.Block(9, 6);
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  cEdShot record = PlainShot(1);
  record.m_nSize = 8;  // 128 x 128 with a hit box of 8 x the stage's shot size
  g_PlayStage.ShotSize[4] = g_PlayStage.ShotSize[5] = 16;
  // The box spans columns 7..11 and rows 5..8: the block sits inside it.
  cStageShot* shot = PutShot(&hero, record, PlaceAt((7 + 10) * 32 + 4, (5 + 10) * 32 + 4, 0, 0));
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->ShotHitsBlock(), 1);
}

TEST(ShotFlight, StageEdgeKeepsANarrowShotInside) {
  StageRun run(OpenStage());
  cHero& hero = *run.harness.Hero();
  cStageShot* shot = PutShot(&hero, PlainShot(1), PlaceAt(2, hero.y - 100, -6, 0));
  ASSERT_NE(shot, nullptr);
  shot->vx = -6;
  EXPECT_EQ(shot->ShotStepX(), 3);
  EXPECT_EQ(shot->x, 0);
}

TEST(ShotFlight, ShotsLeaveThroughTheirRemovalAreaInTheFirstSubStep) {
  StageBuilder builder = OpenStage(2);
  // Area 4 (side 0): everything left of the screen; area 5 off.
  builder.stage.RemovalAreas[3].Set(1, 0, 0, 0, 0, 0, 0, 0);
  builder.stage.RemovalAreas[4].Set(0, 0, 0, 0, 0, 0, 0, 0);
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  const double left = g_StageSpace.scrollX.position;
  cStageShot* side0 = PutShot(&hero, PlainShot(0), PlaceAt(left - 100, hero.y - 100, 0, 0));
  cStageShot* side1 = PutShot(&hero, PlainShot(1), PlaceAt(left - 100, hero.y - 100, 0, 0));
  ASSERT_NE(side0, nullptr);
  ASSERT_NE(side1, nullptr);
  run.harness.Step(0, 0);
  EXPECT_TRUE(side0->removed);
  EXPECT_FALSE(side1->removed);
}

TEST(ShotFlight, ShotOfASideOutsideTheListsIsNotAdded) {
  StageRun run(OpenStage());
  EXPECT_EQ(PutShot(run.harness.Hero(), PlainShot(9), PlaceAt(600, 300, 0, 0)), nullptr);
  EXPECT_EQ(g_ShotList.Count(), 0u);
}

// A sword type of two frames: 1 tenth in front with an x offset of 4,
// 1 tenth above.
void AddSwordType() {
  cSwordType type;
  type.m_vEntries.clear();
  cSwordTypeEntry front;
  front.nValue1 = 0;
  front.nValue2 = 4;
  front.nValue3 = 1;
  front.nWidth = 20;
  front.nHeight = 8;
  front.nEntryTime = 1;
  cSwordTypeEntry above = front;
  above.nValue1 = 2;
  above.nValue2 = 0;
  type.m_vEntries.push_back(front);
  type.m_vEntries.push_back(above);
  g_Database->m_vSwordType.push_back(type);
}

TEST(Sword, FollowsItsOwnerFrameByFrameAndEndsAfterTheLast) {
  StageRun run(OpenStage());
  AddSwordType();
  cHero& hero = *run.harness.Hero();
  for (int i = 0; i < 5; ++i) run.harness.Step(0, 0);
  cEdShot record = PlainShot(0);
  record.m_nMoveKind = static_cast<std::uint8_t>(g_Database->m_vSwordType.size() - 1);
  cStageShot* sword = PutShot(&hero, record, PlaceAt(hero.x, hero.y, 0, 0), kCmdKindSword);
  ASSERT_NE(sword, nullptr);
  hero.facing = 1;
  run.harness.Step(0, 0);
  const double scrollX = std::trunc(g_StageSpace.scrollX.position);
  // In front of a hero facing right, the mirrored x offset subtracted.
  EXPECT_EQ(sword->x, hero.screenRight + 1 + scrollX - 4);
  EXPECT_EQ(sword->hitWidth, 20);
  for (int i = 0; i < 5; ++i) run.harness.Step(0, 0);
  EXPECT_EQ(sword->swordFrame, 1);
  run.harness.Step(0, 0);
  EXPECT_EQ(sword->y, hero.screenTop - 8 + std::trunc(g_StageSpace.scrollY.position));
  EXPECT_EQ(FramesToRemoval(run, *sword, 10), 5);
}

TEST(Sword, EndsInTheStepAfterItsOwnerDies) {
  StageBuilder builder = OpenStage();
  builder.Chara(8, 8);
  StageRun run(builder);
  AddSwordType();
  cStageChara* owner = run.harness.CharaBySerial(1);
  ASSERT_NE(owner, nullptr);
  cEdShot record = PlainShot(1);
  record.m_nMoveKind = static_cast<std::uint8_t>(g_Database->m_vSwordType.size() - 1);
  cStageShot* sword = PutShot(owner, record, PlaceAt(owner->x, owner->y, 0, 0), kCmdKindSword);
  ASSERT_NE(sword, nullptr);
  run.harness.Step(0, 0);
  EXPECT_FALSE(sword->removed);
  ASSERT_EQ(owner->shotRefs.size(), 1u);
  owner->KillChara();
  EXPECT_EQ(sword->owner, nullptr);  // the dying owner let go of its shots
  EXPECT_TRUE(owner->shotRefs.empty());
  run.harness.Step(0, 0);
  EXPECT_TRUE(sword->removed);
}

TEST(Sword, TypeWithoutFramesMakesNoSword) {
  StageRun run(OpenStage());
  cSwordType empty;
  empty.m_vEntries.clear();
  g_Database->m_vSwordType.push_back(empty);
  cEdShot record = PlainShot(0);
  record.m_nMoveKind = static_cast<std::uint8_t>(g_Database->m_vSwordType.size() - 1);
  EXPECT_EQ(PutShot(run.harness.Hero(), record, PlaceAt(600, 300, 0, 0), kCmdKindSword), nullptr);
  record.m_nMoveKind = 250;
  EXPECT_EQ(PutShot(run.harness.Hero(), record, PlaceAt(600, 300, 0, 0), kCmdKindSword), nullptr);
}

TEST(ShotFlight, StateHashFollowsTheShots) {
  StageRun a(OpenStage());
  const std::uint64_t before = a.harness.Hash();
  cHero& hero = *a.harness.Hero();
  PutShot(&hero, PlainShot(1), PlaceAt(hero.x + 40, hero.y - 100, 3, 0));
  EXPECT_NE(a.harness.Hash(), before);
  const std::uint64_t placed = a.harness.Hash();
  a.harness.Step(0, 0);
  a.harness.Step(0, 0);
  EXPECT_NE(a.harness.Hash(), placed);
}

}  // namespace

namespace {

// Shots of every kind fired at a few characters for 600 frames, the hashes
// of every frame.
std::vector<std::uint64_t> ScriptedHashes() {
  StageBuilder builder = OpenStage();
  for (int column : {8, 11, 14}) builder.Chara(column, 8).m_nFaction = 2;
  StageRun run(builder);
  std::vector<std::uint64_t> hashes;
  for (int frame = 0; frame < 600; ++frame) {
    if (frame % 20 == 0) {
      cHero& hero = *run.harness.Hero();
      cEdShot record = PlainShot(1);
      record.m_nMoveKind = static_cast<std::uint8_t>(frame / 20 % 10);
      record.m_nSpeed = 30;
      record.m_nPower = 1;
      record.m_anMoveParam[0] = 1;
      record.m_anMoveParam[1] = 40;
      record.m_anMoveParam[2] = 2;
      record.m_bPierce = frame % 40 == 0;
      record.m_bCancel = 1;
      PutShot(&hero, record, PlaceAt(hero.x + 20, hero.y - 10, frame % 60 == 0 ? -3 : 3, 0));
      PutShot(nullptr, PlainShot(2), PlaceAt(hero.x + 200, hero.y - 10, -3, 0));
    }
    run.harness.Step(static_cast<std::uint16_t>(frame & 15), 0);
    hashes.push_back(run.harness.Hash());
  }
  return hashes;
}

TEST(ShotFlight, ScriptedStageWithShotsGivesTheSameHashesEveryRun) {
  const std::vector<std::uint64_t> first = ScriptedHashes();
  EXPECT_EQ(first, ScriptedHashes());
  EXPECT_NE(first.front(), first.back());
}

}  // namespace
