#include "stage/motion/chara_search.h"

#include <cmath>

#include "definitions/compare_ops.h"
#include "stage/chara/chara.h"
#include "stage/core/data_index.h"

namespace {

bool Passes(const cChara& chara, const CharaFilter& filter) {
  if (chara.dead) return false;
  if (filter.useCid && chara.def.m_nCharaId != filter.cid) return false;
  if (chara.number == filter.excludeNumber) return false;
  if (filter.excludeInvincibleHit && chara.def.m_nInvincible == 1) return false;
  if (filter.excludeInvinciblePass && chara.def.m_nInvincible == 2) return false;
  if (filter.excludeBlockCharas && chara.def.m_bBlockChara) return false;
  if (chara.side == filter.excludeSide1 || chara.side == filter.excludeSide2) return false;
  if (filter.useVar) {
    if (!DataIndexOk(filter.varIndex, chara.vars.size(), 4)) return false;
    if (!CompareByOp(filter.compare, chara.vars[static_cast<std::size_t>(filter.varIndex)], filter.value)) return false;
  }
  return true;
}

cChara* Nearest(double x, double y, const std::vector<cChara*>& list, const CharaFilter& filter, int onScreen) {
  cChara* best = nullptr;
  double bestDistance = 2147483647.0;
  for (cChara* chara : list) {
    if (chara == nullptr || !chara->present || !Passes(*chara, filter)) continue;
    if (onScreen >= 0 && (chara->onScreen != 0) != (onScreen != 0)) continue;
    double cx = 0, cy = 0;
    GetCenter(*chara, cx, cy);
    const double distance = std::fabs(cx - x) + std::fabs(cy - y);
    if (distance < bestDistance) {
      best = chara;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

bool PassesCharaFilter(const cChara& chara, const CharaFilter& filter) { return Passes(chara, filter); }

void GetCenter(const cChara& chara, double& x, double& y) {
  x = chara.screenLeft + (chara.drawWidth >> 1);
  y = chara.screenTop + (chara.drawHeight >> 1);
}

cChara* FindCharaInList(const std::vector<cChara*>& list, const CharaFilter& filter) {
  for (cChara* chara : list)
    if (chara != nullptr && Passes(*chara, filter)) return chara;
  return nullptr;
}

cChara* FindNearestChara(double x, double y, const std::vector<cChara*>& list, int mode, const CharaFilter& filter) {
  switch (mode) {
    case kNearestOnScreenFirst: {
      if (cChara* found = Nearest(x, y, list, filter, 1)) return found;
      return Nearest(x, y, list, filter, 0);
    }
    case kNearestAll: return Nearest(x, y, list, filter, -1);
    case kNearestOnScreenOnly: return Nearest(x, y, list, filter, 1);
    default: return nullptr;
  }
}
