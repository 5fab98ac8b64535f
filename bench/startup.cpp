// Start-up time of the player on the sample game, headless: from the start
// of a fresh process to the first frame handed to the screen, in each
// drawing mode, with the child's peak resident memory. Every iteration is a
// new process (spawned with posix_spawn), so dynamic loading, static
// construction, the data files, bitmaps, fonts and the graphics device are
// all counted, as a user starting the game meets them.
//
// The floors beside it: spawning a process that does nothing (/bin/true),
// and reading every byte of the game folder (the files start-up reads are a
// part of these).
//
// In a real window (with DISPLAY set, e.g. under xvfb-run): the player as a
// user starts it, from exec to its first presented frame, against the
// smallest SDL programs that open a 640x480 window and present once, one a
// cleared frame and one a picture drawn in memory (what the player's first
// frame is), all three spawned one after the other in every repetition, so
// that they meet the same load, while the benchmark holds a display
// connection of its own (as a desktop's other programs do). With a software
// OpenGL (as under Xvfb) the picture costs the floor some 14 MB and 15 ms
// more than the clear: the renderer compiles its texture drawing. Without a
// display these report that they were skipped.
//
//   bench_startup                      the benchmarks (median of 15 runs)
//   bench_startup --child FOLDER NS    one start-up (used by the benchmark)

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/startup_window/child_report.h"
#include "shell/harness/run_harness.h"
#include "tools/sample_game/sample_game.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

using startup_child::MonotonicNs;

// The child: start the player on the folder, step until one frame has been
// presented, print the nanoseconds since the parent spawned it, shut down,
// then print the peak resident memory of the whole run.
int RunChild(const char* folder, const char* spawnedAtNs) {
  cRunHarness harness(folder);
  if (!harness.Start()) return 2;
  if (harness.StepFrames(1) != 1) return 3;
  int width = 0, height = 0;
  if (harness.PresentedFrame(&width, &height).size() != 640u * 480u) return 4;
  const std::int64_t handedOver = MonotonicNs();
  const long peakAtFrameKb = startup_child::PeakResidentKb();
  harness.Close();
  startup_child::Print(handedOver, peakAtFrameKb, spawnedAtNs);
  return 0;
}

struct ChildResult {
  bool ok = false;
  double seconds = 0;
  long firstFramePeakKb = 0;
  long peakRssKb = 0;
};

// Spawns `argv` with its output on a pipe; waits and collects its usage.
ChildResult Spawn(std::vector<std::string> args, bool readsElapsed) {
  ChildResult result;
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::int64_t start = MonotonicNs();
  if (readsElapsed) {
    args.back() = std::to_string(start);
    argv[args.size() - 1] = args.back().data();
  }
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeEnds[1]);
  std::string out;
  char buffer[256];
  for (ssize_t n; spawned == 0 && (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, n);
  ::close(pipeEnds[0]);
  if (spawned != 0) return result;
  int status = 0;
  ::waitpid(pid, &status, 0);
  const std::int64_t end = MonotonicNs();
  result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (readsElapsed) {
    char* rest = nullptr;
    result.seconds = std::strtoll(out.c_str(), &rest, 10) * 1e-9;
    result.firstFramePeakKb = std::strtol(rest, &rest, 10);
    result.peakRssKb = std::strtol(rest, nullptr, 10);
  } else {
    result.seconds = (end - start) * 1e-9;
  }
  return result;
}

struct Mode {
  const char* name;
  sample_game::StartupSettings startup;
};
const Mode kModes[] = {{"Direct3DWindow32", {1, 1, 32}},
                       {"DirectDrawWindow32", {0, 1, 32}},
                       {"DirectDrawFullScreen8", {0, 0, 8}}};

const fs::path& GameFolder(int mode) {
  static std::vector<fs::path> folders = [] {
    std::vector<fs::path> made;
    for (const Mode& m : kModes) {
      made.push_back(fs::temp_directory_path() / ("bench_startup_" + std::string(m.name) + "_" +
                                                  std::to_string(::getpid())));
      fs::remove_all(made.back());
      sample_game::GenerateOptions options;
      options.startup = m.startup;
      sample_game::GenerateSampleGame(made.back(), options);
    }
    return made;
  }();
  return folders[static_cast<std::size_t>(mode)];
}

