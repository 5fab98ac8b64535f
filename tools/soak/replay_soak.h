#pragma once
// The soak itself: the whole player started headless on the game folder,
// the stages' replays recorded once the title is up (stage_replays.h),
// the replay command chosen on the title with the replay file "soak", and
// the player left to play it round and round as it does for a user (each
// round's set-up reads the chosen file again). Whenever a round has begun,
// the soak writes the next stage's replay into that file, so the rounds go
// through every stage in turn. Each round's play frames must reach the
// recording run's state hashes (or, for a round begun under a screen effect
// held over from the round before, those of the first such round of its
// stage); the resident memory is read as each lap of the rounds begins from
// a baseline frame on, and the report log must get no line once the title
// is up, nor a message box be shown.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>
namespace soak {

struct SoakSettings {
  long long frames = 1'000'000;
  // The resident memory's growth is counted from the first lap (a round of
  // every replay) that begins after this frame.
  long long baselineFrame = 10'000;
};

struct MemorySample {
  long long frame = 0;
  std::size_t residentBytes = 0;
};

struct SoakRun {
  std::size_t replays = 0;
  std::size_t replayFrames = 0;  // the play frames of all the replays together
  long long frames = 0;
  long long rounds = 0;  // rounds played to their end
  // Rounds begun under a screen effect that the round before left running.
  long long heldOverRounds = 0;
  double seconds = 0;                // of the frames after the replay was chosen
  double framesPerSecond = 0;        // of those frames
  std::vector<MemorySample> memory;  // as each lap began, from the baseline
  std::size_t residentAtEnd = 0;
  std::vector<std::string> reportLines;  // written after the title was up
  std::vector<std::string> boxes;        // message boxes shown (UTF-8)
  std::string failure;                   // why the run stopped early
};

// Plays `settings.frames` frames (fewer when a round drifts or the player
// stops; `failure` then says which and where).
SoakRun RunReplaySoak(const std::filesystem::path& folder, const SoakSettings& settings);

}  // namespace soak
