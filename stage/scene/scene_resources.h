#pragma once
// The stage scene's graphics and the window's close: the surfaces of the
// stage, made when the scene starts and released when it ends, and the
// closing request that failures and the single-stage title choice send.
// Without a graphics device (tests of play alone) the surface steps succeed
// without making anything.

class cStageScene;

bool LoadStageSurfaces(cStageScene& scene, bool fromStage);
void FinaliseStageResources(cStageScene& scene);
void ReleaseStageSurfaces(cStageScene& scene);
// No picture or message shown and no wait left over: every attempt starts
// alike.
void ClearStageShows(cStageScene& scene);
void ClearBackBuffer();
// WM_CLOSE to the main window: the program's close path runs.
void PostCloseRequest();
