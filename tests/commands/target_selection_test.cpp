// Target selection on a small stage: each candidate rule, the three ranges
// of the nearest search with their ties, the filter, the miss rules, and
// the back-references after every store and release.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "commands/install.h"
#include "commands/targets/select_target.h"
#include "definitions/param_table.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "tests/commands/command_builders.h"
#include "tests/stage/stage_fixture.h"

namespace {

enum : int { kSlot = 0, kRule, kSide, kAllSides, kRange, kNotSelf, kNotInv1, kNotInv2, kNotBlock, kUseCid, kCid,
             kUseVar, kVarIndex, kVarValue, kCompare, kMiss };

class TargetTest : public testing::Test {
 protected:
  TargetTest() : run((InstallCommands(), BuildParamTable(), Stage())) {
    hero = run.harness.Hero();
    g_CharaList.ForEach([&](cStageChara& chara) { charas.push_back(&chara); });
    // Every character present and on the screen, 32 x 32, unless a test says otherwise.
    for (cChara* chara : All()) {
      chara->present = chara->onScreen = 1;
      chara->drawWidth = chara->drawHeight = 32;
    }
  }

  static StageBuilder Stage() {
    StageBuilder builder(20, 15, 2, 10);
    for (int i = 0; i < 4; ++i) builder.Chara(4 + i, 10).m_nFaction = static_cast<std::uint8_t>(i < 2 ? 1 : 2);
    return builder;
  }

  std::vector<cChara*> All() {
    std::vector<cChara*> all{hero};
    all.insert(all.end(), charas.begin(), charas.end());
    return all;
  }

  static void PutAt(cChara& chara, int left, int top) {
    chara.screenLeft = left;
    chara.screenTop = top;
  }

  static bool HasBackRef(const cChara& target, const cChara* holder, int slot) {
    return std::find(target.backRefs.begin(), target.backRefs.end(), CharaLink{const_cast<cChara*>(holder), slot}) !=
           target.backRefs.end();
  }

  cChara* Select(cChara& self, std::initializer_list<std::pair<int, std::int32_t>> params) {
    SelectTarget(self, CharaCmd(kCmdSetTarget, params));
    return self.targets[static_cast<std::size_t>(CharaCmd(kCmdSetTarget, params).m_vParams[kSlot])];
  }

