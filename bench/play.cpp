// Whole frames of the sample game: its stages played by their input
// scripts, over and over, as a player sees them.
//
// Full frames: the frame step, the drawing's advance and the 640 x 480
// picture drawn into the back buffer, in each drawing mode (DirectDraw at 8
// and at 32 bits, Direct3D). The player starts on the generated game as it
// starts for a user (the run harness: System.ini's drawing mode, palette,
// fonts, digit strips, sound); the stage harness then plays the stage on top
// of it. Beside them, the hand-over of a drawn frame to the presenter (the
// conversion of the back buffer to 0x00RRGGBB pixels that every presented
// frame costs), checked to give the presenter the back buffer's picture
// before it is timed: the two together are the frame a player sees, short of
// the window's upload. The simulation alone: the same play without a screen (the
// frame step and the drawing's advance, no pixels), on the project loaded
// as start-up loads it.
//
// An attempt starts as the game starts a stage (its pictures loaded, the
// intro shown) and is timed from its first frame of play: every timed frame
// is real play. When the script runs out or the stage leaves play (the key
// taken), the next attempt is begun untimed. Before timing, two attempts
// must give the same state hash on every frame, and a drawn frame must
// cover a screen filled with a mark colour with the stage's own colours, so
// a mode that draws nothing cannot pass for a fast one.
//
// Full frames are timed on the busiest stage: the one whose script keeps
// the most objects on the screen per frame (characters, shots and items on
// the screen, point effects, shown pictures), found by playing every
// stage that has a script (the figures are printed first). The simulation
// alone is timed on every such stage, since the one that draws the most is
// not the one whose characters think the most.
//
// Targets: full frames at least 2,000 per second on one core in every
// mode; the simulation alone at least 20,000. The floor beside them: a
// memcpy of one 640 x 480 frame of the mode's pixel size.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/player_modules.h"
#include "bench/sample_play/draw_modes.h"
#include "bench/sample_play/drawn_frame.h"
#include "bench/sample_play/generated_game.h"
#include "bench/sample_play/looped_play.h"
#include "bench/sample_play/mode_benchmarks.h"
#include "definitions/param_table.h"
#include "graphics/device/device.h"
#include "graphics/device/screen_output.h"
#include "graphics/images/palette.h"
#include "graphics/surfaces/surface_lock.h"
#include "platform/backend.h"
#include "platform/presenter.h"
#include "project/global_data.h"
#include "shell/game/frame_step.h"
#include "shell/init/project_load.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/items/stage_item.h"
#include "stage/scene/stage_scene.h"
#include "stage/shots/shot_list.h"
#include "stage/shots/stage_shot.h"
#include "tools/sample_game/play/input_script.h"
#include "tools/sample_game/play/stage_scripts.h"

namespace {

using sample_game::ScriptFrame;

constexpr int kScreenWidth = 640, kScreenHeight = 480;
constexpr std::size_t kCheckedFrame = 60;  // the frame of an attempt whose pixels are checked

// A stage with the script that plays it.
struct ScriptedStage {
  std::string name;
  std::vector<ScriptFrame> frames;
};

// "c01-1" of "data\\stg4\\c01-1.stg4".
std::string ShortName(const ScriptedStage& stage) {
  std::string name = stage.name.substr(stage.name.find_last_of('\\') + 1);
  return name.substr(0, name.find('.'));
}

std::vector<ScriptedStage> StagesWithScripts() {
  std::vector<ScriptedStage> stages;
  const auto add = [&stages](std::string name, std::string_view script) {
    if (auto frames = sample_game::ParseInputScript(script); frames && !frames->empty())
      stages.push_back({std::move(name), std::move(*frames)});
  };
  for (int index = 0; index < sample_game::kStoryStageCount; ++index)
    add(sample_game::kStoryStages[index], sample_game::StoryStageScript(index));
  for (int index = 0; index < sample_game::kChallengeStageCount; ++index)
    add(sample_game::kChallengeStages[index], sample_game::ChallengeStageScript(index));
  return stages;
}

GeneratedGame* g_game = nullptr;
const ScriptedStage* g_busiest = nullptr;

// The project loaded by start-up's own steps, without a window or a
// screen, for the simulation alone. False when a file does not load.
class LoadedProject {
 public:
  LoadedProject() {
    StartProjectData();
    BuildParamTable();
    m_ok = LoadProjectData() && LoadWorldMapAndPalette();
  }
  ~LoadedProject() {
    ForgetLostSurfaceLists();
    StopProjectData();
  }
  LoadedProject(const LoadedProject&) = delete;
  LoadedProject& operator=(const LoadedProject&) = delete;
  bool Ok() const { return m_ok; }

