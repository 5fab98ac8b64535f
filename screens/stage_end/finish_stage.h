#pragma once
// What follows a finished stage, by the title command the play began with:
// the next stage of the run (the scene starts over on it), or the end of the
// run: back to the world map with the stage cleared (or the next round, or
// the title, as the map's stage entry says), the challenge list with the
// stage cleared and the challenge progress saved, the title after free
// play, or the replayed stage once more.
//
// A progress index outside its list (a clear switch past the switches, a
// challenge number past the challenge stages, a hero past the carried
// states) writes a report line and records nothing.

class cStageScene;

// The next game state (GS_STAGE when the scene starts over).
int FinishStageScreens(cStageScene& scene);
