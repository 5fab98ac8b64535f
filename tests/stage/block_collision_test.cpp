// Block collision on hand-made stages: pushes to the block boundary, the
// kinds for heroes and characters, the flying modes, the pass side, the
// one-way rise, falling, the jump flags of a head bump, keeping in the
// screen and the ground snap; which cells of the block map hold blocks.
#include <gtest/gtest.h>

#include "stage/blocks/block_collision.h"
#include "stage/blocks/block_map.h"
#include "definitions/command_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"
#include "tests/stage/stage_fixture.h"

namespace {

// A probe object: a 32 x 32 box operated by the computer, walking.
cStageObj Probe(double x, double y, int op = 1) {
  cStageObj obj;
  obj.Init(1, op, 0, 0, 0, nullptr, 0, 0, 0, 32, 32, 32, 32, 0, 0, 0);
  obj.x = x;
  obj.y = y;
  obj.ClampToStageX(kClampStage);
  obj.ClampToStageY(kClampStage);
  return obj;
}

// Stage cell (c, r) starts at dot (c + 10) * 32.
constexpr double Dot(int cell) { return (cell + 10) * 32.0; }

TEST(BlockCollision, SideContactsPushToTheBoundary) {
  StageBuilder builder(20, 10, 0, 0);
  builder.Block(2, 5).Block(5, 5);
  StageRun run(builder);
  // Left edge inside the block of column 2 (dots 384..415): moved to 416.
  cStageObj left = Probe(Dot(2) + 30, Dot(5));
  EXPECT_EQ(HitBlockLeft(left), 0);
  EXPECT_EQ(left.x, Dot(3));
  EXPECT_EQ(left.pressedLeft, 1);
  EXPECT_EQ(left.lastBlockSide, 0);
  // Right edge 6 dots into column 5: the right edge ends one dot before it.
  cStageObj right = Probe(Dot(5) - 26, Dot(5));
  EXPECT_EQ(HitBlockRight(right), 0);
  EXPECT_EQ(right.right, Dot(5) - 1);
  EXPECT_EQ(right.pressedRight, 1);
  EXPECT_EQ(right.lastBlockSide, 1);
}

TEST(BlockCollision, DeadlyKindKillsHeroesAndStopsCharacters) {
  StageBuilder builder(20, 10, 0, 0);
  builder.Block(4, 5, kBlockDeadly);
  StageRun run(builder);
  cStageObj chara = Probe(Dot(4) + 10, Dot(5));
  EXPECT_EQ(HitBlockLeft(chara), 0);
  EXPECT_EQ(chara.pressedLeft, 1);
  cStageObj hero = Probe(Dot(4) + 10, Dot(5), 0);
  EXPECT_EQ(HitBlockLeft(hero), kDeadlyContact);
}

TEST(BlockCollision, FlyingModes) {
  StageBuilder builder(20, 10, 0, 0);
  builder.Block(4, 5);
  StageRun run(builder);
  cStageObj dies = Probe(Dot(4) + 10, Dot(5));
  dies.SetMoveMode(3);
  EXPECT_EQ(HitBlocksX(dies), kDeadlyContact);
  EXPECT_EQ(HitBlocksY(dies), kDeadlyContact);
  cStageObj passes = Probe(Dot(4) + 10, Dot(5));
  passes.SetMoveMode(1);
  EXPECT_EQ(HitBlocksX(passes), 0);
  EXPECT_EQ(HitBlocksY(passes), 0);
  EXPECT_EQ(passes.x, Dot(4) + 10);
  EXPECT_EQ(IsPlaceBlocked(passes), 0);
  cStageObj solid = Probe(Dot(4) + 10, Dot(5));
  EXPECT_EQ(IsPlaceBlocked(solid), 1);
}

TEST(BlockCollision, PassSideAndFailingConditionsLetObjectsThrough) {
  StageBuilder builder(20, 10, 0, 0);
  builder.Block(4, 5, kBlockSolid, 3);
  StageRun run(builder);
  cStageObj sameSide = Probe(Dot(4) + 10, Dot(5));
  sameSide.side = 3;
  EXPECT_EQ(HitBlockLeft(sameSide), 0);
  EXPECT_EQ(sameSide.pressedLeft, 0);
  EXPECT_EQ(KindOfCell(static_cast<std::int64_t>(g_BlockMap.IndexAt(static_cast<int>(Dot(4)), static_cast<int>(Dot(5)))), 1), 1);
}

TEST(BlockCollision, OneWayRiseAndLanding) {
  StageBuilder builder(20, 10, 0, 0);
  builder.Block(4, 6);
  StageRun run(builder);
  g_StageRules.floorFromBelow = 0;
  cStageObj rising = Probe(Dot(4), Dot(6) - 20);
  rising.vy = -2;
  EXPECT_EQ(HitBlockBottom(rising), 0);
  EXPECT_EQ(rising.pressedBottom, 0);
  cStageObj falling = Probe(Dot(4), Dot(6) - 20);
  falling.vy = 2;
  EXPECT_EQ(HitBlockBottom(falling), 0);
  EXPECT_EQ(falling.pressedBottom, 1);
  EXPECT_EQ(falling.bottom, Dot(6) - 1);
  g_StageRules.floorFromBelow = 1;
  cStageObj stopped = Probe(Dot(4), Dot(6) - 20);
  stopped.vy = -2;
  HitBlockBottom(stopped);
  EXPECT_EQ(stopped.pressedBottom, 1);
  g_StageRules.floorFromBelow = 0;
}

TEST(BlockCollision, FallingStartsAfterEightSubStepsPerLevel) {
  StageBuilder builder(20, 10, 0, 0, 2);
  builder.Block(0, 1);
  StageRun run(builder);
  cStageObj obj = Probe(Dot(4), Dot(3));
  for (int i = 0; i < 15; ++i) HitBlockBottom(obj);
  EXPECT_EQ(obj.falling, 0);
  HitBlockBottom(obj);
  EXPECT_EQ(obj.falling, 1);
  // A player-operated object that falls marks the player's hero falling.
  const cHero& hero = *run.harness.Hero();
  ASSERT_EQ(hero.falling, 0);
  cStageObj player = Probe(Dot(8), Dot(3), 0);
  for (int i = 0; i < 16; ++i) HitBlockBottom(player);
  EXPECT_EQ(player.falling, 1);
  EXPECT_EQ(hero.falling, 1);
}

// A head bump counts as a jump for the hero and the characters alike: it
// sets the jumping, jump-started and jump-hold flags. A character's landing
// clears all three, and it can jump again.
TEST(BlockCollision, AHeadBumpSetsTheJumpFlagsUntilTheLanding) {
  StageBuilder builder(20, 10, 4, 6);
  builder.Block(4, 4).Block(8, 4).Block(8, 8);
  builder.Chara(8, 6);
  StageRun run(builder);
  cStageChara* chara = run.harness.CharaBySerial(1);
  ASSERT_NE(chara, nullptr);
  for (cChara* bumped : {static_cast<cChara*>(run.harness.Hero()), static_cast<cChara*>(chara)}) {
    bumped->y = Dot(5) - 4;  // its top 4 dots inside the block above
    bumped->ClampY();
    bumped->vy = -5;
    HitBlocksY(*bumped);
    EXPECT_EQ(bumped->pressedTop, 1);
    EXPECT_EQ(bumped->jumping, 1);
    EXPECT_EQ(bumped->airborne, 1);
    EXPECT_EQ(bumped->jumpHold, 1);
  }
  chara->y = Dot(8) - chara->hitHeight + 4;  // its feet 4 dots inside the floor
  chara->ClampY();
  chara->vy = 5;
  HitBlocksY(*chara);
  EXPECT_EQ(chara->pressedBottom, 1);
  EXPECT_EQ(chara->jumping, 0);
  EXPECT_EQ(chara->airborne, 0);
  EXPECT_EQ(chara->jumpHold, 0);
  cEdCmd jump;
  cCmdState entry;
  entry.cmd = &jump;
  entry.moveSpeed = -4;
  chara->StartJump(entry);
  EXPECT_EQ(entry.started, 1);
  EXPECT_EQ(chara->vy, -4);
}

TEST(BlockCollision, SizeFactorTwoSamplesThreePoints) {
  StageBuilder builder(20, 10, 0, 0);
  builder.Block(4, 7);
  StageRun run(builder);
  // A 64-dot-tall box whose left edge crosses rows 5..6: the block at row 7
  // is found only by the third sample (top + 2 x 31 = row 7).
  cStageObj obj = Probe(Dot(4) + 10, Dot(5) + 8);
  obj.hitHeight = 64;
  obj.ClampToStageY(kClampStage);
  obj.sizeFactor = 1;
  EXPECT_EQ(KindOfCell(FindBlockAlongEdge(obj, static_cast<int>(obj.x), static_cast<int>(obj.y), static_cast<int>(obj.x),
                                          static_cast<int>(obj.bottom)), obj.side),
            0);
  obj.sizeFactor = 2;
  EXPECT_EQ(KindOfCell(FindBlockAlongEdge(obj, static_cast<int>(obj.x), static_cast<int>(obj.y), static_cast<int>(obj.x),
                                          static_cast<int>(obj.bottom)), obj.side),
            1);
  obj.sizeFactor = 0;  // counts as 1
  EXPECT_EQ(KindOfCell(FindBlockAlongEdge(obj, static_cast<int>(obj.x), static_cast<int>(obj.y), static_cast<int>(obj.x),
                                          static_cast<int>(obj.bottom)), obj.side),
            0);
}

TEST(BlockCollision, KeepInScreenPushesBackAndKillsOffTheBottom) {
  StageBuilder builder(40, 40, 5, 5);
  builder.stage.AutoScrollY = 1;
  builder.stage.AutoScrollSpeedY = 10;
  StageRun run(builder);
  const double top = g_StageSpace.scrollY.position;
  cStageObj walker = Probe(Dot(5), top + 470);
  EXPECT_EQ(KeepInScreenY(walker), kDeadlyContact);
  EXPECT_EQ(walker.pressedBottom, 1);
  cStageObj flyer = Probe(Dot(5), top + 470);
  flyer.SetMoveMode(2);
  EXPECT_EQ(KeepInScreenY(flyer), 0);
  cStageObj still = Probe(Dot(5), top + 100);
  EXPECT_EQ(KeepInScreenY(still), 0);
  EXPECT_EQ(still.pressedBottom, 0);
}

TEST(BlockCollision, GroundSnapFollowsAStepDown) {
  StageBuilder builder(20, 10, 0, 0);
  builder.Block(4, 6);
  StageRun run(builder);
  cStageObj obj = Probe(Dot(4), Dot(6) - 34);  // bottom two dots above the block
  obj.vy = 0;
  SnapToGround(obj);
  EXPECT_DOUBLE_EQ(obj.vy, 7.0);
  cStageObj high = Probe(Dot(4), Dot(6) - 60);
  SnapToGround(high);
  EXPECT_EQ(high.vy, 0);
  g_StageRules.groundSnap = 1;
  SnapToGround(high);
  EXPECT_EQ(high.vy, 1.0);
  g_StageRules.groundSnap = 0;
}

TEST(BlockMap, ReadsOutsideAreEmpty) {
  StageBuilder builder(1, 1, 0, 0);
  StageRun run(builder);
  EXPECT_EQ(g_BlockMap.RowShift(), 5);
  EXPECT_EQ(g_BlockMap.Cell(g_BlockMap.IndexAt(-5, 3)).block, nullptr);
  EXPECT_EQ(g_BlockMap.Cell(g_BlockMap.IndexAt(100000, 100000)).block, nullptr);
  EXPECT_EQ(g_BlockMap.IndexOfCell(32, 0), g_BlockMap.Size());
}

// Rows of 128 cells: two bit words a row, so that rectangles cross words.
TEST(BlockMap, KnowsWhichCellsHoldBlocksUnderARectangle) {
  cBlockMap map;
  map.Reset(4, 7);
  const cEdBlock block;
  map.Place(63, 1, block, 1);
  map.Place(64, 2, block, 2);
  map.Place(0, 3, block, 3);
  EXPECT_TRUE(map.HasBlock(map.IndexOfCell(63, 1)));
  EXPECT_FALSE(map.HasBlock(map.IndexOfCell(62, 1)));
  EXPECT_FALSE(map.HasBlock(map.Size()));

  auto at = [](int cell) { return cell * 32; };
  EXPECT_FALSE(map.AnyBlockIn(at(60), at(1), at(62) + 31, at(1) + 31));
  EXPECT_TRUE(map.AnyBlockIn(at(60), at(1), at(63), at(1)));
  EXPECT_TRUE(map.AnyBlockIn(at(63), at(1), at(60), at(1)));  // corners in either order
  EXPECT_FALSE(map.AnyBlockIn(at(63), at(0), at(64) + 31, at(0) + 31));
  EXPECT_TRUE(map.AnyBlockIn(at(64), at(2), at(127), at(2)));
  EXPECT_TRUE(map.AnyBlockIn(at(10), at(0), at(100), at(3) + 31));
  // Outside the map reads empty; a rectangle reaching in meets the cells inside.
  EXPECT_FALSE(map.AnyBlockIn(-500, -500, -1, at(3)));
  EXPECT_TRUE(map.AnyBlockIn(-500, at(3), 5, at(3)));
  EXPECT_FALSE(map.AnyBlockIn(at(128), 0, at(500), at(3)));
  EXPECT_TRUE(map.AnyBlockIn(at(63), at(1), 2147483647, 2147483647));

  // Boxes within 2 x 2 cells: a block beside the box is not under it.
  EXPECT_TRUE(map.AnyBlockIn(at(62) + 20, at(0) + 20, at(63) + 10, at(1) + 10));
  EXPECT_FALSE(map.AnyBlockIn(at(62), at(0), at(62) + 31, at(1) + 31));
  EXPECT_TRUE(map.AnyBlockIn(at(0) + 5, at(3) + 5, at(0) + 20, at(3) + 20));  // the last row
  map.Place(127, 0, block, 4);
  EXPECT_TRUE(map.AnyBlockIn(at(126) + 16, 0, at(127) + 8, 8));
  EXPECT_FALSE(map.AnyBlockIn(at(0), at(1), at(0) + 31, at(1) + 31));  // nothing near

  map.Clear(map.IndexOfCell(63, 1));
  EXPECT_FALSE(map.AnyBlockIn(at(60), at(1), at(63), at(1)));
  EXPECT_FALSE(map.AnyBlockIn(at(62) + 20, at(0) + 20, at(63) + 10, at(1) + 10));
  map.PlaceCopy(map.IndexOfCell(62, 1), block);
  EXPECT_TRUE(map.AnyBlockIn(at(60), at(1), at(63), at(1)));
  EXPECT_TRUE(map.AnyBlockIn(at(61) + 20, at(0) + 20, at(62) + 10, at(1) + 10));
}

}  // namespace
