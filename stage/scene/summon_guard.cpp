#include "stage/scene/summon_guard.h"

#include "stage/blocks/block_map.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/double_to_int.h"

namespace {

struct CellSpot {
  int column = 0, row = 0;
};

bool Covers(const cStageObj& obj, CellSpot spot) {
  return spot.column >= (TruncToInt(obj.x) >> 5) && spot.column <= (TruncToInt(obj.right) >> 5) &&
         spot.row >= (TruncToInt(obj.y) >> 5) && spot.row <= (TruncToInt(obj.bottom) >> 5);
}

bool Stops(const BlockCell& cell, const cChara& chara) {
  return !chara.dead && !chara.PassesBlocks() && IsBlockSolidFor(cell, chara.side) != 0;
}

}  // namespace

bool BlockClosesOnGuarded(std::size_t index, const cEdBlock& block, BlockGuards guards) {
  const int shift = g_BlockMap.RowShift();
  const CellSpot spot{static_cast<int>(index & ((std::size_t{1} << shift) - 1)), static_cast<int>(index >> shift)};
  BlockCell candidate;
  candidate.block = &block;
  candidate.kind = block.m_nCollision;
  candidate.passSide = block.m_nPassSide;
  auto closesOn = [&](const cChara& chara) { return Stops(candidate, chara) && Covers(chara, spot); };
  if (guards.hero)
    for (const auto& hero : g_Heroes)
      if (closesOn(*hero)) return true;
  if (guards.charas) return !g_CharaList.All([&](const cStageChara& chara) { return !closesOn(chara); });
  return false;
}
