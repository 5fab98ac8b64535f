// Character searches: filters, the nearest by screen centre, the modes.
#include <gtest/gtest.h>

#include "stage/chara/stage_chara.h"
#include "stage/motion/chara_search.h"

namespace {

class CharaSearchTest : public testing::Test {
 protected:
  void SetUp() override {
    int i = 0;
    for (cStageChara& chara : charas) {
      chara.number = ++i;
      chara.present = 1;
      chara.onScreen = 1;
      chara.screenLeft = i * 100;
      chara.screenTop = 0;
      list.push_back(&chara);
    }
  }
  cStageChara charas[3];
  std::vector<cChara*> list;
};

TEST_F(CharaSearchTest, FiltersPickTheFirstThatPasses) {
  CharaFilter filter;
  EXPECT_EQ(FindCharaInList(list, filter), &charas[0]);
  charas[0].dead = 1;
  charas[1].def.m_nCharaId = 7;
  charas[2].def.m_nCharaId = 7;
  filter.useCid = true;
  filter.cid = 7;
  filter.excludeNumber = 2;
  EXPECT_EQ(FindCharaInList(list, filter), &charas[2]);
  filter.useVar = true;
  filter.varIndex = 3;
  filter.value = 5;
  filter.compare = 4;  // greater
  EXPECT_EQ(FindCharaInList(list, filter), nullptr);
  charas[2].vars[3] = 6;
  EXPECT_EQ(FindCharaInList(list, filter), &charas[2]);
  filter.varIndex = 50;
  EXPECT_EQ(FindCharaInList(list, filter), nullptr);
  EXPECT_EQ(FindCharaInList({}, CharaFilter{}), nullptr);
}

TEST_F(CharaSearchTest, NearestByScreenCentreWithModes) {
  CharaFilter filter;
  EXPECT_EQ(FindNearestChara(290, 16, list, kNearestAll, filter), &charas[2]);
  EXPECT_EQ(FindNearestChara(0, 16, list, kNearestAll, filter), &charas[0]);
  charas[0].onScreen = 0;
  EXPECT_EQ(FindNearestChara(0, 16, list, kNearestOnScreenFirst, filter), &charas[1]);
  EXPECT_EQ(FindNearestChara(0, 16, list, kNearestAll, filter), &charas[0]);
  charas[1].onScreen = charas[2].onScreen = 0;
  EXPECT_EQ(FindNearestChara(0, 16, list, kNearestOnScreenFirst, filter), &charas[0]);
  EXPECT_EQ(FindNearestChara(0, 16, list, kNearestOnScreenOnly, filter), nullptr);
  EXPECT_EQ(FindNearestChara(0, 16, list, 3, filter), nullptr);
  EXPECT_EQ(FindNearestChara(0, 16, {}, kNearestAll, filter), nullptr);
  // A tie goes to the first found.
  EXPECT_EQ(FindNearestChara(166, 16, list, kNearestAll, filter), &charas[0]);
}

}  // namespace
