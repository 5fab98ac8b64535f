// One frame of each game screen on the sample game, headless, in each
// drawing mode: the title menu, the world-map walk with the map surface
// redrawn (as every step of the figure does), the world-map menu, the
// challenge list with its ranking window, and the options. A frame here is
// the screen's own work (its phase handler: input, drawing into the back
// buffer); handing the frame to the presenter is timed by bench_play. Before
// timing, the screen's first frame must have the checksum pinned for the
// screen and mode, drawn with the pinned font files. The floor beside them: copying one 640 x 480 frame of 32-bit
// pixels with memcpy.
//
// Target: at least 3,000 frames per second for every screen and mode.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/frame_checksum.h"
#include "definitions/save_data/save_data.h"
#include "platform/input_devices.h"
#include "platform/message_box.h"
#include "screens/register_screens.h"
#include "screens/worldmap/world_map_view.h"
#include "shell/game/game.h"
#include "shell/harness/run_harness.h"
#include "stage/scene/stage_scene.h"
#include "tools/sample_game/sample_game.h"

namespace {

namespace fs = std::filesystem;

struct Mode {
  const char* name;
  sample_game::StartupSettings startup;
};

constexpr Mode kModes[] = {{"Direct3D32", {1, 1, 32}}, {"DirectDraw32", {0, 1, 32}}, {"DirectDraw8", {0, 0, 8}}};
constexpr int kDown = 40, kZ = 'Z', kX = 'X', kC = 'C';

class ScreenRun {
 public:
  explicit ScreenRun(const Mode& mode) {
    m_folder = fs::temp_directory_path() / ("bench_screens_" + std::string(mode.name) + "_" + std::to_string(::getpid()));
    fs::remove_all(m_folder);
    sample_game::GenerateOptions options;
    options.startup = mode.startup;
    sample_game::GenerateSampleGame(m_folder, options);
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    m_harness = std::make_unique<cRunHarness>(m_folder);
    m_ok = m_harness->Start();
  }
  ~ScreenRun() {
    platform::ReleaseAllInput();
    if (m_ok) m_harness->Close();
    m_harness.reset();
    fs::remove_all(m_folder);
  }
  bool Ok() const { return m_ok; }
  void Step(int frames) { m_harness->StepFrames(frames); }
  void Tap(int key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      platform::SetKeyHeld(key, true);
      Step(1);
      platform::SetKeyHeld(key, false);
      Step(1);
    }
  }
  // Waits for the state's scene to have faded in (the screens fade in 9 frames).
  bool Reach(int state) {
    Step(40);
    return g_Game.m_nState == state && g_Game.Scene(state) != nullptr;
  }

 private:
  fs::path m_folder;
  std::unique_ptr<cRunHarness> m_harness;
  bool m_ok = false;
};

// Brings the run to the screen; false when it did not get there.
using Route = std::function<bool(ScreenRun&)>;

struct Screen {
  const char* name;
  int state;
  Route route;
  std::function<void()> extra;  // per-frame work beside the scene's own
};

bool ToMap(ScreenRun& run) {
  run.Step(40);
  run.Tap(kZ);  // new game
  run.Step(2);
  run.Tap(kZ);  // the first slot
  return run.Reach(GS_WORLDMAP);
}

const Screen kScreens[] = {
    {"TitleMenu", GS_TITLE, [](ScreenRun& run) { return run.Reach(GS_TITLE); }, {}},
    {"WorldMapWalk", GS_WORLDMAP, ToMap,
     [] { DrawWorldMapSurface(ViewOrigin({g_SaveData.m_nMapX, g_SaveData.m_nMapY}), g_SaveData); }},
    {"MapMenu", GS_MAPMENU,
     [](ScreenRun& run) {
       if (!ToMap(run)) return false;
       run.Tap(kX);
       return run.Reach(GS_MAPMENU);
     },
     {}},
    {"ChallengeWithRanking", GS_CHALLENGE,
     [](ScreenRun& run) {
       run.Step(40);
       run.Tap(kDown, 2);
       run.Tap(kZ);
       if (!run.Reach(GS_CHALLENGE)) return false;
       if (!g_SaveData.m_bShowRanking) run.Tap(kC);
       return g_SaveData.m_bShowRanking != 0;
     },
     {}},
    {"Options", GS_OPTION,
     [](ScreenRun& run) {
       run.Step(40);
       run.Tap(kDown, 5);
       run.Tap(kZ);
       return run.Reach(GS_OPTION);
     },
     {}},
};

// The checksum of the screen's first frame drawn once it is reached, per
// screen (as kScreens lists them) and drawing mode (as kModes lists them),
// with the fonts that kPinnedFontFiles pins.
constexpr std::uint64_t kPinnedFrames[std::size(kScreens)][std::size(kModes)] = {
    {0x563c9e5c0e10e0bb, 0x55d73c17c94c3c4b, 0xd2767bd05589eefc},   // TitleMenu
    {0x45a5f2faa0e9449f, 0xeed507a9e23d08d6, 0x8bf166b780a4e31d},   // WorldMapWalk
    {0x38213e61f5864bef, 0x4eb343bf3f04576d, 0xca67386401211d61},   // MapMenu
    {0xf5cf1d8d699a6a26, 0xd99811c9fe606d95, 0xb03fc16ebe02a19e},   // ChallengeWithRanking
    {0xc926e62996618c55, 0x6202fe556aca0585, 0x493581be6c61a4d8}};  // Options

void BM_ScreenFrame(benchmark::State& state, const Mode& mode, const Screen& screen) {
  ScreenRun run(mode);
  if (!run.Ok() || !screen.route(run)) {
    state.SkipWithError("the screen was not reached");
    return;
  }
  cScene* scene = g_Game.Scene(screen.state);
  if (screen.extra) screen.extra();
  scene->Run();
  const std::uint64_t pinned = kPinnedFrames[&screen - kScreens][&mode - kModes];
  std::string fault = CheckFontFiles();
  if (fault.empty()) fault = CheckFrameChecksum(BackBufferChecksum(), pinned);
  if (!fault.empty()) {
    state.SkipWithError(fault.c_str());
    return;
  }
  for (auto _ : state) {
    if (screen.extra) screen.extra();
    scene->Run();
    benchmark::ClobberMemory();
  }
  if (g_Game.m_nState != screen.state) state.SkipWithError("the screen left while measured");
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_FrameMemcpy(benchmark::State& state) {
  std::vector<std::uint32_t> from(640 * 480, 0x00336699u), to(640 * 480);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

int main(int argc, char** argv) {
  RegisterStageScene();
  RegisterScreens();
  for (const Mode& mode : kModes)
    for (const Screen& screen : kScreens)
      benchmark::RegisterBenchmark((std::string("BM_ScreenFrame/") + screen.name + "/" + mode.name).c_str(),
                                   [&mode, &screen](benchmark::State& state) { BM_ScreenFrame(state, mode, screen); })
          ->Repetitions(5)
          ->ReportAggregatesOnly(true)
          ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_FrameMemcpy", BM_FrameMemcpy)
      ->Repetitions(5)
      ->ReportAggregatesOnly(true)
      ->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
