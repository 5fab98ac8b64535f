#pragma once
// The pixel half of the character effects: the character's cell drawn
// through the graphics operation of the effect's kind, with the slot's
// value (times the size factor for scaled characters) as its strength.

#include "stage/draw/chara/graphic_source.h"

class cChara;
class cStageObj;
struct DDSURFACEDATA;
struct cCharaEffectSlot;

// (x, y, w, h): where the cell is drawn; (cellW, cellH) its size on the sheet.
struct CellPlacement {
  int x = 0, y = 0, w = 32, h = 32;
  int cellW = 32, cellH = 32;
  int scale = 1;
};

// Where an object's cell is drawn: at its screen position, its base cell
// size scaled by its size factor (at least 1).
CellPlacement PlacementOf(const cStageObj& object);

// The plain drawing: 1:1, or stretched when the placement is larger.
void DrawCellPlain(DDSURFACEDATA* surface, const GraphicSource& source, const CellPlacement& at);
// The drawing of `slot`'s kind; the plain drawing for kind 0.
void DrawCellWithEffect(DDSURFACEDATA* surface, const GraphicSource& source, const CellPlacement& at,
                        const cCharaEffectSlot& slot);
