// The drawn cell of a character: the animation set's offsets for a block
// character (first) and an invincible one (third), and the invincibility
// tint, which only Direct3D can blend.
#include <gtest/gtest.h>

#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/chara.h"
#include "stage/core/stage_rules.h"
#include "stage/draw/chara/graphic_number.h"
#include "tests/graphics/effect_test_support.h"

namespace {

class GraphicNumberTest : public testing::Test {
 protected:
  void SetUp() override {
    m_started = !g_Database.IsStarted();
    if (m_started) StartProjectData();
    m_sets = g_Database->m_vAnimeSet;
    g_Database->m_vAnimeSet.resize(2);
    cAnimeSet& set = g_Database->m_vAnimeSet[1];
    set.m_nPatternOffset1 = 100;
    set.m_nPatternOffset2 = 20;
    set.m_nPatternOffset3 = 3;
    chara.def.m_nGraphicNo = 30;
    chara.def.m_nGraphicOffset = 2;
    chara.baseAnimeSet = 1;
  }
  void TearDown() override {
    g_Database->m_vAnimeSet = m_sets;
    g_StageRules = StageRules{};
    if (m_started) StopProjectData();
  }
  cChara chara;
  bool m_started = false;
  cVector<cAnimeSet> m_sets;
};

TEST_F(GraphicNumberTest, BlockCharactersAndInvincibleOnesTakeTheirSetsOffsets) {
  EXPECT_EQ(GetGraphicNumber(chara), 32);
  chara.def.m_bBlockChara = 1;
  EXPECT_EQ(GetGraphicNumber(chara), 132);
  chara.def.m_nInvincible = 2;
  EXPECT_EQ(GetGraphicNumber(chara), 135);
  chara.def.m_bBlockChara = 0;
  EXPECT_EQ(GetGraphicNumber(chara), 35);
  chara.baseAnimeSet = 7;  // a set that does not exist adds nothing
  EXPECT_EQ(GetGraphicNumber(chara), 32);
}

TEST_F(GraphicNumberTest, OnlyDirect3DTintsAnInvincibleCharacter) {
  chara.def.m_nInvincibleColor = 3;  // red
  ASSERT_TRUE(effect_test::StartDevice(effect_test::Mode::DirectDraw32));
  chara.def.m_nInvincible = 1;
  EXPECT_FALSE(GetCellTint(chara, 0).on);
  DDRelease();

  ASSERT_TRUE(effect_test::StartDevice(effect_test::Mode::Direct3D32));
  chara.def.m_nInvincible = 0;
  EXPECT_FALSE(GetCellTint(chara, 0).on);
  chara.def.m_nInvincible = 1;
  const CellTint red = GetCellTint(chara, 0);
  EXPECT_TRUE(red.on);
  EXPECT_EQ(red.pair[0] & 0xFFFFFFu, 0xFF0000u);
  chara.def.m_nInvincibleColor = 9;  // four colours, four frames each
  EXPECT_EQ(GetCellTint(chara, 3).pair, red.pair);
  EXPECT_NE(GetCellTint(chara, 4).pair, red.pair);
  EXPECT_EQ(GetCellTint(chara, 16).pair, red.pair);
  chara.def.m_nInvincibleColor = 10;  // outside the table
  EXPECT_FALSE(GetCellTint(chara, 0).on);
  chara.def.m_nInvincibleColor = 3;
  g_StageRules.colourBlending = 0;
  EXPECT_FALSE(GetCellTint(chara, 0).on);
  DDRelease();
}

}  // namespace
