#pragma once
// The block map: one cell per 32 x 32-dot block of the stage and of the
// 10-cell margin around it, row after row, each row a power of two long so
// that a dot position finds its cell with two shifts. A cell points at the
// block definition it holds (a placed block of the playing stage, or a copy
// made when a command summons a block) and caches what collisions read.
//
// Reads are bounds-checked: a position outside the map reads as an empty
// cell, so a damaged stage can never make the game read beyond it.
//
// Beside the cells the map keeps one bit per cell, set while the cell holds
// a block. Most cells are empty, and the shot pass tests thousands of them a
// frame at scattered places: the bits (a few kilobytes) stay in the cache
// where the cells themselves (16 bytes each) would not, so an empty cell is
// known without reading it.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "definitions/palette/block_definition.h"
#include "foundation/checked_vector.h"

struct BlockCell {
  const cEdBlock* block = nullptr;  // null: no block
  std::int32_t blockNo = 0;         // 1-based index into the stage's placed blocks, 0 none
  std::uint8_t kind = kBlockPassable;
  std::uint8_t passSide = kNoPassSide;
  std::uint8_t changed = 0;   // set by a summon or removal at run time
  std::uint8_t occupied = 0;
};

class cBlockMap {
 public:
  // Every cell emptied; rows x 2^rowShift cells.
  void Reset(int rows, int rowShift);
  // Cell of stage cell (column, row) counted from the top-left of the margin.
  void Place(int column, int row, const cEdBlock& block, int blockNo);
  // Puts a copy of `block` in the cell (summons keep their own copies).
  void PlaceCopy(std::size_t index, const cEdBlock& block);
  void Clear(std::size_t index);

  int RowShift() const { return m_nRowShift; }
  std::size_t Size() const { return m_vCells.size(); }
  // Cell index of a whole-dot position (x, y); Size() when outside.
  // Inline: the shot and contact passes ask for cells thousands of times a frame.
  std::size_t IndexAt(int x, int y) const {
    if (x < 0 || y < 0) return m_vCells.size();
    return IndexOfCell(x >> 5, y >> 5);
  }
  std::size_t IndexOfCell(int column, int row) const {
    if (column < 0 || row < 0 || row >= m_nRows || column >= (1 << m_nRowShift)) return m_vCells.size();
    return (static_cast<std::size_t>(row) << m_nRowShift) + static_cast<std::size_t>(column);
  }
  // The cell at an index; the empty cell outside.
  const BlockCell& Cell(std::size_t index) const {
    return index < m_vCells.size() ? m_vCells[static_cast<long long>(index)] : EmptyCell();
  }
  const BlockCell& CellAt(int x, int y) const { return Cell(IndexAt(x, y)); }
  // Whether the cell at an index holds a block (false outside): when not,
  // Cell(index) is an empty cell.
  bool HasBlock(std::size_t index) const {
    return index < m_vCells.size() && ((m_HasBlock[index >> 6] >> (index & 63)) & 1) != 0;
  }
  // Whether any cell met by the whole-dot rectangle between (x0, y0) and
  // (x1, y1), corners in either order, holds a block; outside the map none.
  bool AnyBlockIn(int x0, int y0, int x1, int y1) const {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    if (x1 < 0 || y1 < 0) return false;
    const int firstColumn = std::max(x0, 0) >> 5;
    const int lastColumn = std::min(x1 >> 5, (1 << m_nRowShift) - 1);
    const int firstRow = std::max(y0, 0) >> 5;
    const int lastRow = std::min(y1 >> 5, m_nRows - 1);
    if (firstColumn > lastColumn || firstRow > lastRow) return false;
    // Within 2 x 2 cells (a shot's box, as a rule) one bit rules out all.
    if (lastColumn - firstColumn <= 1 && lastRow - firstRow <= 1 && !NearBlock(firstColumn, firstRow)) return false;
    for (int row = firstRow; row <= lastRow; ++row) {
      const std::size_t rowStart = static_cast<std::size_t>(row) << m_nRowShift;
      if (AnyBitIn(rowStart + static_cast<std::size_t>(firstColumn), rowStart + static_cast<std::size_t>(lastColumn)))
        return true;
    }
    return false;
  }

 private:
  static const BlockCell& EmptyCell();
  void MarkBlock(std::size_t index, bool has);
  // Whether one of the cells (c, r), (c + 1, r), (c, r + 1), (c + 1, r + 1)
  // holds a block; (c, r) in the map.
  bool NearBlock(int column, int row) const {
    const std::size_t index = (static_cast<std::size_t>(row) << m_nRowShift) + static_cast<std::size_t>(column);
    return ((m_NearBlock[index >> 6] >> (index & 63)) & 1) != 0;
  }
  void UpdateNearBlock(int column, int row);
  // Whether a bit from `first` to `last` (both in the map) is set.
  bool AnyBitIn(std::size_t first, std::size_t last) const {
    constexpr std::uint64_t kAll = ~std::uint64_t{0};
    std::size_t word = first >> 6;
    std::uint64_t mask = kAll << (first & 63);
    for (; word < last >> 6; ++word, mask = kAll)
      if (m_HasBlock[word] & mask) return true;
    return (m_HasBlock[word] & mask & (kAll >> (63 - (last & 63)))) != 0;
  }

  cVector<BlockCell> m_vCells;
  std::vector<std::uint64_t> m_HasBlock;  // bit i: m_vCells[i].block != null
  // Bit i: a block in the 2 x 2 cells from cell i rightwards and down, the
  // most that a box of at most 32 x 32 dots starting in cell i can meet.
  std::vector<std::uint64_t> m_NearBlock;
  std::deque<cEdBlock> m_Copies;  // stable addresses for summoned blocks
  int m_nRowShift = 0;
  int m_nRows = 0;
};

extern cBlockMap g_BlockMap;

// The kind a cell has for an object of `side`: 0 when its condition list
// does not hold now or the side passes it, else its collision kind.
int IsBlockSolidFor(const BlockCell& cell, int side);