 private:
  bool m_ok = false;
};

// The stage's play by its script, when its file loads.
std::unique_ptr<LoopedPlay> PlayOf(const ScriptedStage& stage) {
  const std::optional<cEdStage> record = LoadStageRecord(stage.name);
  if (!record) return nullptr;
  return std::make_unique<LoopedPlay>(*record, stage.frames);
}

// The objects one frame shows: characters, shots and items on the screen,
// point effects and shown pictures.
struct ScreenLoad {
  double charas = 0, shots = 0, items = 0, effects = 0, pictures = 0;
  double Total() const { return charas + shots + items + effects + pictures; }
};

void AddScreenLoad(cStageScene& scene, ScreenLoad& load) {
  g_CharaList.ForEach([&load](const cStageChara& chara) { load.charas += chara.onScreen; });
  g_ShotList.ForEach([&load](const cStageShot& shot) { load.shots += shot.onScreen; });
  g_ItemList.ForEach([&load](const cStageItem& item) { load.items += item.onScreen; });
  load.effects += static_cast<double>(scene.m_Draw.stageEffects.size());
  load.pictures += static_cast<double>(scene.m_Draw.shows.pictures.size());
}

// The mean load of a frame over one attempt of the stage's script.
ScreenLoad MeanLoad(const ScriptedStage& stage) {
  const std::unique_ptr<LoopedPlay> play = PlayOf(stage);
  if (!play) return {};
  ScreenLoad sum;
  int frames = 0;
  for (bool going = true; going; ++frames) {
    going = play->Step();
    AddScreenLoad(play->Harness().Scene(), sum);
  }
  for (double* part : {&sum.charas, &sum.shots, &sum.items, &sum.effects, &sum.pictures}) *part /= frames;
  return sum;
}

// Prints each stage's mean load and returns the busiest (none when the
// project does not load).
const ScriptedStage* ChooseBusiestStage(const std::vector<ScriptedStage>& stages) {
  const LoadedProject project;
  if (!project.Ok()) return nullptr;
  const ScriptedStage* busiest = nullptr;
  double most = -1;
  for (const ScriptedStage& stage : stages) {
    const ScreenLoad load = MeanLoad(stage);
    std::printf("%-22s objects on screen per frame %5.1f: characters %4.1f shots %4.1f items %4.1f "
                "effects %4.1f pictures %4.1f\n",
                stage.name.c_str(), load.Total(), load.charas, load.shots, load.items, load.effects, load.pictures);
    if (load.Total() > most) {
      most = load.Total();
      busiest = &stage;
    }
  }
  if (busiest != nullptr) std::printf("busiest: %s\n", busiest->name.c_str());
  return busiest;
}

void FullFrames(benchmark::State& state, const DrawMode& mode) {
  const StartedPlayer player(*g_game, mode);
  if (!player.Ok()) {
    state.SkipWithError("the player did not start");
    return;
  }
  const std::unique_ptr<LoopedPlay> play = PlayOf(*g_busiest);
  if (!play) {
    state.SkipWithError("the stage did not load");
    return;
  }
  if (const std::string fault = CheckAttempts(*play, kCheckedFrame); !fault.empty()) {
    state.SkipWithError(fault.c_str());
    return;
  }
  const DrawnFrame drawn = DrawCheckedFrame(*play, kCheckedFrame);
  if (drawn.coveredShare < 0.9 || drawn.colours < 8) {
    state.SkipWithError("a frame did not draw the stage over the screen");
    return;
  }
  TimeFrames(state, *play);
  state.counters["drawn colours"] = static_cast<double>(drawn.colours);
}

// Whether the presenter's last frame shows the back buffer's pixels.
bool PresenterShowsBackBuffer() {
  int width = 0, height = 0;
  const std::vector<std::uint32_t> shown = platform::GetPresenter().LastFrame(&width, &height);
  cSurfaceLock lock;
  if (width != kScreenWidth || height != kScreenHeight || !lock.LockForReading(&BackBuffer)) return false;
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) {
      std::uint32_t expected = 0;
      if (lock.BitsPerPixel() == 8) {
        const PALETTEENTRY& entry = g_ScreenPalette[lock.Row8(y)[x]];
        expected = std::uint32_t(entry.peRed) << 16 | std::uint32_t(entry.peGreen) << 8 | entry.peBlue;
      } else {
        expected = lock.Row32(y)[x] & 0xFFFFFF;
      }
      if (shown[std::size_t(y) * kScreenWidth + x] != expected) return false;
    }
  return true;
}

void FrameHandOver(benchmark::State& state, const DrawMode& mode) {
  const StartedPlayer player(*g_game, mode);
  const std::unique_ptr<LoopedPlay> play = PlayOf(*g_busiest);
  if (!player.Ok() || !play) {
    state.SkipWithError("the player did not start or the stage did not load");
    return;
  }
  for (std::size_t frame = 0; frame < kCheckedFrame; ++frame) play->Step();
  if (!ShowScreenSurface(&BackBuffer) || !PresenterShowsBackBuffer()) {
    state.SkipWithError("the presenter did not get the drawn frame");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(ShowScreenSurface(&BackBuffer));
}

void SimulationAlone(benchmark::State& state, const ScriptedStage& stage) {
  const LoadedProject project;
  const std::unique_ptr<LoopedPlay> play = PlayOf(stage);
  if (!project.Ok() || !play) {
    state.SkipWithError("the game did not load");
    return;
  }
  if (const std::string fault = CheckAttempts(*play, kCheckedFrame); !fault.empty()) {
    state.SkipWithError(fault.c_str());
    return;
  }
  TimeFrames(state, *play);
}

}  // namespace

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  RegisterPlayerModules();
  GeneratedGame game("bench_play");
  if (!game.Ok()) {
    std::fprintf(stderr, "the sample game could not be written\n");
    return 1;
  }
  g_game = &game;
  const std::vector<ScriptedStage> stages = StagesWithScripts();
  g_busiest = ChooseBusiestStage(stages);
  if (g_busiest == nullptr) {
    std::fprintf(stderr, "the sample game's project did not load\n");
    return 1;
  }
  for (const DrawMode& mode : kDrawModes) {
    RegisterRepeated("FullFrames/" + ShortName(*g_busiest) + "/" + mode.name,
                     [&mode](benchmark::State& state) { FullFrames(state, mode); });
    RegisterRepeated("FrameHandOver/" + ShortName(*g_busiest) + "/" + mode.name,
                     [&mode](benchmark::State& state) { FrameHandOver(state, mode); });
    RegisterFrameMemcpy(mode);
  }
  for (const ScriptedStage& stage : stages)
    RegisterRepeated("SimulationAlone/" + ShortName(stage),
                     [&stage](benchmark::State& state) { SimulationAlone(state, stage); });
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
