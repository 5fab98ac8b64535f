#pragma once
// The blocks of one draw layer in the 21 x 16 cells under the view, drawn
// in one blit batch, each at its cell's place shifted by the scroll's
// sub-cell offset; and one block's cell with its overlay mark.

class cEdBlock;
class cBlockMap;
struct DDSURFACEDATA;
struct ScrollAxis;

// The mark sheet whose cells overlay blocks (bitmap 44; 43 where DirectDraw
// stretches in video memory).
void DrawBlockCell(const cEdBlock& block, DDSURFACEDATA* surface, int x, int y, DDSURFACEDATA* markSheet);
void DrawBlocks(const cBlockMap& map, int layer, const ScrollAxis& x, const ScrollAxis& y, DDSURFACEDATA* markSheet);
