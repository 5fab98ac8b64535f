// The courses of shots on hand-made stages: aimed and homing shots (with the
// view's speed in a homing shot's course and the on-screen-only switch of
// the nearest-character search), waves, falling shots and acceleration.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"
#include "tests/stage/shots/shot_fixture.h"
#include "tests/stage/stage_fixture.h"

namespace {


TEST(ShotFlight, AimedShotTurnsTowardTheHeroAtItsStartStepOnly) {
  StageRun run(OpenStage());
  cHero& hero = *run.harness.Hero();
  for (int i = 0; i < 5; ++i) run.harness.Step(0, 0);
  cEdShot record = PlainShot(1);
  record.m_nMoveKind = kShotAimHero;
  record.m_nSpeed = 40;         // 4 dots per frame
  record.m_anMoveParam[0] = 1;  // after 16 dots: step 4
  cStageShot* shot = PutShot(nullptr, record, PlaceAt(hero.x + 200, hero.y - 200, 4, 0));
  ASSERT_NE(shot, nullptr);
  for (int i = 0; i < 4; ++i) run.harness.Step(0, 0);
  EXPECT_DOUBLE_EQ(shot->ownVx, 4);
  EXPECT_EQ(shot->ownVy, 0);
  run.harness.Step(0, 0);
  // Now it flies toward the hero (down and to the left) at 4 dots.
  EXPECT_LT(shot->ownVx, 0);
  EXPECT_GT(shot->ownVy, 0);
  EXPECT_NEAR(std::hypot(shot->ownVx, shot->ownVy), 4, 1e-9);
  const double vx = shot->ownVx;
  hero.x += 300;  // the hero moves away: the aim is not taken again
  run.harness.Step(0, 0);
  EXPECT_EQ(shot->ownVx, vx);
  EXPECT_EQ(shot->aimDone, 1);
}

TEST(ShotFlight, AimedShotWithoutALivingTargetKeepsItsCourse) {
  StageRun run(OpenStage());
  cHero& hero = *run.harness.Hero();
  cEdShot record = PlainShot(1);
  record.m_nMoveKind = kShotAimTarget;
  record.m_nSpeed = 40;
  cStageShot* shot = PutShot(&hero, record, PlaceAt(hero.x + 100, hero.y - 100, 4, 0));
  ASSERT_NE(shot, nullptr);
  run.harness.Step(0, 0);
  EXPECT_EQ(shot->ownVx, 4);
  EXPECT_EQ(shot->aimDone, 1);
}

TEST(ShotFlight, HomingFollowsTheTargetBetweenItsStartAndEndSteps) {
  StageBuilder builder = OpenStage();
  builder.Chara(12, 3).m_nFaction = 2;
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  cStageChara* chara = run.harness.CharaBySerial(1);
  ASSERT_NE(chara, nullptr);
  chara->moveA = 1;  // hangs in the air
  SetTarget(hero, 0, chara, 1);
  cEdShot record = PlainShot(1);
  record.m_nMoveKind = kShotHomeTarget;
  record.m_nSpeed = 20;         // 2 dots per frame
  record.m_anMoveParam[0] = 0;  // from the first step
  record.m_anMoveParam[1] = 2;  // to step 16
  cStageShot* shot = PutShot(&hero, record, PlaceAt(hero.x, hero.y - 100, 2, 0));
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->target, chara);
  ASSERT_EQ(chara->shotRefs.size(), 1u);
  for (int i = 0; i < 16; ++i) {
    run.harness.Step(0, 0);
    EXPECT_NEAR(std::hypot(shot->ownVx, shot->ownVy), 2, 1e-9);
  }
  EXPECT_EQ(shot->aimEnd, 16);
  const double vx = shot->ownVx;
  const double vy = shot->ownVy;
  chara->y -= 200;
  run.harness.Step(0, 0);
  EXPECT_EQ(shot->aimDone, 1);
  EXPECT_EQ(shot->ownVx, vx);
  EXPECT_EQ(shot->ownVy, vy);
  // The target goes: the shot forgets it.
  run.harness.Scene().RemoveChara(*chara);
  EXPECT_EQ(shot->target, nullptr);
}

