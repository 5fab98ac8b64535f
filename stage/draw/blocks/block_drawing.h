#pragma once
// The blocks of one draw layer in the 21 x 16 cells under the view, drawn
// in one blit batch, each at its cell's place shifted by the scroll's
// sub-cell offset; and one block's cell with its overlay mark.
//
// A block with a condition list shows only while the list holds for the
// player hero. Testing a list may change what its conditions remember, so
// the lists are tested in the advance half, layer 0's cells and then layer
// 1's, row by row, as the drawing visits them; the pixel half reads the
// results.

#include <array>
#include <cstdint>

class cEdBlock;
class cBlockMap;
struct DDSURFACEDATA;
struct ScrollAxis;

// The mark sheet whose cells overlay blocks (bitmap 44; 43 where DirectDraw
// stretches in video memory).
void DrawBlockCell(const cEdBlock& block, DDSURFACEDATA* surface, int x, int y, DDSURFACEDATA* markSheet);
inline constexpr int kBlockWindowColumns = 21;
inline constexpr int kBlockWindowRows = 16;

// Per draw layer and window cell: 1 when its block's conditions failed.
struct BlockWindowHidden {
  std::array<std::array<std::uint8_t, kBlockWindowRows * kBlockWindowColumns>, 2> cells{};
};

void AdvanceBlockConditions(const cBlockMap& map, const ScrollAxis& x, const ScrollAxis& y, BlockWindowHidden& hidden);
// Without `hidden` every block of the layer shows.
void DrawBlocks(const cBlockMap& map, int layer, const ScrollAxis& x, const ScrollAxis& y, DDSURFACEDATA* markSheet,
                const BlockWindowHidden* hidden = nullptr);
