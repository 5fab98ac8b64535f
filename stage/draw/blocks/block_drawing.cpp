#include "stage/draw/blocks/block_drawing.h"

#include "definitions/palette/block_definition.h"
#include "graphics/blits/batch.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "stage/blocks/block_map.h"
#include "stage/core/double_to_int.h"
#include "stage/draw/chara/graphic_source.h"
#include "stage/scroll/scroll_axis.h"

namespace {
constexpr int kCell = 32;
constexpr int kColumns = 21;
constexpr int kRows = 16;
}  // namespace

void DrawBlockCell(const cEdBlock& block, DDSURFACEDATA* surface, int x, int y, DDSURFACEDATA* markSheet) {
  const GraphicSource source = GetGraphicSource(block.m_nGraphicKind, block.m_nGraphicNo, 0);
  if (source.surface != nullptr) DDBlt(surface, x, y, kCell, kCell, source.surface, source.x, source.y, 1);
  if (block.m_nOverlay == 1 && markSheet != nullptr) {
    const int mark = block.m_nOverlayNo;
    DDBlt(surface, x, y, kCell, kCell, markSheet, mark / 15 * kCell, mark % 15 * kCell, 1);
  }
}

void DrawBlocks(const cBlockMap& map, int layer, const ScrollAxis& x, const ScrollAxis& y, DDSURFACEDATA* markSheet) {
  const int scrollX = TruncToInt(x.position);
  const int scrollY = TruncToInt(y.position);
  const int firstColumn = scrollX >> 5;
  const int firstRow = scrollY >> 5;
  DDBeginBatch(0);
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      const std::size_t index = map.IndexOfCell(firstColumn + c, firstRow + r);
      if (index >= map.Size()) continue;
      const cEdBlock* block = map.Cell(index).block;
      if (block == nullptr || block->m_nGraphicNo == 0 || block->m_nLayer != layer || block->m_bHidden) continue;
      DrawBlockCell(*block, &BackBuffer, kCell * c - (scrollX & 31), kCell * r - (scrollY & 31), markSheet);
    }
  }
  DDEndBatch();
}