// With synchronisation switched off for the project, the view's own speed
// adds to a homing shot's course, as to every aimed motion; with it on, a
// shot that does not ride the view homes plainly.
TEST(ShotFlight, HomingAddsTheViewsSpeedOnlyWithSynchronisationSwitchedOff) {
  auto firstCourse = [](int noSync) {
    StageRun run(OpenStage());
    const StageRules saved = g_StageRules;
    g_StageRules.noScrollSync = noSync;
    ScrollAxis& view = g_StageSpace.scrollX;
    view.running = 1;
    view.speed = 0.5;
    view.atLimit = 0;
    cHero& hero = *run.harness.Hero();
    cEdShot record = PlainShot(1);
    record.m_nMoveKind = kShotHomeHero;
    record.m_nSpeed = 20;         // 2 dots per frame
    record.m_anMoveParam[1] = 2;  // homes from the first step to step 16
    cStageShot* shot = PutShot(nullptr, record, PlaceAt(hero.x + 100, hero.y - 100, 2, 0));
    run.harness.Step(0, 0);
    const double vx = shot != nullptr ? shot->ownVx : 0;
    g_StageRules = saved;
    return vx;
  };
  const double plain = firstCourse(0);
  EXPECT_LT(plain, 0);  // toward the hero, down and to the left
  EXPECT_NEAR(firstCourse(1) - plain, 0.5, 1e-12);
}

TEST(ShotFlight, HomingOnTheNearestCharacterOfASideTakesTheNextWhenOneDies) {
  StageBuilder builder = OpenStage();
  builder.Chara(9, 4).m_nFaction = 3;
  builder.Chara(9, 0).m_nFaction = 3;
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  cStageChara* low = run.harness.CharaBySerial(1);
  cStageChara* high = run.harness.CharaBySerial(2);
  ASSERT_NE(low, nullptr);
  ASSERT_NE(high, nullptr);
  low->moveA = high->moveA = 1;
  cEdShot record = PlainShot(1);
  record.m_nMoveKind = kShotHomeNearestNext;
  record.m_nSpeed = 20;
  record.m_anMoveParam[1] = 20;
  record.m_anMoveParam[2] = 3;
  cStageShot* shot = PutShot(&hero, record, PlaceAt(low->x - 64, low->y + 40, 2, 0));
  ASSERT_NE(shot, nullptr);
  run.harness.Step(0, 0);
  EXPECT_LT(shot->ownVy, 0);  // up toward the nearer one
  EXPECT_GT(shot->ownVx, 0);
  low->dead = 1;
  const double before = shot->ownVy;
  run.harness.Step(0, 0);
  EXPECT_LT(shot->ownVy, before);  // steeper: the one far above
}

// The stage's on-screen-only switch decides whether the nearest-character
// search of an aimed shot reaches a character the player cannot see.
TEST(ShotFlight, AimAtTheNearestTakesOffScreenCharactersOnlyWithOnScreenOnlyOff) {
  auto firstCourse = [](int onScreenOnly) {
    StageBuilder builder(100, 12, 5, 8);
    for (int column = 0; column < 100; ++column) builder.Block(column, 9);
    builder.Chara(60, 8).m_nFaction = 3;
    builder.stage.OnScreenOnly = onScreenOnly;
    StageRun run(builder);
    cHero& hero = *run.harness.Hero();
    cEdShot record = PlainShot(1);
    record.m_nMoveKind = kShotAimNearest;
    record.m_nSpeed = 40;         // 4 dots per frame, aimed at the first step
    record.m_anMoveParam[2] = 3;  // at side 3
    cStageShot* shot = PutShot(&hero, record, PlaceAt(hero.x, hero.y, -4, 0));
    run.harness.Step(0, 0);
    const cStageChara* far = run.harness.CharaBySerial(1);
    const bool offScreenButPresent = far != nullptr && far->present && !far->onScreen;
    return std::pair{offScreenButPresent, shot != nullptr ? shot->ownVx : 0.0};
  };
  const auto [offScreenWithSwitchOn, courseWithSwitchOn] = firstCourse(1);
  EXPECT_TRUE(offScreenWithSwitchOn);
  EXPECT_DOUBLE_EQ(courseWithSwitchOn, -4);  // keeps its course
  const auto [offScreenWithSwitchOff, courseWithSwitchOff] = firstCourse(0);
  EXPECT_TRUE(offScreenWithSwitchOff);
  EXPECT_NEAR(courseWithSwitchOff, 4, 1e-9);  // turns right, toward it
}

