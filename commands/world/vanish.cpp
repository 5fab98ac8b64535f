#include "commands/world/vanish.h"

#include <unordered_set>
#include <vector>

#include "commands/dispatch/command_params.h"
#include "commands/world/removal.h"
#include "definitions/command_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/shots/shot_list.h"

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

// The shots of a side: that side's list is the shots' ID list.
void VanishShotsOfSide(int side, bool onScreenOnly) {
  if (side < 0 || side >= kShotSides) return;
  const std::vector<cStageShot*> shots = g_ShotSides[static_cast<std::size_t>(side)];
  for (cStageShot* shot : shots)
    if (!shot->removed && (!onScreenOnly || shot->onScreen)) RemoveShotWhenAllowed(*shot);
}

// The shots the character fired (its owner links).
void VanishChildShots(const cChara& chara, bool onScreenOnly) {
  std::vector<cStageShot*> shots;
  for (const ShotLink& link : chara.shotRefs)
    if (link.role == kShotRoleOwner && link.shot != nullptr) shots.push_back(link.shot);
  for (cStageShot* shot : shots)
    if (!shot->removed && (!onScreenOnly || shot->onScreen)) RemoveShotWhenAllowed(*shot);
}

void VanishDescendants(cChara& chara, bool onScreenOnly, bool withShots) {
  for (cChara* child : Descendants(chara)) {
    if (withShots) VanishChildShots(*child, onScreenOnly);
    if (Reached(*child, onScreenOnly)) RemoveByCommand(*child, chara);
  }
}

}  // namespace

void Vanish(cChara& chara, const cEdCmd& command) {
  const bool onScreenOnly = CmdParam(command, 2) == 0;
  switch (CmdParam(command, 0)) {
    case kVanishCharaId: VanishCharaId(chara, CmdParam(command, 1), onScreenOnly); return;
    case kVanishShotId: VanishShotsOfSide(CmdParam(command, 1), onScreenOnly); return;
    case kVanishDescendants: VanishDescendants(chara, onScreenOnly, false); return;
    case kVanishChildShots: VanishChildShots(chara, onScreenOnly); return;
    case kVanishShotsThenDescendants:
      VanishChildShots(chara, onScreenOnly);
      VanishDescendants(chara, onScreenOnly, true);
      return;
    case kVanishDescendantsWithShots: VanishDescendants(chara, onScreenOnly, true); return;
    default: return;
  }
}
