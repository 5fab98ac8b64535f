// One frame of each game screen on the sample game, headless, in each
// drawing mode: the title menu, the world-map walk with the map surface
// redrawn (as every step of the figure does), the world-map menu, the
// challenge list with its ranking window, and the options. A frame here is
// the screen's own work (its phase handler: input, drawing into the back
// buffer); presenting is the graphics layer's and measured by its own
// benchmarks. The floor beside them: copying one 640 x 480 frame of 32-bit
// pixels with memcpy.
//
// Target: at least 3,000 frames per second for every screen and mode.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

void BM_ScreenFrame(benchmark::State& state, const Mode& mode, const Screen& screen) {
  ScreenRun run(mode);
  if (!run.Ok() || !screen.route(run)) {
    state.SkipWithError("the screen was not reached");
    return;
  }
  cScene* scene = g_Game.Scene(screen.state);
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
