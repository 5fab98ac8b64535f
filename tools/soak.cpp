// The soak: the sample game's replays played round and round in the whole
// player, headless, for a long run.
//   tool_soak [--frames N] [--baseline F] [--no-memory-check]
// The sample game is written into a temporary folder, every stage's replay
// is recorded from its input script, and the player plays them for N frames
// (1,000,000 unless told). The run fails (exit status 1) when a round's state
// hashes leave the recording's, the player stops, the report log gets a line
// or a message box is shown after the title came up, or the resident memory
// as the last lap of the rounds began exceeds that as the first lap after
// frame F (10,000 unless told) began by 1 MB or more (unless
// --no-memory-check: a short run holds too few laps to compare).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/player_modules.h"
#include "platform/backend.h"
#include "tools/sample_game/sample_game.h"
#include "tools/soak/replay_soak.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kGrowthLimitBytes = 1'000'000;

double Megabytes(std::size_t bytes) { return static_cast<double>(bytes) / 1e6; }

bool ParseCount(const char* text, long long& count) {
  char* end = nullptr;
  count = std::strtoll(text, &end, 10);
  return end != text && *end == '\0' && count > 0;
}

bool ParseArguments(int argc, char** argv, soak::SoakSettings& settings, bool& checkMemory) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--no-memory-check") == 0) {
      checkMemory = false;
      continue;
    }
    long long* target = std::strcmp(argv[i], "--frames") == 0     ? &settings.frames
                        : std::strcmp(argv[i], "--baseline") == 0 ? &settings.baselineFrame
                                                                  : nullptr;
    if (target == nullptr || i + 1 == argc || !ParseCount(argv[++i], *target)) return false;
  }
  return settings.baselineFrame < settings.frames;
}

// Prints the memory read as each lap began (about ten of the readings, the
// first and the last among them) and at the end; false when the last lap
// began with 1 MB or more above the first.
bool MemoryHeld(const soak::SoakRun& run, bool checkMemory) {
  const std::vector<soak::MemorySample>& laps = run.memory;
  const std::size_t every = std::max<std::size_t>(1, laps.size() / 10);
  std::size_t highest = 0;
  for (std::size_t i = 0; i < laps.size(); ++i) {
    highest = std::max(highest, laps[i].residentBytes);
    if (i % every == 0 || i + 1 == laps.size())
      std::printf("  resident memory as the lap at frame %lld began: %.3f MB\n", laps[i].frame,
                  Megabytes(laps[i].residentBytes));
  }
  std::printf("  resident memory at the end: %.3f MB; highest as a lap began: %.3f MB\n",
              Megabytes(run.residentAtEnd), Megabytes(highest));
  if (laps.size() < 2) {
    std::printf("resident memory: fewer than two laps began after the baseline%s\n",
                checkMemory ? "" : " (not checked)");
    return !checkMemory;
  }
  const std::size_t first = laps.front().residentBytes, last = laps.back().residentBytes;
  const std::size_t growth = last > first ? last - first : 0;
  std::printf(
      "resident memory: %.3f MB at frame %lld, %.3f MB at frame %lld: grew %.3f MB (limit %.3f MB%s)\n",
      Megabytes(first), laps.front().frame, Megabytes(last), laps.back().frame, Megabytes(growth),
      Megabytes(kGrowthLimitBytes), checkMemory ? "" : ", not checked");
  if (!checkMemory || growth < kGrowthLimitBytes) return true;
  std::printf("soak: FAILED: the resident memory grew by 1 MB or more\n");
  return false;
}

// Prints the run's figures; true when it passed.
bool Summarise(const soak::SoakRun& run, bool checkMemory) {
  std::printf("soak: %zu replays, %zu play frames in one round of them all\n", run.replays, run.replayFrames);
  std::printf(
      "soak: %lld frames in %.1f s (%.0f frames/s), %lld rounds played to their end (%lld begun under a "
      "screen effect held over from the round before)\n",
      run.frames, run.seconds, run.framesPerSecond, run.rounds, run.heldOverRounds);
  bool passed = run.failure.empty();
  if (!passed) std::printf("soak: FAILED: %s\n", run.failure.c_str());
  if (passed && !MemoryHeld(run, checkMemory)) passed = false;
  std::printf("report lines: %zu, message boxes: %zu\n", run.reportLines.size(), run.boxes.size());
  for (const std::string& line : run.reportLines) std::printf("  report: %s\n", line.c_str());
  for (const std::string& box : run.boxes) std::printf("  box: %s\n", box.c_str());
  if (!run.reportLines.empty() || !run.boxes.empty()) {
    std::printf("soak: FAILED: the player reported something\n");
    passed = false;
  }
  if (passed) std::printf("soak: passed\n");
  return passed;
}

// The sample game in a temporary folder for the life of the object.
struct TemporaryGame {
  fs::path folder = fs::temp_directory_path() / ("player_soak_" + std::to_string(::getpid()));
  ~TemporaryGame() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

}  // namespace

int main(int argc, char** argv) {
  soak::SoakSettings settings;
  bool checkMemory = true;
  if (!ParseArguments(argc, argv, settings, checkMemory)) {
    std::fprintf(stderr, "usage: %s [--frames N] [--baseline F] [--no-memory-check]   (0 < F < N)\n",
                 argv[0]);
    return 2;
  }
  // The player's own registrations: the recording and the soak play alike.
  platform::SelectBackend(platform::Backend::Headless);
  RegisterPlayerModules();
  const TemporaryGame game;
  std::string error;
  if (!sample_game::GenerateSampleGame(game.folder, {}, &error)) {
    std::fprintf(stderr, "soak: cannot write %s\n", error.c_str());
    return 1;
  }
  return Summarise(soak::RunReplaySoak(game.folder, settings), checkMemory) ? 0 : 1;
}
