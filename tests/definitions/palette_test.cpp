// Palettes and the definitions they hold: the common palette read from bytes,
// normalising, the reference checks, the upgrades of block, item and
// character definitions and the character's property groups.
#include "definitions/palette/palette.h"

#include <gtest/gtest.h>

#include "tests/definitions/stage_layout.h"

namespace {

ByteFixture PaletteFile(std::uint32_t version, const std::vector<ByteFixture>& blocks,
                        const std::vector<ByteFixture>& charas, const std::vector<ByteFixture>& items) {
  ByteFixture body;
  body.I32(0).I32(0);
  for (const auto* list : {&blocks, &charas, &items}) {
    body.I32(static_cast<std::int32_t>(list->size()));
    for (const ByteFixture& element : *list) body.Append(element);
  }
  return DataFile(version, body);
}

class PaletteTest : public DefinitionsTest {
 protected:
  void SetUp() override {
    DefinitionsTest::SetUp();
    g_CommonPalette = cEdPalette();
    g_Database->m_vAnimeSet.resize(3);
  }
};

TEST_F(PaletteTest, CommonPaletteNeverInheritsAndHoldsTwoEntriesPerList) {
  std::vector<std::uint8_t> flags(11, 1);
  const ByteFixture file =
      PaletteFile(878,
                  {BlockStream(878, {{6, 1}}, 0, 0, {}, "zero"), BlockStream(878, {{6, 1}}, 0, 0, {}, "one"),
                   BlockStream(878, {{1, 1}, {2, 1}, {6, 2}}, 0, 0, flags, "two")},
                  {}, {});
  cEdPalette palette;
  ASSERT_TRUE(LoadFromBytes(palette, file));
  ASSERT_EQ(palette.m_vBlock.size(), 3u);
  EXPECT_EQ(palette.m_vBlock[0].m_strName, "");  // the built-in empty entry
  // Entry 2 took entry 1's groups while it was read, then lost its flags.
  EXPECT_EQ(palette.m_vBlock[2].m_strName, "one");
  EXPECT_EQ(palette.m_vBlock[2].m_nGraphicNo, 1);
  EXPECT_EQ(palette.m_vBlock[2].m_vInherit, cVector<std::uint8_t>(11, 0));
  EXPECT_EQ(palette.m_vChara.size(), 2u);
  EXPECT_EQ(palette.m_vItem.size(), 2u);
}

TEST_F(PaletteTest, EmptyPaletteRoundTripsAfterNormalising) {
  cEdPalette palette;
  ASSERT_TRUE(LoadFromBytes(palette, PaletteFile(878, {}, {}, {})));
  EXPECT_EQ(palette.m_vBlock.size(), 2u);
  const std::vector<std::uint8_t> first = SavedStream(palette);
  cEdPalette again;
  ByteFixture saved;
  saved.I32(878);
  for (std::uint8_t b : first) saved.U8(b);
  ASSERT_TRUE(LoadFromBytes(again, saved));
  EXPECT_EQ(SavedStream(again), first);
}

TEST_F(PaletteTest, MissingCommonPaletteFailsAndKeepsThePalette) {
  g_CommonPalette.m_vBlock.resize(5);
  EXPECT_EQ(LoadCommonPalette(), 0);
  EXPECT_EQ(g_CommonPalette.m_vBlock.size(), 5u);
}

TEST_F(PaletteTest, BlockUpgradesAndChecks) {
  cEdBlock block;
  ASSERT_TRUE(LoadStream(block, 218, BlockStream(218, {{6, 119}, {7, 3}, {13, 1}})));
  EXPECT_EQ(block.m_nGraphicNo, 119);
  ASSERT_TRUE(LoadStream(block, 218, BlockStream(218, {{6, 50}, {7, 3}})));
  EXPECT_EQ(block.m_nGraphicNo, 51);
  ASSERT_TRUE(LoadStream(block, 219, BlockStream(219, {{6, 50}, {7, 3}})));
  EXPECT_EQ(block.m_nGraphicNo, 50);
  // Without a graphic a block stops nothing and is not fixed.
  ASSERT_TRUE(LoadStream(block, 878, BlockStream(878, {{13, 1}, {19, 1}})));
  EXPECT_EQ(block.m_nCollision, kBlockPassable);
  EXPECT_EQ(block.m_bFixed, 0);
  // A stale carried item is dropped.
  ASSERT_TRUE(LoadStream(block, 878, BlockStream(878, {{6, 1}, {17, 1}, {18, 2}})));
  block.CheckItemRef();
  EXPECT_EQ(block.m_nItemPalKind, 0);
  EXPECT_EQ(block.m_nItemIndex, 0);
  // Any stored flag count becomes the block's eleven groups.
  ASSERT_TRUE(LoadStream(block, 878, BlockStream(878, {{6, 1}}, 0, 0, std::vector<std::uint8_t>(15, 0))));
  EXPECT_EQ(block.m_vInherit.size(), 11u);
}

TEST_F(PaletteTest, ItemChecks) {
  cEdItem item;
  ASSERT_TRUE(LoadStream(item, 878, ItemStream(878, {{8, 3}, {17, 0}, {18, 10}})));
  EXPECT_EQ(item.m_nSize, 1);
  EXPECT_EQ(item.m_nSoundNo, 0);  // equal to the number of database sounds
  ASSERT_TRUE(LoadStream(item, 878, ItemStream(878, {{8, 3}, {17, 2}, {18, 9}})));
  EXPECT_EQ(item.m_nSize, 2);
  EXPECT_EQ(item.m_nSoundNo, 9);
  const cEdItem fresh;
  EXPECT_EQ(fresh.m_nGraphicKind, 2);
  EXPECT_EQ(fresh.m_nZ, 6);
  EXPECT_EQ(fresh.m_vInherit.size(), 13u);
}

TEST_F(PaletteTest, DefinitionWithIndexZeroInheritsNothing) {
  g_CommonPalette.m_vBlock.resize(2);
  g_CommonPalette.m_vBlock[0].m_strName = "entry zero";
  cEdBlock block;
  block.m_nPalKind = kPaletteCommon;
  block.m_vInherit[0] = 1;
  block.m_strName = "own";
  block.Inherit();
  EXPECT_EQ(block.m_strName, "own");
  EXPECT_EQ(block.m_nPalKind, kPaletteCommon);
}

TEST_F(PaletteTest, CharacterUpgradesInsertTheirGroupsFlags) {
  cEdChara chara;
  // A version-167 character with 34 flags of 0, hit area and colour absent.
  ASSERT_TRUE(
      LoadStream(chara, 167, CharaStream(167, {{13, 50}, {14, 3}}, 0, 0, std::vector<std::uint8_t>(34, 0))));
  ASSERT_EQ(chara.m_vInherit.size(), 37u);
  for (std::size_t i = 0; i < 37; ++i)
    EXPECT_EQ(chara.m_vInherit[static_cast<long long>(i)], (i == 21 || i == 25 || i == 29) ? 1 : 0) << i;
  EXPECT_EQ(chara.m_nGraphicNo, 51);
  EXPECT_EQ(chara.m_nInvincibleColor, 1);
  // Hit-area choices 2 and up moved one on in version 206.
  ASSERT_TRUE(LoadStream(chara, 205, CharaStream(205, {{42, 2}}, 0, 0, std::vector<std::uint8_t>(37, 0))));
  EXPECT_EQ(chara.m_nHitArea, 3);
  for (std::size_t i = 0; i < 37; ++i)
    EXPECT_EQ(chara.m_vInherit[static_cast<long long>(i)], i == 21 ? 1 : 0) << i;
  ASSERT_TRUE(LoadStream(chara, 878, CharaStream(878, {{42, 2}, {35, 0}, {16, 3}}, 0, 0, {1, 1})));
  EXPECT_EQ(chara.m_nHitArea, 2);
  EXPECT_EQ(chara.m_nSize, 1);      // at least 1
  EXPECT_EQ(chara.m_nAnimeSet, 0);  // past the animation sets
  EXPECT_EQ(chara.m_vInherit.size(), 37u);
}

TEST_F(PaletteTest, CharacterTakesItsFlaggedGroupsFromItsParent) {
  g_CommonPalette.m_vChara.resize(3);
  cEdChara& parent = g_CommonPalette.m_vChara[2];
  parent.m_strName = "parent";
  parent.m_nMaxHp = 77;
  parent.m_nGraphicNo = 9;
  parent.m_vFlows.resize(2);
  std::vector<std::uint8_t> flags(37, 0);
  flags[0] = flags[23] = flags[36] = 1;
  cEdChara chara;
  ASSERT_TRUE(LoadStream(chara, 878, CharaStream(878, {{1, 1}, {2, 2}, {13, 4}}, 0, 0, flags, "child")));
  EXPECT_EQ(chara.m_strName, "parent");
  EXPECT_EQ(chara.m_nMaxHp, 77);
  EXPECT_EQ(chara.m_vFlows.size(), 2u);
  EXPECT_EQ(chara.m_nGraphicNo, 4);  // not flagged
  // Entry 0 is never a parent.
  g_CommonPalette.m_vChara[0].m_strName = "entry zero";
  ASSERT_TRUE(LoadStream(chara, 878, CharaStream(878, {{1, 1}, {2, 0}}, 0, 0, flags, "child")));
  EXPECT_EQ(chara.m_strName, "child");
  // A parent past the list is dropped.
  ASSERT_TRUE(LoadStream(chara, 878, CharaStream(878, {{1, 1}, {2, 3}}, 0, 0, flags, "child")));
  EXPECT_EQ(chara.m_nPalKind, 0);
  EXPECT_EQ(chara.m_strName, "child");
}

TEST_F(PaletteTest, CharacterDefaultsAndPlacementOffsets) {
  cEdChara chara;
  EXPECT_EQ(chara.m_nOperator, kOperatorComputer);
  EXPECT_EQ(chara.m_nFaction, 1);
  EXPECT_EQ(chara.m_nZ, 3);
  EXPECT_EQ(chara.m_nMaxHp, 10);
  EXPECT_EQ(chara.m_nStop, 10);
  EXPECT_EQ(chara.m_nStored49, 1);
  chara.m_nShiftXBase = 4;
  chara.m_nShiftXStep = 10;
  chara.m_nShiftYBase = -3;
  chara.m_nShiftYStep = 2;
  chara.m_bMirrorX = 1;
  EXPECT_DOUBLE_EQ(chara.GetShiftX(2, 0), 24.0);
  EXPECT_DOUBLE_EQ(chara.GetShiftX(2, 1), -24.0);
  EXPECT_DOUBLE_EQ(chara.GetShiftY(3, 1), 3.0);  // not mirrored
}

TEST_F(PaletteTest, CharacterRoundTripIsByteIdentical) {
  std::vector<std::uint8_t> flags(37, 0);
  flags[5] = 1;
  const ByteFixture stream =
      CharaStream(878, {{13, 7}, {26, 0}, {35, 1}, {39, 25}, {44, -3}, {48, 1000}}, 4, 9, flags, "hero");
  cEdChara chara;
  ASSERT_TRUE(LoadStream(chara, 878, stream));
  const std::vector<std::uint8_t> saved = SavedStream(chara);
  ASSERT_EQ(saved.size(), stream.Bytes().size());
  for (std::size_t i = 0; i < saved.size(); ++i) EXPECT_EQ(saved[i], stream.Bytes()[i]) << "byte " << i;
}

}  // namespace
