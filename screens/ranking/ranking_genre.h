#pragma once
// The genre that the ranking window of the world map and the challenge
// screen shows, kept in the save data: it moves only over the genres that
// the play mode ranks (the system record's ranking setting of the mode).

#include "definitions/save_data/save_data.h"

// Moves the save data's genre by `step` ranked genres (wrapping over 0..4);
// step 0 keeps a ranked genre and moves an unranked one on to the next
// ranked one. Unchanged when the mode ranks no genre.
void StepRankingGenre(cSaveData& data, int playMode, int step);
// The same walk from `genre`: the genre reached (unchanged when the mode
// ranks none).
int StepGenre(int genre, int playMode, int step);
