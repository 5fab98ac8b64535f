#include "commands/world/vanish.h"

#include <unordered_set>
#include <vector>

#include "commands/dispatch/command_params.h"
#include "commands/world/removal.h"
#include "definitions/command_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"

namespace {

bool Reached(const cChara& chara, bool onScreenOnly) {
  return !chara.dead && !chara.removed && (!onScreenOnly || chara.onScreen);
}

// The characters summoned by `root`, by their parent links, breadth first,
// down to kMaxVanishDepth levels; each once.
std::vector<cChara*> Descendants(const cChara& root) {
  std::vector<cChara*> found;
  std::unordered_set<const cChara*> seen{&root};
  std::vector<const cChara*> level{&root};
  for (int depth = 0; depth < kMaxVanishDepth && !level.empty(); ++depth) {
    std::vector<const cChara*> next;
    for (const cChara* parent : level) {
      for (const CharaLink& link : parent->backRefs) {
        if (link.slot != kParentSlot || link.holder == nullptr || !seen.insert(link.holder).second) continue;
        found.push_back(link.holder);
        next.push_back(link.holder);
      }
    }
    level = std::move(next);
  }
  return found;
}

void VanishCharaId(const cChara& executing, int id, bool onScreenOnly) {
  std::vector<cChara*> picked;
  auto consider = [&](cChara& chara) {
    if (Reached(chara, onScreenOnly) && chara.def.m_nCharaId == static_cast<std::uint8_t>(id)) picked.push_back(&chara);
  };
  for (const auto& hero : g_Heroes) consider(*hero);
  g_CharaList.ForEach(consider);
  for (cChara* chara : picked) RemoveByCommand(*chara, executing);
}

}  // namespace

void Vanish(cChara& chara, const cEdCmd& command) {
  const int scope = CmdParam(command, 0);
  const bool onScreenOnly = CmdParam(command, 2) == 0;
  switch (scope) {
    case kVanishCharaId: VanishCharaId(chara, CmdParam(command, 1), onScreenOnly); return;
    case kVanishDescendants:
    case kVanishShotsThenDescendants:
    case kVanishDescendantsWithShots:
      for (cChara* child : Descendants(chara))
        if (Reached(*child, onScreenOnly)) RemoveByCommand(*child, chara);
      return;
    default: return;  // shots: none are in flight on this stage runtime yet
  }
}
