#include "stage/draw/blocks/block_drawing.h"

#include "definitions/palette/block_definition.h"
#include "graphics/blits/batch.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "stage/blocks/block_map.h"
#include "stage/core/double_to_int.h"
#include "stage/draw/chara/graphic_source.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scroll/scroll_axis.h"

namespace {

constexpr int kCell = 32;

// Calls f(block, column, row, window index) for each block of the layer
// that the window shows, row by row.
template <typename F>
void ForEachWindowBlock(const cBlockMap& map, int layer, const ScrollAxis& x, const ScrollAxis& y, F&& f) {
  const int firstColumn = TruncToInt(x.position) >> 5;
  const int firstRow = TruncToInt(y.position) >> 5;
  for (int r = 0; r < kBlockWindowRows; ++r) {
    for (int c = 0; c < kBlockWindowColumns; ++c) {
      const std::size_t index = map.IndexOfCell(firstColumn + c, firstRow + r);
      if (index >= map.Size()) continue;
      const cEdBlock* block = map.Cell(index).block;
      if (block == nullptr || block->m_nGraphicNo == 0 || block->m_nLayer != layer || block->m_bHidden) continue;
      f(*block, c, r, static_cast<std::size_t>(r * kBlockWindowColumns + c));
    }
  }
}

}  // namespace

void DrawBlockCell(const cEdBlock& block, DDSURFACEDATA* surface, int x, int y, DDSURFACEDATA* markSheet) {
  const GraphicSource source = GetGraphicSource(block.m_nGraphicKind, block.m_nGraphicNo, 0);
  if (source.surface != nullptr) DDBlt(surface, x, y, kCell, kCell, source.surface, source.x, source.y, 1);
  if (block.m_nOverlay == 1 && markSheet != nullptr) {
    const int mark = block.m_nOverlayNo;
    DDBlt(surface, x, y, kCell, kCell, markSheet, mark / 15 * kCell, mark % 15 * kCell, 1);
  }
}

void AdvanceBlockConditions(const cBlockMap& map, const ScrollAxis& x, const ScrollAxis& y, BlockWindowHidden& hidden) {
  for (int layer = 0; layer < 2; ++layer) {
    auto& cells = hidden.cells[static_cast<std::size_t>(layer)];
    cells.fill(0);
    ForEachWindowBlock(map, layer, x, y, [&cells](const cEdBlock& block, int, int, std::size_t slot) {
      if (!block.m_vConds.empty() && !TestConditionList(block.m_vConds, block.m_nCondMode)) cells[slot] = 1;
    });
  }
}

void DrawBlocks(const cBlockMap& map, int layer, const ScrollAxis& x, const ScrollAxis& y, DDSURFACEDATA* markSheet,
                const BlockWindowHidden* hidden) {
  const int scrollX = TruncToInt(x.position);
  const int scrollY = TruncToInt(y.position);
  const bool known = hidden != nullptr && (layer == 0 || layer == 1);
  DDBeginBatch(0);
  ForEachWindowBlock(map, layer, x, y, [&](const cEdBlock& block, int c, int r, std::size_t slot) {
    if (known && hidden->cells[static_cast<std::size_t>(layer)][slot]) return;
    DrawBlockCell(block, &BackBuffer, kCell * c - (scrollX & 31), kCell * r - (scrollY & 31), markSheet);
  });
  DDEndBatch();
}