TEST(ShotFlight, WaveFiredLeftStartsHalfATurnLater) {
  StageRun run(OpenStage());
  cHero& hero = *run.harness.Hero();
  cEdShot record = PlainShot(1);
  record.m_nMoveKind = kShotWave;
  record.m_anMoveParam[0] = 2;   // 32 dots
  record.m_anMoveParam[1] = 60;  // a turn in 60 steps
  cStageShot* right = PutShot(&hero, record, PlaceAt(hero.x + 40, hero.y - 150, 2, 0));
  cStageShot* left = PutShot(&hero, record, PlaceAt(hero.x + 40, hero.y - 150, -2, 0));
  ASSERT_NE(right, nullptr);
  ASSERT_NE(left, nullptr);
  run.harness.Step(0, 0);
  EXPECT_DOUBLE_EQ(right->wavePhase, 6.0);
  EXPECT_DOUBLE_EQ(left->wavePhase, 186.0);
  // Both rise first: the wave is turned with the direction of flight.
  EXPECT_LT(right->ownVy, 0);
  EXPECT_LT(left->ownVy, 0);
  EXPECT_NEAR(right->ownVy, left->ownVy, 1e-12);
}

TEST(ShotFlight, WaveWithSpeedZeroDoesNotWave) {
  StageRun run(OpenStage());
  cHero& hero = *run.harness.Hero();
  cEdShot record = PlainShot(1);
  record.m_nMoveKind = kShotWave;
  record.m_anMoveParam[0] = 2;
  cStageShot* shot = PutShot(&hero, record, PlaceAt(hero.x + 40, hero.y - 150, 2, 0));
  ASSERT_NE(shot, nullptr);
  for (int i = 0; i < 5; ++i) run.harness.Step(0, 0);
  EXPECT_EQ(shot->ownVy, 0);
  EXPECT_EQ(shot->vy, 0);
}

TEST(ShotFlight, FallingShotStopsFloatingAtItsStepAndGravityPullsIt) {
  StageRun run(OpenStage());
  cHero& hero = *run.harness.Hero();
  cEdShot record = PlainShot(1);
  record.m_nMoveKind = kShotFall;
  record.m_nSpeed = 20;
  record.m_anMoveParam[0] = 1;  // 16 dots at 2: step 8
  cStageShot* shot = PutShot(&hero, record, PlaceAt(hero.x + 40, hero.y - 200, 2, 0));
  ASSERT_NE(shot, nullptr);
  for (int i = 0; i < 8; ++i) run.harness.Step(0, 0);
  EXPECT_TRUE(shot->Floats());
  const double y = shot->y;
  run.harness.Step(0, 0);
  EXPECT_FALSE(shot->Floats());
  for (int i = 0; i < 5; ++i) run.harness.Step(0, 0);
  EXPECT_GT(shot->y, y);
  EXPECT_GT(shot->vy, 0);
}

// The distance an accelerated axis covers in `steps` sub-steps: the flight
// step adds the acceleration to the velocity the shot keeps, the move along
// the axis adds it once more to the velocity it moves by.
double AcceleratedDistance(double velocity, double accel, double pull, int steps) {
  double distance = 0;
  for (int step = 0; step < steps; ++step) {
    velocity += accel + pull;
    distance += velocity + accel;
  }
  return distance;
}

cEdShot AcceleratedShot(int accel) {
  cEdShot record = PlainShot(1);
  record.m_bAccelerate = 1;
  record.m_nAccel = static_cast<std::int16_t>(accel);
  return record;
}

class ShotAcceleration : public ::testing::TestWithParam<int> {};

