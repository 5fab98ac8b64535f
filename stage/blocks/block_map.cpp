#include "stage/blocks/block_map.h"

#include "stage/scene/stage_hooks.h"

cBlockMap g_BlockMap;

namespace {
const BlockCell kEmptyCell{};
}

void cBlockMap::Reset(int rows, int rowShift) {
  m_nRows = rows < 0 ? 0 : rows;
  m_nRowShift = rowShift;
  m_vCells.assign(static_cast<std::size_t>(m_nRows) << rowShift, BlockCell{});
  m_HasBlock.assign((m_vCells.size() + 63) / 64, 0);
  m_NearBlock.assign(m_HasBlock.size(), 0);
  m_Copies.clear();
}

const BlockCell& cBlockMap::EmptyCell() { return kEmptyCell; }

void cBlockMap::MarkBlock(std::size_t index, bool has) {
  const std::uint64_t bit = std::uint64_t{1} << (index & 63);
  if (has) m_HasBlock[index >> 6] |= bit;
  else m_HasBlock[index >> 6] &= ~bit;
  // The cells whose 2 x 2 square holds this one: itself, left, up, up-left.
  const int column = static_cast<int>(index & ((std::size_t{1} << m_nRowShift) - 1));
  const int row = static_cast<int>(index >> m_nRowShift);
  for (int r = row - 1; r <= row; ++r)
    for (int c = column - 1; c <= column; ++c)
      if (r >= 0 && c >= 0) UpdateNearBlock(c, r);
}

void cBlockMap::UpdateNearBlock(int column, int row) {
  const bool near = HasBlock(IndexOfCell(column, row)) || HasBlock(IndexOfCell(column + 1, row)) ||
                    HasBlock(IndexOfCell(column, row + 1)) || HasBlock(IndexOfCell(column + 1, row + 1));
  const std::size_t index = IndexOfCell(column, row);
  const std::uint64_t bit = std::uint64_t{1} << (index & 63);
  if (near) m_NearBlock[index >> 6] |= bit;
  else m_NearBlock[index >> 6] &= ~bit;
}

void cBlockMap::Place(int column, int row, const cEdBlock& block, int blockNo) {
  const std::size_t index = IndexOfCell(column, row);
  if (index >= m_vCells.size()) return;
  BlockCell& cell = m_vCells[static_cast<long long>(index)];
  cell.block = &block;
  cell.blockNo = blockNo;
  cell.kind = block.m_nCollision;
  cell.passSide = block.m_nPassSide;
  MarkBlock(index, true);
}

void cBlockMap::PlaceCopy(std::size_t index, const cEdBlock& block) {
  if (index >= m_vCells.size()) return;
  m_Copies.push_back(block);
  BlockCell& cell = m_vCells[static_cast<long long>(index)];
  cell.block = &m_Copies.back();
  cell.kind = block.m_nCollision;
  cell.passSide = block.m_nPassSide;
  cell.changed = 1;
  MarkBlock(index, true);
}

void cBlockMap::Clear(std::size_t index) {
  if (index >= m_vCells.size()) return;
  BlockCell& cell = m_vCells[static_cast<long long>(index)];
  cell = BlockCell{};
  cell.changed = 1;
  MarkBlock(index, false);
}

int IsBlockSolidFor(const BlockCell& cell, int side) {
  if (cell.block == nullptr) return 0;
  if (!cell.block->m_vConds.empty() && !TestConditionList(cell.block->m_vConds, cell.block->m_nCondMode))
    return 0;
  if (side == cell.passSide) return 0;
  return static_cast<std::int8_t>(cell.kind);
}
