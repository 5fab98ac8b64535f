#include "tests/stage/stage_fixture.h"

#include "project/global_data.h"
#include "shell/game/game.h"
#include "stage/chara/hero.h"
#include "stage/core/stage_rules.h"
#include "stage/scene/current_actor.h"
#include "tests/project/project_test_support.h"

StageBuilder::StageBuilder(int width, int height, int heroColumn, int heroRow, int speedLevel)
    : stage(MakeHarnessStage(width, height, speedLevel, heroColumn, heroRow)) {
  Hero().m_nFaction = 0;
}

StageBuilder& StageBuilder::Block(int column, int row, int kind, int passSide) {
  cEdBlock block;
  block.m_nColumn = static_cast<std::int16_t>(column);
  block.m_nRow = static_cast<std::int16_t>(row);
  block.m_nCollision = static_cast<std::uint8_t>(kind);
  block.m_nPassSide = static_cast<std::uint8_t>(passSide);
  block.m_nGraphicNo = 1;  // a block without a graphic becomes passable when the stage is checked
  stage.m_vBlock.push_back(block);
  return *this;
}

cEdChara& StageBuilder::Chara(int column, int row) {
  cEdChara chara;
  chara.m_nOperator = kOperatorComputer;
  chara.m_nGraphicNo = 1;
  chara.m_nColumn = static_cast<std::int16_t>(column);
  chara.m_nRow = static_cast<std::int16_t>(row);
  stage.m_vChara.push_back(chara);
  return stage.m_vChara.back();
}

StageBuilder InputFollowingStage() {
  StageBuilder builder(40, 12, 3, 3, 2);
  for (int column = 0; column < 12; ++column) builder.Block(column, 4);
  builder.Block(9, 3, kBlockDeadly);
  builder.Chara(8, 3).m_nMaxHp = 5;
  cEdFlow flow;
  cKeyStep step;
  step.SetDefaults();
  step.m_vKeys[11] = kKeyPressed;
  step.m_bAnyHold = 1;
  flow.m_vKeySteps.push_back(step);
  builder.Hero().m_vFlows.push_back(flow);
  return builder;
}

StageRun::StageRun(const StageBuilder& builder, std::uint32_t seed, int phase) {
  harness.UseStage(builder.stage);
  harness.Begin(seed, phase);
}

StageRun::~StageRun() { g_CurrentActor.Clear(); }

void SkipToHeroDeathEnd(StageRun& run) {
  if (cHero* hero = run.harness.Hero()) hero->deathCounter = g_Game.m_nFps;
}

std::vector<std::unique_ptr<char[]>> StirHeap() {
  std::vector<std::unique_ptr<char[]>> stir;
  for (int i = 0; i < 500; ++i) stir.push_back(std::make_unique<char[]>(static_cast<std::size_t>(16 + (i * 37) % 700)));
  return stir;
}

namespace {

// Starts the project data when nothing has; true when it did.
bool StartProjectIfNeeded() {
  if (g_System.IsStarted()) return false;
  StartProjectData();
  return true;
}

void PutBack(bool startedProject) {
  if (startedProject) StopProjectData();
  LoadStageRules();
}

}  // namespace

SystemSwitch::SystemSwitch(std::int32_t cSystem::*field, std::int32_t value)
    : m_startedProject(StartProjectIfNeeded()), m_field(field), m_previous((*g_System).*field) {
  (*g_System).*field = value;
  LoadStageRules();
}

SystemSwitch::~SystemSwitch() {
  (*g_System).*m_field = m_previous;
  PutBack(m_startedProject);
}

SystemOfVersion::SystemOfVersion(std::uint32_t version)
    : m_startedProject(StartProjectIfNeeded()), m_previous(*g_System) {
  m_loaded = LoadFromBytes(*g_System, FileOfVersion(cSystem(), version));
  LoadStageRules();
}

SystemOfVersion::~SystemOfVersion() {
  *g_System = m_previous;
  PutBack(m_startedProject);
}
