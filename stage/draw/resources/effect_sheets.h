#pragma once
// The sheets the stage's drawing picks by drawing mode: the mark sheet (the
// marks over characters and the overlay cells of blocks and items), the two
// work surfaces of the effect drawers, and the shot sheets; and the padded
// shot sheets, whose 16 x 16 cells each sit in the middle of a 32 x 32 cell.

struct DDSURFACEDATA;

struct EffectSheets {
  int markSheet = 44;
  int workA = 68;
  int workB = 70;
};
// DirectDraw with video-memory stretching: 43, 67, 68; DirectDraw without:
// 44, 68, 68; Direct3D: 44, 68, 70.
EffectSheets SelectEffectSurfaces();
DDSURFACEDATA* MarkSheet();

// The shot sheet to draw from for bitmap `index` (20 + facing): in
// DirectDraw mode its alternative index + 18 when the asked one is not
// loaded (preferAlternative 0) or when the alternative is (1).
int PickShotSheet(int index, int preferAlternative);

// Bitmaps 63 and 64 from the shot sheets 20 and 21.
void BuildPaddedCellSheets();
