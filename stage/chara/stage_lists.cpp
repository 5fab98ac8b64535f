#include "stage/chara/stage_lists.h"

#include "foundation/log.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/items/stage_item.h"

cObjectList<cStageChara> g_CharaList;
cObjectList<cStageItem> g_ItemList;
std::vector<std::unique_ptr<cHero>> g_Heroes;

cHero* VecAtHero(long long n) {
  if (g_Heroes.empty()) return nullptr;
  if (n < 0 || static_cast<std::size_t>(n) >= g_Heroes.size()) {
    Report("err V[%lld] ( %zu , 4 )", n, g_Heroes.size());
    n = 0;
  }
  return g_Heroes[static_cast<std::size_t>(n)].get();
}

cHero* PlayerHero() { return g_Heroes.empty() ? nullptr : g_Heroes.front().get(); }
