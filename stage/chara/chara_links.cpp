// Target slots, the parent link and the back-references that keep both
// honest: a character that dies or is removed empties every slot that names
// it, so no slot ever points at a freed character.
#include <algorithm>

#include "stage/chara/chara.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/shots/stage_shot.h"

namespace {

void AddBackRef(cChara& target, cChara* holder, int slot) {
  const CharaLink link{holder, slot};
  if (std::find(target.backRefs.begin(), target.backRefs.end(), link) == target.backRefs.end())
    target.backRefs.push_back(link);
}

void DropBackRefs(cChara& target, cChara* holder, int slot) {
  std::erase(target.backRefs, CharaLink{holder, slot});
}

}  // namespace

void SetTarget(cChara& holder, int slot, cChara* target, int clearOnNull) {
  if (slot < 0 || slot >= kTargetSlots) return;
  if (!clearOnNull && target == nullptr) return;
  if (cChara* old = holder.targets[static_cast<std::size_t>(slot)]) {
    DropBackRefs(*old, &holder, slot);
    holder.targets[static_cast<std::size_t>(slot)] = nullptr;
  }
  if (target == nullptr) return;
  holder.targets[static_cast<std::size_t>(slot)] = target;
  AddBackRef(*target, &holder, slot);
}

void cChara::SetParent(cChara* newParent) {
  if (cHero* hero = PlayerHero()) {
    targets[0] = hero;
    AddBackRef(*hero, this, 0);
  }
  parent = newParent;
  if (parent != nullptr) AddBackRef(*parent, this, kParentSlot);
}

void cChara::ReleaseCharaLinks() {
  for (const CharaLink& link : backRefs) {
    if (link.holder == nullptr) continue;
    if (link.slot == kParentSlot) link.holder->parent = nullptr;
    else if (link.slot >= 0 && link.slot < kTargetSlots) link.holder->targets[static_cast<std::size_t>(link.slot)] = nullptr;
  }
  backRefs.clear();
  for (int slot = 0; slot < kTargetSlots; ++slot) {
    cChara*& target = targets[static_cast<std::size_t>(slot)];
    if (target != nullptr) DropBackRefs(*target, this, slot);
    target = nullptr;
  }
  if (parent != nullptr) {
    DropBackRefs(*parent, this, kParentSlot);
    parent = nullptr;
  }
  for (const ShotLink& link : shotRefs) link.shot->DropLink(*this, link.role);
  shotRefs.clear();
}

bool cChara::IsInvincibleTo(std::uint32_t attackerSerial) const {
  if (invincibleTime > 0) return true;
  return std::any_of(attackerGuards.begin(), attackerGuards.end(),
                     [&](const AttackerGuard& guard) { return guard.attackerSerial == attackerSerial; });
}

cChara* FindCharaById(int number) {
  for (const auto& hero : g_Heroes)
    if (hero->number == number) return hero.get();
  return g_CharaList.Find([&](const cStageChara& chara) { return chara.number == number; });
}