TEST_P(ShotAcceleration, StraightShotGainsItTwicePerSubStep) {
  const int level = GetParam();
  StageRun run(OpenStage(level));
  cHero& hero = *run.harness.Hero();
  cStageShot* shot = PutShot(&hero, AcceleratedShot(1), PlaceAt(hero.x + 40, hero.y - 100, 1, 0));
  ASSERT_NE(shot, nullptr);
  const double startX = shot->x;
  for (int frame = 0; frame < 10; ++frame) run.harness.Step(0, 0);
  // 16.5 dots at speed level 1, 21.5 at level 2.
  EXPECT_NEAR(shot->x - startX, AcceleratedDistance(1.0 / level, 0.1 / level, 0, 10 * level), 1e-9);
  EXPECT_NEAR(shot->x - startX, level == 1 ? 16.5 : 21.5, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Levels, ShotAcceleration, ::testing::Values(1, 2));

TEST(ShotAcceleration, FloatingDiagonalShotGainsItOnBothAxes) {
  StageRun run(OpenStage());
  cHero& hero = *run.harness.Hero();
  cStageShot* shot = PutShot(&hero, AcceleratedShot(1), PlaceAt(hero.x + 40, hero.y - 200, 1, 1));
  ASSERT_NE(shot, nullptr);
  const double startX = shot->x;
  const double startY = shot->y;
  for (int frame = 0; frame < 6; ++frame) run.harness.Step(0, 0);
  const double share = 0.1 / std::sqrt(2.0);
  EXPECT_NEAR(shot->x - startX, AcceleratedDistance(1, share, 0, 6), 1e-9);
  EXPECT_NEAR(shot->y - startY, AcceleratedDistance(1, share, 0, 6), 1e-9);
}

TEST(ShotAcceleration, FallingShotGainsItBesideGravity) {
  StageRun run(OpenStage());
  cHero& hero = *run.harness.Hero();
  cEdShot record = AcceleratedShot(2);
  record.m_nMoveKind = kShotFall;  // no aim speed: falls from the first step
  cStageShot* shot = PutShot(&hero, record, PlaceAt(hero.x + 40, hero.y - 200, 0, 1));
  ASSERT_NE(shot, nullptr);
  const double startY = shot->y;
  for (int frame = 0; frame < 5; ++frame) run.harness.Step(0, 0);
  EXPECT_FALSE(shot->Floats());
  // A falling shot keeps both additions in the velocity it falls by.
  EXPECT_NEAR(shot->y - startY, AcceleratedDistance(1, 0, 2 * 0.2 + g_StageSpace.gravityStep, 5), 1e-9);
}

// An accelerated shot whose range runs out with the stop switch on stands
// still from then on (the view standing still), straight or diagonal.
class StoppedAcceleratedShot : public ::testing::TestWithParam<int> {};

TEST_P(StoppedAcceleratedShot, StandsStillAfterItStops) {
  const int level = GetParam();
  StageRun run(OpenStage(level));
  cHero& hero = *run.harness.Hero();
  cEdShot record = AcceleratedShot(5);
  record.m_bRange = 1;
  record.m_bStopAtRange = 1;
  ShotPlacement straight = PlaceAt(hero.x + 40, hero.y - 100, 4, 0);
  straight.range = 4;
  ShotPlacement diagonal = PlaceAt(hero.x + 40, hero.y - 200, 2, 2);
  diagonal.range = 4;
  cStageShot* shots[] = {PutShot(&hero, record, straight), PutShot(&hero, record, diagonal)};
  for (const cStageShot* shot : shots) ASSERT_NE(shot, nullptr);
  for (int frame = 0; frame < 20; ++frame) run.harness.Step(0, 0);
  for (const cStageShot* shot : shots) {
    ASSERT_EQ(shot->rangeLeft, 0);  // it has stopped
    const double stoppedX = shot->x;
    const double stoppedY = shot->y;
    for (int frame = 0; frame < 5; ++frame) run.harness.Step(0, 0);
    EXPECT_FALSE(shot->removed);
    EXPECT_EQ(shot->x, stoppedX);
    EXPECT_EQ(shot->y, stoppedY);
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, StoppedAcceleratedShot, ::testing::Values(1, 2));

}  // namespace
