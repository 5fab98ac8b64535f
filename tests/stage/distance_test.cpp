// The distance condition's shapes around a character facing left or right.
#include <gtest/gtest.h>

#include "definitions/condition_records.h"
#include "project/system_record.h"
#include "stage/chara/distance_condition.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "tests/stage/stage_fixture.h"

namespace {

cCond Distance(int shape, int halfBlocks, int compare = 0, int extraDots = 0) {
  cCond cond;
  cond.m_nKind = 7;
  cond.m_nLeftObject = 0;  // the hero
  cond.m_nValue = halfBlocks;
  cond.m_nRightIndex = static_cast<std::uint16_t>(static_cast<std::int16_t>(extraDots));
  cond.m_nCompare = static_cast<std::uint8_t>(compare);
  cond.m_nLast = static_cast<std::uint8_t>(shape);
  return cond;
}

class DistanceTest : public testing::Test {
 protected:
  void SetUp() override {
    // Both hit boxes centred in their cells, so that the centres lie on one row.
    builder.stage.HeroSizeSwitch[0] = builder.stage.CharaSizeSwitch[0] = 0;
    builder.Chara(10, 4);
    run = std::make_unique<StageRun>(builder);
    subject = run->harness.CharaBySerial(1);
  }
  StageBuilder builder{30, 10, 6, 4};  // the hero four blocks left of the subject
  std::unique_ptr<StageRun> run;
  cStageChara* subject = nullptr;
};

TEST_F(DistanceTest, BandsToTheFrontAndBehind) {
  subject->facing = 0;  // facing left, toward the hero
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(1, 8)), 1);   // 128 dots in front
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(1, 4)), 0);   // 64 dots: short
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(2, 8)), 0);   // behind
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(0, 8)), 1);   // both sides
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(0, 8, 1)), 0);  // "outside"
  subject->facing = 1;
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(2, 8)), 1);
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(1, 8)), 0);
}

TEST_F(DistanceTest, VerticalCircleAndMissingObjects) {
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(3, 1)), 1);  // same row: within any vertical band
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(6, 8)), 1);  // 128 dots apart
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(6, 7)), 0);
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(6, 7, 0, 16)), 1);  // extra dots
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(9, 8)), 0);   // unknown shape: not inside
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(9, 8, 1)), 1);
  cCond target = Distance(6, 8);
  target.m_nLeftObject = 2;  // an empty target slot
  EXPECT_EQ(TestDistanceCondition(*subject, target), 0);
}

// The other object's screen position is taken anew for each test, unless
// the project keeps the old rule that uses the position it last had.
TEST_F(DistanceTest, TheOtherObjectsScreenPositionIsRefreshedUnlessTheProjectKeepsItStale) {
  cHero& hero = *run->harness.Hero();
  hero.UpdateScreenPos();
  hero.x += 96;  // three blocks nearer, not yet on the screen
  {
    const SystemSwitch stale(&cSystem::m_nCompat782, 1);
    EXPECT_EQ(TestDistanceCondition(*subject, Distance(0, 4)), 0);  // still 128 dots away
  }
  EXPECT_EQ(TestDistanceCondition(*subject, Distance(0, 4)), 1);
}

}  // namespace
