#pragma once
// The name a replay is proposed under: the stage's name with its stage code,
// the local date and time, and the replay extension, in user_data\rpl4\, e.g.
//   user_data\rpl4\forest_c007_2__2026__12_07__08_15.rpl4_878
// A name already taken gets " (2)" .. " (999)" before its extension; past 999
// the last one is proposed, and whoever saves asks before overwriting it.

#include <string>
#include <string_view>

#include "platform/clock.h"

// 1 and `out` := the proposed path (relative to the game folder, as every
// file the player writes), from the stage file's name and the current save
// data's stage code at the local time `now`; 0 and `out` empty when there is
// no stage file.
int MakeReplayFileName(std::string& out, std::string_view stageFile, const platform::LocalDateTime& now);

// The replay extension, "rpl4_878": "rpl4_" and the program's data version.
std::string ReplayFileExtension();
