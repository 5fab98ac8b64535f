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
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/player_modules.h"
#include "bench/headless_bench.h"
#include "definitions/param_table.h"
#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_loader.h"
#include "foundation/game_files.h"
#include "foundation/record.h"
#include "graphics/device/device.h"
#include "graphics/device/screen_output.h"
#include "graphics/images/palette.h"
#include "graphics/surfaces/surface_lock.h"
#include "platform/backend.h"
#include "platform/message_box.h"
#include "platform/presenter.h"
#include "project/global_data.h"
#include "shell/game/frame_step.h"
#include "shell/game/game.h"
#include "shell/harness/run_harness.h"
#include "shell/init/project_load.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/harness/stage_harness.h"
#include "stage/items/stage_item.h"
#include "stage/scene/stage_scene.h"
#include "stage/shots/shot_list.h"
#include "stage/shots/stage_shot.h"
#include "tools/sample_game/play/input_script.h"
#include "tools/sample_game/play/stage_scripts.h"
#include "tools/sample_game/project_files.h"
#include "tools/sample_game/sample_game.h"

namespace {

namespace fs = std::filesystem;
using sample_game::ScriptFrame;

constexpr std::uint32_t kSeed = 2026;
constexpr int kScreenWidth = 640, kScreenHeight = 480;
constexpr int kMaxLeadIn = 1000;  // frames of fade-in and intro at most
constexpr std::size_t kCheckedFrame = 60;  // the frame of an attempt whose pixels are checked

struct DrawMode {
  const char* name;
  sample_game::StartupSettings startup;
  int bytesPerPixel;
};
constexpr DrawMode kModes[] = {{"DirectDraw8", {0, 0, 8}, 1}, {"DirectDraw32", {0, 1, 32}, 4}, {"Direct3D", {1, 1, 32}, 4}};

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

// The sample game, generated once into a temporary folder; the working
// folder while it lives.
class GeneratedGame {
 public:
  GeneratedGame()
      : m_previous(fs::current_path()), m_folder(fs::temp_directory_path() / ("bench_play_" + std::to_string(::getpid()))) {
    fs::remove_all(m_folder);
    m_ok = sample_game::GenerateSampleGame(m_folder);
    fs::current_path(m_folder);
    ForgetGameFolderListings();
  }
  ~GeneratedGame() {
    fs::current_path(m_previous);
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
  }
  GeneratedGame(const GeneratedGame&) = delete;
  GeneratedGame& operator=(const GeneratedGame&) = delete;

  bool Ok() const { return m_ok; }
  const fs::path& Folder() const { return m_folder; }
  // The drawing mode the player starts in.
  bool UseMode(const DrawMode& mode) const {
    const std::string ini = sample_game::SystemIniText(mode.startup);
    return WriteGameFile("System.ini", std::vector<unsigned char>(ini.begin(), ini.end()));
  }

 private:
  fs::path m_previous, m_folder;
  bool m_ok = false;
};

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

// The player started on the game in a drawing mode, as a user starts it.
class StartedPlayer {
 public:
  explicit StartedPlayer(const DrawMode& mode) {
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    m_ok = g_game->UseMode(mode) && m_harness.Start();
  }
  ~StartedPlayer() {
    if (m_ok) m_harness.Close();
  }
  StartedPlayer(const StartedPlayer&) = delete;
  StartedPlayer& operator=(const StartedPlayer&) = delete;
  bool Ok() const { return m_ok; }

 private:
  cRunHarness m_harness{g_game->Folder()};
  bool m_ok = false;
};

// A stage played by its script, begun again whenever it runs out.
class LoopedPlay {
 public:
  explicit LoopedPlay(const ScriptedStage& stage) : m_stage(stage) {
    m_loaded = LoadFile(m_record, stage.name + "_000") == 1;
    if (m_loaded) Restart();
  }
  bool Loaded() const { return m_loaded; }

  // A fresh attempt in free play from the same save data every time, run
  // through the stage's start and intro to its first frame of play.
  void Restart() {
    g_Game.m_nTitleCmd = 0;
    g_Game.m_nPlayMode = PM_FREE;
    g_SaveData = cSaveData();
    g_SaveData.m_nLife = 3;
    m_harness.ClearRecords();
    m_harness.UseStage(m_record);
    m_harness.Begin(kSeed, kPhaseStart);
    for (int frame = 0; frame < kMaxLeadIn && m_harness.Scene().Phase() != kPhasePlay; ++frame) m_harness.Step(0, 0);
    m_next = 0;
  }
  // Plays the next frame of the script; false when the attempt is over (the
  // script ran out or the stage left play) and wants a Restart.
  bool Step() {
    const ScriptFrame& frame = m_stage.frames[m_next++];
    m_harness.Step(frame.dir, frame.buttons);
    return m_next < m_stage.frames.size() && m_harness.Scene().Phase() == kPhasePlay;
  }
  // One whole attempt from its start; the state hash of every frame.
  std::vector<std::uint64_t> PlayAttempt() {
    Restart();
    std::vector<std::uint64_t> hashes;
    bool going = true;
    while (going) {
      going = Step();
      hashes.push_back(m_harness.Hash());
    }
    return hashes;
  }
  cStageHarness& Harness() { return m_harness; }

