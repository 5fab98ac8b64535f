#pragma once
// Registering a stage end's new records: the name (the player's fixed name,
// or one typed into the name entry), the registration sound, each new
// result inserted into its genre's table, the ranking file written, and the
// ranking window shown on its own thread while the game thread waits for
// it. A stage end registers once.

#include "input/input_record.h"

class cStageScene;

void RegisterNewRecords(cStageScene& scene);

// The ranking window: the genre it shows, starting at the first genre the
// play mode ranks.
struct RankingWindow {
  int genre = 0;
};
RankingWindow OpenRankingWindow();
// One frame of the window over the stage on the input record: decide ends
// it (false; sound 1), button 3 shows the next ranked genre (sound 6) when
// the mode ranks two or more; otherwise the stage and the window are drawn.
bool RankingWindowFrame(cStageScene& scene, RankingWindow& window, cInput& input);
