// A scripted stage where every kind of stage object is busy at once for 600
// frames: a character fires spread shots and summons characters, items and
// blocks, the hero rides a moving block character and then walks off over
// items it takes. Two runs give the same per-frame state hashes, and so does
// a run whose heap was stirred first (nothing may depend on addresses).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "commands/install.h"
#include "definitions/param_table.h"
#include "definitions/save_data/save_data.h"
#include "definitions/shot_record.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/stage_scene.h"
#include "tests/commands/command_builders.h"
#include "tests/stage/stage_fixture.h"

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 12;
constexpr int kGroundRow = 10;

cEdCmd Timed(cEdCmd command, int tenths) {
  command.m_nTime = static_cast<std::int16_t>(tenths);
  return command;
}

// A shot or summon of the palette's second entry in a formation of `count`,
// started at once; its objects live 25 frames.
cEdCmd Fire(int kind, int formation, int count) {
  cEdCmd command = Timed(CharaCmd(kind), 3);
  command.m_bInstant = 1;
  cEdShot& shot = command.m_Shot.Emplace();
  shot.m_nSummonPalette = 1;
  shot.m_nSummonIndex = 1;
  shot.m_nDirection = 1;
  shot.m_bLifeTime = 1;
  shot.m_nLifeTime = 25;
  shot.m_nFormation = static_cast<std::uint8_t>(formation);
  shot.m_nCount = static_cast<std::int16_t>(count);
  return command;
}

cEdCmd Move(int direction) {
  cEdCmd command = Timed(CharaCmd(kCmdStraightMove), 10);
  cEdMove& move = command.m_Move.Emplace();
  move.m_nDirection = static_cast<std::uint8_t>(direction);
  move.m_nSpeed = 10;
  return command;
}

StageBuilder BusyStage() {
  StageBuilder builder(kWidth, kHeight, 6, 2, 2);
  builder.Hero().m_nInvincible = 2;  // the hero lives through the whole script
  for (int column = 0; column < kWidth; ++column) builder.Block(column, kGroundRow);

  // Summons: a minion, a gem and a wall block from the palettes.
  cEdChara minion;
  minion.m_nGraphicNo = 1;
  minion.m_nFaction = 2;
  builder.stage.m_vPaletteChara.assign(2, minion);
  cEdItem gem;
  gem.m_nGraphicNo = 1;
  builder.stage.m_vPaletteItem.assign(2, gem);
  cEdBlock wall;
  wall.m_nGraphicNo = 1;
  builder.stage.m_vPaletteBlock.assign(2, wall);

  cEdCmd shots = Fire(kCmdShot, kFormationStraightB, 2);
  shots.m_Shot->m_nClones = 2;
  shots.m_Shot->m_nSpread = 20;
  shots.m_Shot->m_nSpeed = 30;
  shots.m_Shot->m_nFaction = 3;
  cEdCmd blocks = Fire(kCmdSummonBlock, kFormationBurst, 3);
  blocks.m_Shot->m_nBlockSummonMode = kSummonBlockToggle;
  cEdChara& shooter = builder.Chara(30, kGroundRow - 1);
  shooter.m_nFaction = 2;
  cEdFlow firing;
  firing.m_vCmds = {shots, Fire(kCmdSummonChara, kFormationStraightB, 2), Fire(kCmdSummonItem, kFormationBurst, 3),
                    blocks, Timed(CharaCmd(kCmdWait), 20)};
  shooter.m_vFlows.push_back(firing);

  // The ride: a flying block character under the hero, going back and forth.
  cEdChara& platform = builder.Chara(5, 6);
  platform.m_nFlight = 1;
  platform.m_bBlockChara = 1;
  platform.m_nFaction = 0;
  cEdFlow backAndForth;
  backAndForth.m_vCmds = {Move(3), Move(1)};
  platform.m_vFlows.push_back(backAndForth);

  // Items on the ground that count every taking.
  cEdItem counter;
  counter.m_nGraphicNo = 1;
  counter.m_nTaking = kTakeAgain;
  counter.m_nRow = kGroundRow - 1;
  cEdCmd count = MakeCmd(kFamilyItem, kCmdCode - kItemKindOffset);
  count.m_strCode = "C1 = C1 + 1";
  counter.m_vCmds.push_back(count);
  for (int column = 10; column < 28; column += 3) {
    counter.m_nColumn = static_cast<std::int16_t>(column);
    builder.stage.m_vItem.push_back(counter);
  }
  return builder;
}

int BlockCount(cStageHarness& harness) {
  int blocks = 0;
  for (int row = 0; row < kHeight; ++row)
    for (int column = 0; column < kWidth; ++column) blocks += harness.CellAt(column, row).block != nullptr;
  return blocks;
}

// What the script must really have done for the hashes to mean anything.
struct Activity {
  int riddenFrames = 0;
  double rideLeft = 1e9, rideRight = -1e9;  // where the hero was carried to
  int blockChanges = 0;
  int shotsFired = 0;
  std::size_t extraCharas = 0;  // the most characters and items beyond those placed
  std::size_t extraItems = 0;
};

std::vector<std::uint64_t> Play(const StageBuilder& builder, Activity& activity) {
  g_SaveData.m_nLife = 3;
  g_SaveData.m_vVar.assign(1001, 0);
  StageRun run(builder, 4321);
  const int blocksAtStart = BlockCount(run.harness);
  const std::size_t charasAtStart = g_CharaList.Count(), itemsAtStart = g_ItemList.Count();
  std::vector<std::uint64_t> hashes;
  for (int frame = 0; frame < 600; ++frame) {
    // Riding for half the script, then walking off over the items and back.
    if (frame >= 300) run.harness.Hero()->cmdSpeedX = frame < 450 ? 1.5 : -1.5;
    run.harness.Step(0, 0);
    hashes.push_back(run.harness.Hash());
    const cHero& hero = *run.harness.Hero();
    activity.riddenFrames += hero.carried;
    if (hero.carried && frame < 300) {
      activity.rideLeft = std::min(activity.rideLeft, hero.x);
      activity.rideRight = std::max(activity.rideRight, hero.x);
    }
    activity.blockChanges += BlockCount(run.harness) != blocksAtStart;
    activity.extraCharas = std::max(activity.extraCharas, g_CharaList.Count() - std::min(g_CharaList.Count(), charasAtStart));
    activity.extraItems = std::max(activity.extraItems, g_ItemList.Count() - std::min(g_ItemList.Count(), itemsAtStart));
  }
  activity.shotsFired = run.harness.Scene().m_nShotSerial;
  return hashes;
}

TEST(StageObjectsDeterminism, ShotsSummonsRidesAndPickUpsHashTheSameOnEveryRunAndHeap) {
  InstallCommands();
  BuildParamTable();
  const StageBuilder builder = BusyStage();
  Activity activity;
  const std::vector<std::uint64_t> first = Play(builder, activity);
  EXPECT_GT(activity.shotsFired, 0);
  EXPECT_GT(activity.extraCharas, 0u);
  EXPECT_GT(activity.extraItems, 0u);
  EXPECT_GT(activity.blockChanges, 0);
  EXPECT_GT(activity.riddenFrames, 100);
  EXPECT_GT(activity.rideRight - activity.rideLeft, 30);  // the ride went somewhere
  EXPECT_GT(g_SaveData.m_vVar[1], 0);  // items were taken
  Activity again;
  EXPECT_EQ(Play(builder, again), first);
  const auto stir = StirHeap();
  EXPECT_EQ(Play(builder, again), first);
}

}  // namespace
