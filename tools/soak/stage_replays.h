#pragma once
// The replays the soak plays: every story stage and every challenge stage
// of the sample game played once by its input script through the stage
// harness with replay recording on, as a free-play attempt from a fixed
// seed, from its intro on. Each attempt's replay is written with the replay
// file's own writer, and the state hash of every frame it holds is kept: a
// playback of the replay must reach the same hashes frame for frame.

#include <cstdint>
#include <string>
#include <vector>

namespace soak {

struct StageReplay {
  std::string stage;                  // "data\stg4\Stage1.stg4"
  std::vector<char> fileBytes;        // the replay file as written
  std::vector<std::uint64_t> hashes;  // one per frame of the replay
};

// Records the replays while the player runs on the game folder (the working
// folder), so that the stages play on the player's own loaded project.
// Empty, with the reason in `error`, when a stage or its script does not
// load or a replay cannot be written.
std::vector<StageReplay> RecordStageReplays(std::string* error);

}  // namespace soak
