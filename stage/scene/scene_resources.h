#pragma once
// The stage scene's graphics and the window's close: the surfaces of the
// stage, made when the scene starts and released when it ends, and the
// closing requests of failures and of the single-stage title choice.
// Without a graphics device (tests of play alone) the surface steps succeed
// without making anything.

class cStageScene;

bool LoadStageSurfaces(cStageScene& scene, bool fromStage);
void FinaliseStageResources(cStageScene& scene);
void ReleaseStageSurfaces(cStageScene& scene);
// No picture or message shown and no wait left over: every attempt starts
// alike.
void ClearStageShows(cStageScene& scene);
// WM_CLOSE to the main window: the program's close path runs.
void PostCloseRequest();
// The same after a failure: one that recurs on every frame is asked about
// once.
void PostFailureClose();
