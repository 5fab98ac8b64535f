#pragma once
// The ranking window's keys on the world map and the challenge screen:
// button 2 shows or hides the window, button 3 moves it to the next genre
// the play mode ranks; both only while the mode's ranking setting is on
// (off, the window stays hidden). The choice lives in the save data.

#include "input/input_record.h"

// Ranking setting `setting` of the system record is on.
bool RankingSettingOn(int setting);
// True when the window's content or visibility changed (redraw it).
bool HandleRankingKeys(const cInput& input, int setting);
