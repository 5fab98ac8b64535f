#pragma once
// The pixel half of a shot or sword: a shot draws its 16 x 16 cell of the
// shot sheet of its facing (column = graphic mod 30, row = 2 x (graphic div
// 30)); a sword draws its current frame from the sword
// surface of its type and facing. Both are stretched by their size factor.

struct DDSURFACEDATA;
struct ScreenOrigin;
class cStageShot;

// The advance half: the shot's place on the screen after the frame's moves
// (the view worked out once for all the shots).
void AdvanceShotDrawing(cStageShot& shot, const ScreenOrigin& view);
void DrawShotPixels(const cStageShot& shot, DDSURFACEDATA* surface);
