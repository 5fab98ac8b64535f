// The frame step on hand-made stages: sub-steps per level, the labelled
// deaths of the hero, the end of a death, swallowed buttons, frames that end
// without drawing, removal and spawning while the lists are walked, and the
// determinism of the whole simulation.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "definitions/save_data/save_data.h"
#include "input/input_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"
#include "tests/stage/stage_fixture.h"

namespace {

// A hero that walks at a steady x speed (its flows reset the velocity every
// sub-step) and moves with its y velocity.
class WalkingHero : public cHero {
 public:
  int StepX() override {
    vx = walkSpeed;
    return MoveStepX(kClampStage) == 3 ? 4 : 0;
  }
  int StepY() override {
    const int code = MoveStepY(kClampStage);
    return code == 5 || code == 6 ? 7 : code;
  }
  double walkSpeed = 0;
};

// Puts `hero` in the placed hero's place, in g_Heroes and the group lists.
void ReplaceHero(std::unique_ptr<cHero> hero) {
  if (cStageScene* scene = StageScene())
    for (auto& group : scene->m_GroupLists)
      std::replace(group.begin(), group.end(), static_cast<cChara*>(g_Heroes[0].get()), static_cast<cChara*>(hero.get()));
  g_Heroes[0] = std::move(hero);
}

// Replaces the placed hero by a walking one at the same place.
WalkingHero& MakeWalker(double vx, double vy) {
  auto walker = std::make_unique<WalkingHero>();
  const cHero& placed = *g_Heroes[0];
  walker->Place(0, placed.def, 0, 0);
  walker->x = placed.x;
  walker->y = placed.y;
  walker->ClampX();
  walker->ClampY();
  walker->walkSpeed = vx;
  walker->vy = vy;
  WalkingHero& ref = *walker;
  ReplaceHero(std::move(walker));
  return ref;
}

bool Logged(const cStageHarness& harness, const std::string& line) {
  const auto& lines = harness.DebugLines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(FrameStep, SpeedLevelRunsThatManySubSteps) {
  StageBuilder builder(30, 10, 2, 2, 3);
  builder.Chara(4, 2);
  StageRun run(builder);
  cStageChara* chara = run.harness.CharaBySerial(1);
  ASSERT_NE(chara, nullptr);
  chara->existTime = 5;
  EXPECT_EQ(run.harness.Step(0, 0), FrameEnd::Drawn);
  EXPECT_EQ(run.harness.Scene().m_nSubStepTotal, 3);
  EXPECT_EQ(chara->existTime, 2);
  run.harness.Step(0, 0);
  EXPECT_EQ(g_CharaList.Count(), 0u);  // below 0 in the second frame: removed
}

TEST(FrameStep, HeroWalkingIntoADeadlyBlockDiesAtDeadOne) {
  StageBuilder builder(30, 10, 2, 2);
  builder.Block(3, 2, kBlockDeadly);
  StageRun run(builder);
  g_SaveData.m_nLife = 2;
  MakeWalker(4, 0);
  FrameEnd end = FrameEnd::Drawn;
  for (int i = 0; i < 20 && end == FrameEnd::Drawn; ++i) end = run.harness.Step(0, 0);
  EXPECT_EQ(end, FrameEnd::NoDraw);
  EXPECT_TRUE(Logged(run.harness, "Dead 1"));
  EXPECT_EQ(run.harness.Hero()->dead, 1);
  EXPECT_EQ(run.harness.Sounds().back(), 8);
  // The drawing that ends the death uses a life, sets the stage up again and
  // shows the intro (in a project without the retry menu).
  const SystemSwitch noRetryMenu(&cSystem::m_nSetting191A, 0);
  SkipToHeroDeathEnd(run);
  run.harness.Step(0, 0);
  EXPECT_EQ(g_SaveData.m_nLife, 1);
  EXPECT_EQ(run.harness.Scene().Phase(), kPhaseIntro);
  EXPECT_EQ(run.harness.Hero()->dead, 0);
}

TEST(FrameStep, LastLifeLeadsToGameOver) {
  StageBuilder builder(30, 10, 2, 2);
  builder.Block(2, 3, kBlockDeadly);
  StageRun run(builder);
  g_SaveData.m_nLife = 0;
  MakeWalker(0, 3);
  for (int i = 0; i < 20 && !run.harness.Hero()->dead; ++i) run.harness.Step(0, 0);
  EXPECT_TRUE(Logged(run.harness, "Dead 4"));
  SkipToHeroDeathEnd(run);
  run.harness.Step(0, 0);
  EXPECT_EQ(run.harness.Scene().Phase(), kPhaseEndWait);
  run.harness.Step(0, 1);  // decide
  EXPECT_EQ(run.harness.Scene().Phase(), kPhaseLeave);
}

TEST(FrameStep, FallingOutOfTheStageIsDeadTwo) {
  StageBuilder builder(30, 3, 2, 2);
  StageRun run(builder);
  MakeWalker(0, 5);
  for (int i = 0; i < 400 && !run.harness.Hero()->dead; ++i) run.harness.Step(0, 0);
  EXPECT_TRUE(Logged(run.harness, "Dead 2"));
}

TEST(FrameStep, SqueezedHeroDiesAtDeadSp) {
  StageBuilder builder(30, 10, 2, 2);
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  // Contacts raised during the sub-step by something pushing from both sides.
  class Squeezer : public WalkingHero {
   public:
    int StepX() override {
      pressedLeft = pressedRight = 1;
      return 0;
    }
  };
  auto squeezer = std::make_unique<Squeezer>();
  squeezer->Place(0, hero.def, hero.def.m_nColumn, hero.def.m_nRow);
  ReplaceHero(std::move(squeezer));
  EXPECT_EQ(run.harness.Step(0, 0), FrameEnd::NoDraw);
  EXPECT_TRUE(Logged(run.harness, "Dead SP"));
}

TEST(FrameStep, ButtonsHeldAtTheStartAreSwallowedUntilReleased) {
  StageBuilder builder(30, 10, 2, 2);
  StageRun run(builder);
  run.harness.Scene().m_bSwallowButtons = 1;
  run.harness.Step(0, 1);
  EXPECT_EQ(g_Inputs[0].m_wButton, 0);
  run.harness.Step(0, 0);
  EXPECT_EQ(run.harness.Scene().m_bSwallowButtons, 0);
  run.harness.Step(0, 1);
  EXPECT_EQ(g_Inputs[0].m_wButton, 1);
}

TEST(FrameStep, PauseKeyOpensTheMenuAndResumeComesBack) {
  StageBuilder builder(30, 10, 2, 2);
  StageRun run(builder);
  g_StageRules.pauseMenu = 1;
  run.harness.HoldKey(SpecialKey::Space, true);
  EXPECT_EQ(run.harness.Step(0, 0), FrameEnd::PhaseChanged);
  EXPECT_EQ(run.harness.Scene().Phase(), kPhasePause);
  EXPECT_EQ(run.harness.Sounds().back(), 4);
  run.harness.HoldKey(SpecialKey::Space, false);
  run.harness.Step(0, 0);   // cursor on "resume"
  run.harness.Step(0, 1);   // decide
  EXPECT_EQ(run.harness.Scene().Phase(), kPhasePlay);
  EXPECT_EQ(run.harness.Scene().m_bSwallowButtons, 1);
}

// Characters whose flows remove the next character and summon a new one.
class Summoner : public cStageChara {
 public:
  int RunFlows(int) override {
    visits.push_back(static_cast<int>(serial));
    if (serial == 1) {
      g_CharaList.ForEach([](cStageChara& other) {
        if (other.serial == 2) StageScene()->RemoveChara(other);
      });
      cEdChara summoned = def;
      summoned.m_nCopyCount = 0;
      StageScene()->SpawnCharaAt(x, y, 1, summoned);
    }
    return 0;
  }
  static inline std::vector<int> visits;
};

TEST(FrameStep, RemovalAndSpawningDuringTheWalk) {
  StageBuilder builder(30, 10, 2, 2);
  builder.Chara(4, 2);
  builder.Chara(5, 2);
  StageRun run(builder);
  // Put recording characters in place of the placed ones.
  std::vector<std::uint32_t> serials;
  g_CharaList.ForEach([&](cStageChara& chara) { serials.push_back(chara.serial); });
  ASSERT_EQ(serials, (std::vector<std::uint32_t>{1, 2}));
  const cEdChara definition = run.harness.CharaBySerial(1)->def;
  // The group lists forget the placed ones too: the contact pass walks them.
  for (auto& group : run.harness.Scene().m_GroupLists)
    std::erase_if(group, [&](const cChara* chara) { return chara != run.harness.Hero(); });
  g_CharaList.Clear();
  for (std::uint32_t serial : serials) {
    auto chara = std::make_unique<Summoner>();
    chara->SetUp(static_cast<int>(serial), definition, nullptr, 0, 0);
    chara->serial = serial;
    chara->SetBlockPos(4, 2);
    g_CharaList.Append(std::move(chara));
  }
  Summoner::visits.clear();
  run.harness.Step(0, 0);
  // Character 2 was gone at once; the summoned one (3) was visited in the
  // same walk, and is a plain stage character.
  EXPECT_EQ(Summoner::visits, (std::vector<int>{1}));
  EXPECT_EQ(g_CharaList.Count(), 2u);
  EXPECT_NE(run.harness.CharaBySerial(3), nullptr);
  EXPECT_EQ(run.harness.CharaBySerial(2), nullptr);
}

TEST(Determinism, SameSeedAndInputGiveTheSameHashes) {
  const StageBuilder builder = InputFollowingStage();
  auto play = [&](int changedFrame) {
    g_SaveData.m_nLife = 3;
    StageRun run(builder, 1234);
    MakeWalker(0.25, 0);
    std::vector<std::uint64_t> hashes;
    for (int frame = 0; frame < 120; ++frame) {
      std::uint16_t buttons = (frame / 7) % 2;
      if (frame == changedFrame) buttons ^= 1;
      run.harness.Step(static_cast<std::uint16_t>(frame % 3 == 0 ? kDirRight : 0), buttons);
      hashes.push_back(run.harness.Hash());
    }
    return hashes;
  };
  const auto first = play(-1);
  const auto second = play(-1);
  EXPECT_EQ(first, second);
  const auto changed = play(60);
  EXPECT_EQ(std::vector<std::uint64_t>(first.begin(), first.begin() + 60),
            std::vector<std::uint64_t>(changed.begin(), changed.begin() + 60));
  EXPECT_NE(first[60], changed[60]);
}

}  // namespace
