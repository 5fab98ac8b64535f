#pragma once
// The stage that follows in a run. A run is a series of numbered files,
// "c01-1.stg4", "c01-2.stg4", ...: the save data records the run by its
// stem ("c01." for the first file), and stage n of the run is the newest
// numbered copy of "c01-n.stg4". A stage may instead name its own next file.

#include <string>

class cStageScene;

// The newest numbered file of the next stage `number`: 1 with the name;
// 0 with an empty name when the run has no next stage (the play is not a
// run, the number is 0, the stem is empty or no such file exists).
int MakeNextStageFileName(const cStageScene& scene, std::string& name, int number);
// 1 when stage `number` does not follow in the run.
int IsLastStage(const cStageScene& scene, int number);