void BM_StartupToFirstFrame(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  state.SetLabel(kModes[mode].name);
  long peak = 0;
  for (auto _ : state) {
    const ChildResult child = Spawn({"/proc/self/exe", "--child", GameFolder(mode).string(), "0"}, true);
    if (!child.ok) {
      state.SkipWithError("the player did not present a frame");
      break;
    }
    state.SetIterationTime(child.seconds);
    peak = std::max(peak, child.peakRssKb);
  }
  state.counters["peak_rss_MB"] = static_cast<double>(peak) / 1024.0;
}
BENCHMARK(BM_StartupToFirstFrame)->DenseRange(0, 2)->UseManualTime()->Iterations(1)->Repetitions(15)
    ->Unit(benchmark::kMillisecond);

// The player in a real window beside the smallest SDL programs that show
// one; the time is the player's, the floors' and the ratios are counters.
void BM_StartupInAWindow(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  state.SetLabel(kModes[mode].name);
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    state.SkipWithError("no display: run under xvfb-run or on a desktop");
    return;
  }
  // Bare Xvfb starts afresh each time its last client leaves, and the next
  // program to connect waits for that: the one spawned right after a program
  // that ended quickly paid for it. A desktop never resets for one program,
  // so the benchmark holds a connection of its own while it runs both.
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    state.SkipWithError("cannot connect to the display");
    return;
  }
  struct VideoHeld {
    ~VideoHeld() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
  } videoHeld;
  ChildResult player, clear, picture;
  for (auto _ : state) {
    clear = Spawn({STARTUP_MINIMAL_SDL, "clear", "0"}, true);
    picture = Spawn({STARTUP_MINIMAL_SDL, "picture", "0"}, true);
    player = Spawn({STARTUP_PLAYER_PROBE, GameFolder(mode).string(), "0"}, true);
    if (!clear.ok || !picture.ok || !player.ok) {
      state.SkipWithError(player.ok ? "a minimal SDL program did not present" : "the player did not present");
      return;
    }
    state.SetIterationTime(player.seconds);
  }
  const auto mb = [](long kb) { return static_cast<double>(kb) / 1024.0; };
  // The peaks as the first frame was shown (the sound font and the rest
  // that the title loads after it are not yet in) and over the whole run.
  state.counters["frame_peak_MB"] = mb(player.firstFramePeakKb);
  state.counters["peak_MB"] = mb(player.peakRssKb);
  const auto againstFloor = [&](const std::string& name, const ChildResult& floor) {
    state.counters[name + "_ms"] = floor.seconds * 1e3;
    state.counters[name + "_peak_MB"] = mb(floor.firstFramePeakKb);
    state.counters["time_ratio_" + name] = player.seconds / floor.seconds;
    state.counters["frame_over_" + name + "_MB"] = mb(player.firstFramePeakKb - floor.firstFramePeakKb);
    state.counters["peak_over_" + name + "_MB"] = mb(player.peakRssKb - floor.peakRssKb);
  };
  againstFloor("clear", clear);
  againstFloor("picture", picture);
}
BENCHMARK(BM_StartupInAWindow)->DenseRange(0, 2)->UseManualTime()->Iterations(1)->Repetitions(15)
    ->Unit(benchmark::kMillisecond);

// Floor: a process that starts and ends at once.
void BM_SpawnTrue(benchmark::State& state) {
  for (auto _ : state) {
    const ChildResult child = Spawn({"/bin/true"}, false);
    if (!child.ok) state.SkipWithError("cannot spawn /bin/true");
    state.SetIterationTime(child.seconds);
  }
}
BENCHMARK(BM_SpawnTrue)->UseManualTime()->Iterations(1)->Repetitions(15)->Unit(benchmark::kMillisecond);

// Floor: every byte of the game folder read once (from the page cache).
void BM_ReadGameFolder(benchmark::State& state) {
  std::size_t bytes = 0;
  std::vector<char> buffer;
  for (auto _ : state) {
    bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(GameFolder(0))) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      buffer.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      bytes += buffer.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_ReadGameFolder)->Repetitions(15)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The player's single-instance lock in a folder of the benchmark's own,
  // away from a player the user may have running.
  const fs::path runtime = fs::temp_directory_path() / ("bench_startup_runtime_" + std::to_string(::getpid()));
  if (argc == 1 || argv[1] != std::string("--child")) {
    fs::create_directories(runtime);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
  if (argc == 4 && std::strcmp(argv[1], "--child") == 0) return RunChild(argv[2], argv[3]);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (int mode = 0; mode < 3; ++mode) fs::remove_all(GameFolder(mode));
  fs::remove_all(runtime);
  return 0;
}
