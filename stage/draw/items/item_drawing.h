#pragma once
// Drawing items. An item on the stage is its graphic cell at its screen
// place, stretched by its size factor, with the overlay mark on top when the
// item asks for one. A character that carries a drop item shows the item's
// icon above itself for half a second out of every one and a half, when the
// project shows drop items: the advance half counts the frames, the pixel
// half draws the icon while the count is in its window.

class cStageItem;
class cStageChara;
struct DDSURFACEDATA;

// The advance half: the screen place of the item.
void AdvanceItemDrawing(cStageItem& item);
// The pixel half; the overlay marks come from `markSheet` (none: no mark).
void DrawItemPixels(const cStageItem& item, DDSURFACEDATA* surface, DDSURFACEDATA* markSheet);

// The drop-item icon's frame counter; 1 while the icon shows.
void AdvanceDropIcon(cStageChara& chara);
void DrawDropIcon(const cStageChara& chara, DDSURFACEDATA* surface);
