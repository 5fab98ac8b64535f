#include "sample_walk.h"

#include <unistd.h>

#include <array>
#include <cstdlib>

#include "app/player_modules.h"
#include "platform/input_devices.h"
#include "platform/message_box.h"
#include "screens/title/title_scene.h"
#include "screens/worldmap/world_map_scene.h"
#include "shell/game/game.h"
#include "stage/scene/stage_scene.h"

namespace fs = std::filesystem;

namespace sample_game_test {
namespace {

struct KeyOfBit {
  bool button;
  std::uint16_t bit;
  int virtualKey;
};
// The player's default keys: the arrows, and Z X C for buttons 0 to 2.
constexpr std::array<KeyOfBit, 7> kKeys = {{{false, 1, kVkLeft},
                                            {false, 2, kVkRight},
                                            {false, 4, kVkUp},
                                            {false, 8, kVkDown},
                                            {true, 1, 'Z'},
                                            {true, 2, 'X'},
                                            {true, 4, 'C'}}};

}  // namespace

SampleWalk::SampleWalk(const std::string& name, const sample_game::GenerateOptions& options) : m_name(name) {
  m_folder = fs::temp_directory_path() / ("sample_walk_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(m_folder);
  sample_game::GenerateSampleGame(m_folder, options);
  RegisterPlayerModules();
  platform::TakeHeadlessBoxes();
  m_harness = std::make_unique<cRunHarness>(m_folder);
}

SampleWalk::~SampleWalk() {
  platform::ReleaseAllInput();
  m_harness.reset();
  fs::remove_all(m_folder);
}

bool SampleWalk::StartAtTitle() {
  if (!m_harness->Start()) return false;
  return StepUntil([] {
    auto* title = dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE));
    return title != nullptr && title->Phase() == cTitleScene::kMenu;
  });
}

bool SampleWalk::StartOnStage(const std::string& stageFile) { return m_harness->Start(stageFile); }

bool SampleWalk::StepUntil(const std::function<bool()>& done, int limit) {
  for (int i = 0; i < limit; ++i) {
    if (m_harness->StepFrames(1) != 1) return false;
    if (done()) return true;
  }
  return false;
}

void SampleWalk::Step(int frames) { m_harness->StepFrames(frames); }

void SampleWalk::Tap(int virtualKey) {
  platform::SetKeyHeld(virtualKey, true);
  Step();
  platform::SetKeyHeld(virtualKey, false);
  Step();
}

int SampleWalk::Play(const std::vector<sample_game::ScriptFrame>& frames, const std::function<bool()>& stop) {
  int played = 0;
  for (const sample_game::ScriptFrame& frame : frames) {
    for (const KeyOfBit& key : kKeys)
      platform::SetKeyHeld(key.virtualKey, ((key.button ? frame.buttons : frame.dir) & key.bit) != 0);
    if (m_harness->StepFrames(1) != 1) break;
    ++played;
    if (stop && stop()) break;
  }
  platform::ReleaseAllInput();
  return played;
}

void SampleWalk::Shot(const std::string& label) const {
  if (const char* folder = std::getenv("SCREEN_WALK_SHOTS"))
    m_harness->WritePresentedFramePng(fs::path(folder) / (m_name + "_" + label + ".png"));
}

bool SampleWalk::Close() { return m_harness->Close(); }

namespace {
cWorldMapScene* Map() { return dynamic_cast<cWorldMapScene*>(g_Game.Scene(GS_WORLDMAP)); }
bool MapPhase(int phase) { return g_Game.m_nState == GS_WORLDMAP && Map() && Map()->Phase() == phase; }
}  // namespace

bool WalkOntoTheMap(SampleWalk& walk) {
  walk.Tap(kVkZ);  // new game
  walk.Step();
  walk.Tap(kVkZ);  // the first slot
  return walk.StepUntil([] { return MapPhase(cWorldMapScene::kWalk); });
}

bool EnterTheMeadow(SampleWalk& walk) {
  for (int i = 0; i < 3 && MapPhase(cWorldMapScene::kWalk); ++i) walk.Tap(kVkRight);
  if (!MapPhase(cWorldMapScene::kEnter)) return false;
  walk.Tap(kVkUp);  // "yes"
  walk.Tap(kVkZ);
  return walk.StepUntil([] { return InStagePhase(kPhasePlay); });
}

bool InStagePhase(int phase) {
  return g_Game.m_nState == GS_STAGE && StageScene() != nullptr && StageScene()->Phase() == phase;
}

}  // namespace sample_game_test