 private:
  const ScriptedStage& m_stage;
  cEdStage m_record;
  cStageHarness m_harness;
  bool m_loaded = false;
  std::size_t m_next = 0;
};

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
  LoopedPlay play(stage);
  if (!play.Loaded()) return {};
  ScreenLoad sum;
  int frames = 0;
  for (bool going = true; going; ++frames) {
    going = play.Step();
    AddScreenLoad(play.Harness().Scene(), sum);
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

// Why the play is not fit to be timed, or empty when it is: an attempt must
// play a good part of its script, two attempts must hash alike on every
// frame, and the state must change from frame to frame.
std::string CheckAttempts(LoopedPlay& play) {
  const std::vector<std::uint64_t> first = play.PlayAttempt();
  if (first.size() < kCheckedFrame + 1) return "the attempt ends at once";
  if (first != play.PlayAttempt()) return "two runs of the script hash differently";
  if (std::set<std::uint64_t>(first.begin(), first.end()).size() < first.size() / 2) return "the stage hardly moves";
  return {};
}

// The drawn frame with the screen filled with a mark colour first: the
// share of dots the stage drew over it and the colours it drew.
struct DrawnFrame {
  double coveredShare = 0;
  std::size_t colours = 0;
};
// Every dot of the back buffer set to the mark (its low byte at 8 bits),
// written straight into the pixels so that it reads alike in every mode.
bool FillWithMark(std::uint32_t mark) {
  cSurfaceLock lock;
  if (!lock.Lock(&BackBuffer)) return false;
  for (int y = 0; y < kScreenHeight; ++y) {
    if (lock.BitsPerPixel() == 8) std::memset(lock.Row8(y), static_cast<std::uint8_t>(mark), kScreenWidth);
    else std::fill_n(lock.Row32(y), kScreenWidth, mark);
  }
  return true;
}

DrawnFrame DrawCheckedFrame(LoopedPlay& play) {
  play.Restart();
  for (std::size_t frame = 0; frame < kCheckedFrame; ++frame) play.Step();
  constexpr std::uint32_t kMark = 0x00010203;
  if (!FillWithMark(kMark)) return {};
  play.Step();
  cSurfaceLock lock;
  if (!lock.LockForReading(&BackBuffer)) return {};
  const bool eightBits = lock.BitsPerPixel() == 8;
  const std::uint32_t mark = eightBits ? kMark & 0xFF : kMark;
  DrawnFrame drawn;
  std::set<std::uint32_t> colours;
  int covered = 0;
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) {
      const std::uint32_t dot = eightBits ? lock.Row8(y)[x] : lock.Row32(y)[x];
      covered += dot != mark ? 1 : 0;
      colours.insert(dot);
    }
  drawn.coveredShare = static_cast<double>(covered) / (kScreenWidth * kScreenHeight);
  drawn.colours = colours.size();
  return drawn;
}

void TimeFrames(benchmark::State& state, LoopedPlay& play) {
  play.Restart();
  for (auto _ : state) {
    if (!play.Step()) {
      state.PauseTiming();
      play.Restart();
      state.ResumeTiming();
    }
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void FullFrames(benchmark::State& state, const DrawMode& mode) {
  const StartedPlayer player(mode);
  if (!player.Ok()) {
    state.SkipWithError("the player did not start");
    return;
  }
  LoopedPlay play(*g_busiest);
  if (!play.Loaded()) {
    state.SkipWithError("the stage did not load");
    return;
  }
  if (const std::string fault = CheckAttempts(play); !fault.empty()) {
    state.SkipWithError(fault.c_str());
    return;
  }
  const DrawnFrame drawn = DrawCheckedFrame(play);
  if (drawn.coveredShare < 0.9 || drawn.colours < 8) {
    state.SkipWithError("a frame did not draw the stage over the screen");
    return;
  }
  TimeFrames(state, play);
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
  const StartedPlayer player(mode);
  LoopedPlay play(*g_busiest);
  if (!player.Ok() || !play.Loaded()) {
    state.SkipWithError("the player did not start or the stage did not load");
    return;
  }
  for (std::size_t frame = 0; frame < kCheckedFrame; ++frame) play.Step();
  if (!ShowScreenSurface(&BackBuffer) || !PresenterShowsBackBuffer()) {
    state.SkipWithError("the presenter did not get the drawn frame");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(ShowScreenSurface(&BackBuffer));
}

void SimulationAlone(benchmark::State& state, const ScriptedStage& stage) {
  const LoadedProject project;
  LoopedPlay play(stage);
  if (!project.Ok() || !play.Loaded()) {
    state.SkipWithError("the game did not load");
    return;
  }
  if (const std::string fault = CheckAttempts(play); !fault.empty()) {
    state.SkipWithError(fault.c_str());
    return;
  }
  TimeFrames(state, play);
}

}  // namespace

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  RegisterPlayerModules();
  GeneratedGame game;
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
  const auto repeated = [](benchmark::internal::Benchmark* bench) {
    bench->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
  };
  for (const DrawMode& mode : kModes) {
    repeated(benchmark::RegisterBenchmark(("FullFrames/" + ShortName(*g_busiest) + "/" + mode.name).c_str(),
                                          [&mode](benchmark::State& state) { FullFrames(state, mode); }));
    repeated(benchmark::RegisterBenchmark(("FrameHandOver/" + ShortName(*g_busiest) + "/" + mode.name).c_str(),
                                          [&mode](benchmark::State& state) { FrameHandOver(state, mode); }));
    repeated(benchmark::RegisterBenchmark((std::string("FrameMemcpy/") + mode.name).c_str(),
                                          [&mode](benchmark::State& state) {
                                            CopyBytesFloor(state, std::size_t{kScreenWidth} * kScreenHeight * mode.bytesPerPixel);
                                          }));
  }
  for (const ScriptedStage& stage : stages)
    repeated(benchmark::RegisterBenchmark(("SimulationAlone/" + ShortName(stage)).c_str(),
                                          [&stage](benchmark::State& state) { SimulationAlone(state, stage); }));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
