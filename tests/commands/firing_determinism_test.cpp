// A stage where a character keeps firing scattered shots and summoning
// characters and items for 600 frames plays to the same per-frame state
// hashes on every run, also when the heap was laid out differently first
// (nothing may depend on addresses).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "commands/install.h"
#include "definitions/command_kinds.h"
#include "definitions/param_table.h"
#include "definitions/save_data/save_data.h"
#include "definitions/shot_record.h"
#include "input/input_record.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_fixture.h"

namespace {

cEdCmd FireCommand(int kind, int tenths) {
  cEdCmd command;
  command.m_nKind = static_cast<std::uint8_t>(kind);
  command.m_vParams.assign(static_cast<std::size_t>(std::max(CmdParamCount(kFamilyChara, kind), 0)), 0);
  command.m_nTime = static_cast<std::int16_t>(tenths);
  command.m_bInstant = 1;
  cEdShot& shot = command.m_Shot.Emplace();
  shot.m_nSummonPalette = 1;
  shot.m_nSummonIndex = 1;
  shot.m_nDirection = 1;
  shot.m_bLifeTime = 1;
  shot.m_nLifeTime = 25;
  return command;
}

cEdCmd Wait(int tenths) {
  cEdCmd command;
  command.m_nKind = kCmdWait;
  command.m_vParams.assign(static_cast<std::size_t>(std::max(CmdParamCount(kFamilyChara, kCmdWait), 0)), 0);
  command.m_nTime = static_cast<std::int16_t>(tenths);
  return command;
}

StageBuilder FiringStage() {
  StageBuilder builder(40, 12, 3, 7, 2);
  for (int column = 0; column < 40; ++column) builder.Block(column, 8);
  cEdChara minion;
  minion.m_nGraphicNo = 1;
  minion.m_nFaction = 2;
  builder.stage.m_vPaletteChara.assign(2, minion);
  cEdItem gem;
  gem.m_nGraphicNo = 1;
  builder.stage.m_vPaletteItem.assign(2, gem);
  cEdCmd charas = FireCommand(kCmdSummonChara, 4);
  charas.m_Shot->m_nFormation = kFormationStraightB;
  charas.m_Shot->m_nCount = 2;
  cEdCmd items = FireCommand(kCmdSummonItem, 3);
  items.m_Shot->m_nFormation = kFormationBurst;
  items.m_Shot->m_nCount = 3;
  cEdCmd shots = FireCommand(kCmdShot, 3);
  shots.m_Shot->m_nClones = 2;
  shots.m_Shot->m_nSpread = 20;
  shots.m_Shot->m_nSpeed = 30;
  shots.m_Shot->m_nFaction = 3;
  cEdFlow flow;
  flow.m_vCmds.push_back(shots);
  flow.m_vCmds.push_back(charas);
  flow.m_vCmds.push_back(items);
  flow.m_vCmds.push_back(Wait(20));
  builder.Chara(12, 7).m_vFlows.push_back(flow);
  return builder;
}

std::vector<std::uint64_t> Play(const StageBuilder& builder) {
  g_SaveData.m_nLife = 3;
  StageRun run(builder, 4321);
  std::vector<std::uint64_t> hashes;
  for (int frame = 0; frame < 600; ++frame) {
    run.harness.Step(static_cast<std::uint16_t>(frame % 5 == 0 ? kDirRight : 0), 0);
    hashes.push_back(run.harness.Hash());
  }
  EXPECT_GT(g_CharaList.Count(), 2u);
  EXPECT_GT(run.harness.Scene().m_nShotSerial, 0);
  return hashes;
}

TEST(FiringDeterminism, SameHashesOnEveryRunAndHeap) {
  InstallCommands();
  BuildParamTable();
  const StageBuilder builder = FiringStage();
  const auto first = Play(builder);
  EXPECT_EQ(Play(builder), first);
  std::vector<std::unique_ptr<char[]>> clutter;
  for (int i = 1; i < 400; ++i) clutter.push_back(std::make_unique<char[]>(static_cast<std::size_t>(i * 37 % 1000)));
  EXPECT_EQ(Play(builder), first);
}

}  // namespace
