#include "stage/harness/stage_harness.h"

#include "definitions/save_data/save_data.h"
#include "foundation/record_stream.h"
#include "input/input_record.h"
#include "project/global_data.h"
#include "shell/game/game.h"
#include "shell/game/game_clock.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/harness/state_hash.h"

cStageHarness::cStageHarness() {
  if (!g_System.IsStarted()) {
    StartProjectData();
    m_startedProject = true;
  }
  if (g_Inputs.empty()) {
    g_Inputs.resize(1);
    g_Inputs[0].Init();
  }
  StageSinks& sinks = ActiveStageSinks();
  sinks.sound = [this](int n) { m_sounds.push_back(n); };
  sinks.music = [this](int bgm, int loop) { m_music.emplace_back(bgm, loop); };
  sinks.debugLog = [this](const std::string& text) { m_debugLines.push_back(text); };
  sinks.keyHeld = [this](SpecialKey key) { return m_keys[static_cast<std::size_t>(key)]; };
}

cStageHarness::~cStageHarness() {
  g_pStageScene.store(nullptr);
  m_scene.reset();
  SetGameClock({});
  ResetStageSinks();
  if (m_startedProject) StopProjectData();
}

void cStageHarness::UseStage(const cEdStage& stage) { g_Stage = stage; }

bool cStageHarness::UseStageBytes(std::vector<unsigned char> bytes) {
  auto in = OpenReadBytes(std::move(bytes), "stage");
  if (!in) return false;
  cEdStage stage;
  stage.Load(*in);
  if (!CloseFile(*in) || !stage.HasHero()) return false;
  g_Stage = stage;
  return true;
}

void cStageHarness::Begin(std::uint32_t seed, int phase) {
  g_pStageScene.store(nullptr);
  m_scene = std::make_unique<cStageScene>();
  g_pStageScene.store(m_scene.get());
  // The clock reads the seed until something waits on it; a wait moves it
  // on, so the modal sub-loop of a game wait or a message runs out headless.
  m_clockMs = seed;
  SetGameClock({[this] { return m_clockMs; }, [this](std::uint32_t ms) { m_clockMs += ms; }});
  m_scene->SetStage(1, 1);
  m_scene->SetPhase(phase);
}

FrameEnd cStageHarness::Step(std::uint16_t dir, std::uint16_t buttons) {
  if (!g_Inputs.empty()) {
    g_Inputs[0].m_wDir = dir;
    g_Inputs[0].m_wButton = buttons;
  }
  const int phase = m_scene->Phase();
  m_scene->Run();
  if (phase != kPhasePlay) return m_scene->Phase() != phase ? FrameEnd::PhaseChanged : FrameEnd::Drawn;
  return m_scene->LastFrameEnd();
}

std::uint64_t cStageHarness::Hash() const { return StageStateHash(*m_scene); }

cHero* cStageHarness::Hero() const { return PlayerHero(); }

cStageChara* cStageHarness::CharaBySerial(std::uint32_t serial) const {
  return g_CharaList.Find([&](const cStageChara& chara) { return chara.serial == serial; });
}

const BlockCell& cStageHarness::CellAt(int column, int row) const {
  return g_BlockMap.Cell(g_BlockMap.IndexOfCell(column + 10, row + 10));
}

void cStageHarness::ClearRecords() {
  m_sounds.clear();
  m_music.clear();
  m_debugLines.clear();
}

cEdStage MakeHarnessStage(int width, int height, int speedLevel, int heroColumn, int heroRow) {
  cEdStage stage;
  stage.Width = width;
  stage.Height = height;
  stage.SpeedLevel = speedLevel;
  stage.SetSpeedLevel(speedLevel);
  stage.IntroSwitch1 = stage.IntroSwitch2 = 0;
  cEdChara hero;
  hero.m_nOperator = kOperatorPlayer;
  hero.m_nGraphicNo = 1;
  hero.m_nColumn = static_cast<std::int16_t>(heroColumn);
  hero.m_nRow = static_cast<std::int16_t>(heroRow);
  stage.m_vChara.push_back(hero);
  return stage;
}
