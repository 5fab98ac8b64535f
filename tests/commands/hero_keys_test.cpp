// The player's keys move the hero end to end: a flow of the hero that
// starts whenever the right key is held runs a straight move to the right,
// the hero walks right while the key is held and stops once the move that
// the last press started has run out.
#include <gtest/gtest.h>

#include <algorithm>

#include "commands/install.h"
#include "definitions/command_kinds.h"
#include "definitions/flow_record.h"
#include "definitions/param_table.h"
#include "input/input_record.h"
#include "stage/chara/hero.h"
#include "tests/stage/stage_fixture.h"

namespace {

constexpr int kKeyRightLog = 2;  // the key list's entry of the direction "right"
constexpr int kMoveRight = 3;    // direction code of a move
constexpr int kMoveTenths = 1;   // the move lasts 6 frames at speed level 1
constexpr int kSpeedTenths = 20;  // 2 dots per frame

cEdFlow WalkRightWhileHeld() {
  cEdCmd move;
  move.m_nKind = kCmdStraightMove;
  move.m_vParams.assign(static_cast<std::size_t>(std::max(CmdParamCount(kFamilyChara, kCmdStraightMove), 0)), 0);
  move.m_nTime = kMoveTenths;
  cEdMove& motion = move.m_Move.Emplace();
  motion.m_nDirection = kMoveRight;
  motion.m_nSpeed = kSpeedTenths;
  cKeyStep right;
  right.SetDefaults();
  right.m_vKeys[kKeyRightLog] = kKeyPressed;
  right.m_bAnyHold = 1;
  cEdFlow flow;
  flow.m_nTrigger = kTriggerAlways;
  flow.m_bKeyHold = 1;  // starts again while the key stays held
  flow.m_vKeySteps.push_back(right);
  flow.m_vCmds.push_back(move);
  return flow;
}

TEST(HeroKeys, HoldingRightMovesTheHeroAndLettingGoStopsIt) {
  InstallCommands();
  BuildParamTable();
  StageBuilder builder(60, 8, 4, 4);
  for (int column = 0; column < 60; ++column) builder.Block(column, 5);
  builder.Hero().m_vFlows.push_back(WalkRightWhileHeld());
  builder.Hero().m_bTurnByCmd = 0;  // faces the way it moves
  StageRun run(builder);
  cHero& hero = *run.harness.Hero();
  for (int i = 0; i < 10; ++i) run.harness.Step(0, 0);
  const double start = hero.x;
  for (int i = 0; i < 5; ++i) run.harness.Step(0, 0);
  EXPECT_EQ(hero.x, start);  // no key: the flow does not start

  for (int i = 0; i < 30; ++i) run.harness.Step(kDirRight, 0);
  const double walked = hero.x - start;
  EXPECT_GT(walked, 50.0);   // 2 dots a frame, less the first frames of the key
  EXPECT_LE(walked, 60.0);
  EXPECT_EQ(hero.facing, 1);

  for (int i = 0; i < 10; ++i) run.harness.Step(0, 0);  // the last move runs out
  const double stopped = hero.x;
  EXPECT_LE(stopped - start - walked, 2.0 * 6);
  for (int i = 0; i < 20; ++i) run.harness.Step(0, 0);
  EXPECT_EQ(hero.x, stopped);
}

}  // namespace
