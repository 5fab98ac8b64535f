// Stage items from their definitions: the place on their cell with the
// item hit size centred, a size factor of 0 read as 1, growing upward when
// scaled, and a no-scale item that keeps its size.
#include <gtest/gtest.h>

#include "stage/chara/stage_lists.h"
#include "stage/items/stage_item.h"
#include "stage/objects/stage_space.h"
#include "tests/stage/stage_fixture.h"

namespace {

class StageItemTest : public testing::Test {
 protected:
  void SetUp() override {
    builder.stage.ItemSize[0] = builder.stage.ItemSize[1] = 28;
    run = std::make_unique<StageRun>(builder);
  }
  StageBuilder builder{30, 10, 2, 4};
  std::unique_ptr<StageRun> run;
};

TEST_F(StageItemTest, PlacedOnItsCellWithTheHitSizeCentred) {
  cEdItem definition;
  definition.m_nOffsetX = 3;
  cStageItem item;
  item.SetFromDef(definition, 5, 0);
  EXPECT_EQ(item.number, 5);
  EXPECT_EQ(item.hitWidth, 28);
  EXPECT_EQ(item.baseGraphicOffsetY, 2);
  EXPECT_EQ(item.moveA, 1);  // floats: gravity leaves it alone
  item.SetBlockPos(4, 2, 1);
  EXPECT_DOUBLE_EQ(item.x, (g_StageSpace.blockOffsetX + 4) * 32 + 2 + 3 + 0.5);
  EXPECT_DOUBLE_EQ(item.y, (g_StageSpace.blockOffsetY + 2) * 32 + 2);
  EXPECT_DOUBLE_EQ(item.bottom, item.y + 27);
}

TEST_F(StageItemTest, SizeFactorZeroIsOneAndScalingGrowsUpward) {
  cEdItem definition;
  definition.m_nSize = 0;
  cStageItem item;
  item.SetFromDef(definition, 1, 0);
  EXPECT_EQ(item.sizeFactor, 1);
  EXPECT_EQ(item.def.m_nSize, 1);
  item.SetBlockPos(4, 2, 1);
  const double x = item.x;
  const double y = item.y;
  item.SetScale(2, 1, 1);
  EXPECT_EQ(item.hitHeight, 56);
  EXPECT_DOUBLE_EQ(item.y, y - (28 + 2));  // base hit height plus base y offset
  EXPECT_DOUBLE_EQ(item.x, x - 14);        // stays centred
  // The drawn cell's bottom stays where it was.
  const auto cellBottom = [](const cStageItem& i) { return i.y - i.graphicOffsetY + i.drawHeight; };
  EXPECT_DOUBLE_EQ(cellBottom(item), y - 2 + 32);

  definition.m_nSize = 3;
  cStageItem big;
  big.SetFromDef(definition, 2, 0);
  big.SetBlockPos(4, 2, 1);
  EXPECT_EQ(big.hitWidth, 84);
  EXPECT_DOUBLE_EQ(cellBottom(big), y - 2 + 32);
  cStageItem fixed;
  fixed.SetFromDef(definition, 3, 1);
  EXPECT_EQ(fixed.sizeFactor, 1);
  EXPECT_EQ(fixed.hitWidth, 28);
}

TEST(StageItemPlacement, FullCellItemAtTheFirstCellStartsHalfADotIn) {
  StageBuilder builder(30, 10, 2, 4);
  builder.stage.ItemSize[0] = builder.stage.ItemSize[1] = 32;
  cEdItem placed;
  placed.m_nGraphicNo = 1;
  builder.stage.m_vItem.push_back(placed);  // cell (0, 0)
  StageRun run(builder);
  const cStageItem* item = g_ItemList.Find([](const cStageItem&) { return true; });
  ASSERT_NE(item, nullptr);
  EXPECT_DOUBLE_EQ(item->x - g_StageSpace.blockOffsetX * 32, 0.5);
  EXPECT_DOUBLE_EQ(item->y - g_StageSpace.blockOffsetY * 32, 0.0);
}

}  // namespace
