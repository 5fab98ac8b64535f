#pragma once
// Fresh progress for the play that is about to start: a new story game from
// the title, or one stage file played on its own (free play from the title's
// file dialog, or the stage named on the command line).

#include <string>

// A new story game in g_SaveData: the save data's reset, the walker on the
// world map's start cell, nothing entered yet, and the story's lives.
void ResetStoryProgress();

// Loads the stage file and, when it loads, gives g_SaveData fresh progress
// for playing it alone (free play's lives; unlimited for a stage started
// from the command line) and makes it the current stage: 1. A file that does
// not load changes nothing but the reset progress: 0 (the loader has shown
// why).
int PlayStageFile(const std::string& path);

// Loads the highest numbered file of the stage into the stage record (on
// the loader thread); 0 when there is none or it does not load.
int LoadNumberedStage(const std::string& stage);

// The lives a mode starts with: the system record's entry for the mode, or
// unlimited when the mode's unlimited flag is set.
void SetStartingLives(int playMode, bool unlimited);
