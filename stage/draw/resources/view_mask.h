#pragma once
// The hero's view-range mask: a surface of palette colour 16 twice the
// screen plus the view range on each side, with a transparent hole of the
// view range (a square, or a circle for shapes 1 and 2) at its centre. The
// hero's drawing lays it over the stage so that only the hole shows.

class cChara;
struct DDSURFACEDATA;

// The view range is at most 40 half blocks (640 dots): the range that code,
// status operations and the editor give it.
inline constexpr int kMaxViewRangeDots = 640;

extern DDSURFACEDATA g_ViewMask;
extern DDSURFACEDATA g_ViewOpening;

// Rebuilds both surfaces for a view range in dots; false after the
// out-of-memory close when the mask cannot be made.
bool CreateViewRangeMask(DDSURFACEDATA* mask, DDSURFACEDATA* opening, int rangeDots, int shape);
void ReleaseViewRangeMask();
// After a character's view range changed: the mask is made again when it
// is the player hero's and there is a screen.
void RefreshViewMask(const cChara& chara);