  StageBuilder builder{20, 15, 2, 10};
  StageRun run;
  cHero* hero = nullptr;
  std::vector<cStageChara*> charas;  // sides 1, 1, 2, 2 in list order
};

TEST_F(TargetTest, SimpleRulesPickTheHeroSelfParentAndSlots) {
  cStageChara& a = *charas[0];
  hero->dead = 1;  // rule 0 takes the hero whatever its state
  EXPECT_EQ(Select(a, {{kRule, kTargetHero}}), hero);
  EXPECT_EQ(Select(a, {{kSlot, 1}, {kRule, kTargetSelf}}), &a);
  EXPECT_TRUE(HasBackRef(a, &a, 1));  // a character may hold itself
  EXPECT_EQ(Select(a, {{kSlot, 2}, {kRule, kTargetSlot1 + 1}}), &a);  // "ターゲット2" copies slot 1
  EXPECT_EQ(Select(a, {{kSlot, 3}, {kRule, kTargetParent}}), nullptr);
  a.SetParent(charas[1]);
  EXPECT_EQ(Select(a, {{kSlot, 3}, {kRule, kTargetParent}}), charas[1]);
  EXPECT_EQ(Select(a, {{kSlot, 3}, {kRule, 11}}), nullptr);  // unknown rule: a miss that empties the slot
  EXPECT_FALSE(HasBackRef(*charas[1], &a, 3));
}

TEST_F(TargetTest, NearestByRangeWithTiesToTheEarlierAndTheLowerSide) {
  cStageChara& a = *charas[0];
  PutAt(a, 0, 0);
  PutAt(*charas[1], 300, 0);  // side 1, on the screen, far
  PutAt(*charas[2], 40, 0);   // side 2, near but off the screen
  charas[2]->onScreen = 0;
  PutAt(*charas[3], 300, 0);  // side 2, on the screen, as far as charas[1]
  PutAt(*hero, 500, 400);
  const auto nearest = [&](int range, int side, int all) {
    return Select(a, {{kRule, kTargetNearest}, {kSide, side}, {kAllSides, all}, {kRange, range}, {kNotSelf, 1}});
  };
  EXPECT_EQ(nearest(0, 2, 0), charas[3]);  // the screen first
  EXPECT_EQ(nearest(1, 2, 0), charas[2]);
  EXPECT_EQ(nearest(2, 2, 0), charas[3]);
  EXPECT_EQ(nearest(3, 2, 0), nullptr);    // no such range
  EXPECT_EQ(nearest(0, 1, 1), charas[1]);  // equal distances: side 1 before side 2
  PutAt(*charas[2], 300, 0);
  charas[2]->onScreen = 1;
  EXPECT_EQ(nearest(0, 2, 0), charas[2]);  // equal distances in one list: the earlier
  EXPECT_EQ(nearest(0, 5, 0), nullptr);    // an empty side finds nothing
  EXPECT_EQ(a.targets[0], nullptr);
  EXPECT_TRUE(charas[2]->backRefs.empty());
}

TEST_F(TargetTest, CentresHalveTheSizeByAShift) {
  cStageChara& a = *charas[0];
  PutAt(a, 0, 0);
  a.drawWidth = 33;  // centre 16 (16.5 unshifted)
  PutAt(*charas[1], 0, 0);
  charas[1]->drawWidth = 1;  // centre 0 (0.5): 16 away either way
  PutAt(*charas[2], 32, 0);
  charas[2]->drawWidth = 0;  // centre 32: 16 away (15.5 unshifted)
  PutAt(*charas[3], 400, 0);
  PutAt(*hero, 400, 300);
  EXPECT_EQ(Select(a, {{kRule, kTargetNearest}, {kAllSides, 1}, {kRange, 1}, {kNotSelf, 1}}), charas[1]);
}

TEST_F(TargetTest, FilterRulesOutCandidates) {
  cStageChara& a = *charas[0];
  const auto first = [&](std::initializer_list<std::pair<int, std::int32_t>> extra) {
    cEdCmd command = CharaCmd(kCmdSetTarget, {{kRule, kTargetFirstInList}, {kAllSides, 1}});
    for (const auto& [i, v] : extra) command.m_vParams[i] = v;
    SelectTarget(a, command);
    return a.targets[0];
  };
  EXPECT_EQ(first({}), hero);
  hero->def.m_nInvincible = 1;
  EXPECT_EQ(first({{kNotInv1, 1}}), &a);
  EXPECT_EQ(first({{kNotInv1, 1}, {kNotSelf, 1}}), charas[1]);
  charas[1]->def.m_nInvincible = 2;
  EXPECT_EQ(first({{kNotInv1, 1}, {kNotInv2, 1}, {kNotSelf, 1}}), charas[2]);
  charas[2]->def.m_bBlockChara = 1;
  EXPECT_EQ(first({{kNotInv1, 1}, {kNotInv2, 1}, {kNotSelf, 1}, {kNotBlock, 1}}), charas[3]);
  charas[3]->def.m_nCharaId = 7;
  EXPECT_EQ(first({{kUseCid, 1}, {kCid, 7 + 256}}), charas[3]);  // the ID compares as a byte
  charas[2]->vars[3] = 12;
  EXPECT_EQ(first({{kUseVar, 1}, {kVarIndex, 3}, {kVarValue, 10}, {kCompare, 4}}), charas[2]);
  EXPECT_EQ(first({{kUseVar, 1}, {kVarIndex, 3}, {kVarValue, 0}, {kCompare, 6}}), hero);  // multiple of 0: all
  EXPECT_EQ(first({{kUseVar, 1}, {kVarIndex, 3}, {kVarValue, 0}, {kCompare, 7}}), nullptr);
  EXPECT_EQ(first({{kUseVar, 1}, {kVarIndex, 99}}), nullptr);  // a bad variable rules every candidate out
  charas[3]->dead = 1;
  EXPECT_EQ(first({{kUseCid, 1}, {kCid, 7}}), nullptr);  // never a dead one
}

TEST_F(TargetTest, MissRulesAndBackReferences) {
  cStageChara& a = *charas[0];
  EXPECT_EQ(Select(a, {{kRule, kTargetFirstInList}, {kSide, 2}}), charas[2]);
  EXPECT_TRUE(HasBackRef(*charas[2], &a, 0));
  // Storing the same again moves the pair to the end.
  charas[2]->backRefs.push_back({charas[1], 1});
  Select(a, {{kRule, kTargetFirstInList}, {kSide, 2}});
  EXPECT_EQ(charas[2]->backRefs.back(), (CharaLink{&a, 0}));
  // Keep on a miss.
  EXPECT_EQ(Select(a, {{kRule, kTargetFirstInList}, {kSide, 6}, {kMiss, kMissKeepsSlot}}), charas[2]);
  EXPECT_TRUE(HasBackRef(*charas[2], &a, 0));
  // Store nothing, even when found.
  EXPECT_EQ(Select(a, {{kRule, kTargetFirstInList}, {kSide, 1}, {kMiss, 2}}), charas[2]);
  // Empty on a miss: the old target loses its pair.
  EXPECT_EQ(Select(a, {{kRule, kTargetFirstInList}, {kSide, 6}}), nullptr);
  EXPECT_FALSE(HasBackRef(*charas[2], &a, 0));
  // A bad slot or side does nothing.
  Select(a, {{kSlot, 1}, {kRule, kTargetSelf}});
  SelectTarget(a, CharaCmd(kCmdSetTarget, {{kSlot, 4}, {kRule, kTargetSelf}}));
  EXPECT_EQ(Select(a, {{kSlot, 1}, {kRule, kTargetFirstInList}, {kSide, 9}}), nullptr);
  // Release empties every slot naming the character.
  Select(a, {{kSlot, 2}, {kRule, kTargetFirstInList}, {kSide, 2}, {kNotSelf, 1}});
  Select(*charas[3], {{kSlot, 3}, {kRule, kTargetFirstInList}, {kSide, 2}});
  charas[2]->ReleaseCharaLinks();
  EXPECT_EQ(a.targets[2], nullptr);
  EXPECT_EQ(charas[3]->targets[3], nullptr);
}

TEST_F(TargetTest, ChildrenByLinkOrderAndFilter) {
  cStageChara& a = *charas[0];
  charas[1]->SetParent(&a);
  charas[3]->SetParent(&a);
  charas[2]->SetParent(&a);  // the newest child link
  EXPECT_EQ(Select(a, {{kRule, kTargetLastChild}}), charas[2]);
  EXPECT_EQ(Select(a, {{kRule, kTargetFilteredChild}, {kAllSides, 1}}), charas[2]);
  EXPECT_EQ(Select(a, {{kRule, kTargetFilteredChild}, {kSide, 1}}), charas[1]);
  charas[2]->dead = 1;
  EXPECT_EQ(Select(a, {{kRule, kTargetLastChild}}), charas[2]);  // no filter for the last child
  EXPECT_EQ(Select(a, {{kRule, kTargetFilteredChild}, {kSide, 2}}), charas[3]);
  charas[2]->ReleaseCharaLinks();
  EXPECT_EQ(Select(a, {{kRule, kTargetLastChild}}), charas[3]);
}

}  // namespace
