#include "commands/targets/select_target.h"

#include "commands/dispatch/command_params.h"
#include "definitions/command_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/data_index.h"
#include "stage/scene/stage_scene.h"

namespace {

enum TargetParam : int {
  kParamSlot = 0,
  kParamRule = 1,
  kParamSide = 2,
  kParamAllSides = 3,
  kParamRange = 4,
  kParamMiss = 15,
};

const std::vector<cChara*>* GroupList(int side) {
  cStageScene* scene = StageScene();
  if (scene == nullptr || !DataIndexOk(side, scene->m_GroupLists.size(), 4)) return nullptr;
  return &scene->m_GroupLists[static_cast<std::size_t>(side)];
}

// Rule 2: the nearest to the character's centre; with all sides, the
// nearest of each side's nearest, so a tie goes to the lower side.
cChara* Nearest(const cChara& self, const cEdCmd& command, const CharaFilter& filter) {
  double x = 0, y = 0;
  GetCenter(self, x, y);
  const int range = CmdParam(command, kParamRange);
  if (CmdParam(command, kParamAllSides) == 0) {
    const std::vector<cChara*>* list = GroupList(CmdParam(command, kParamSide));
    return list != nullptr ? FindNearestChara(x, y, *list, range, filter) : nullptr;
  }
  std::vector<cChara*> candidates;
  for (int side = 0; side < kSides; ++side) {
    const std::vector<cChara*>* list = GroupList(side);
    if (list == nullptr || list->empty()) continue;
    if (cChara* found = FindNearestChara(x, y, *list, range, filter)) candidates.push_back(found);
  }
  return candidates.empty() ? nullptr : FindNearestChara(x, y, candidates, range, filter);
}

// Rule 3: the first that passes, in list order, side by side.
cChara* FirstInList(const cEdCmd& command, const CharaFilter& filter) {
  if (CmdParam(command, kParamAllSides) == 0) {
    const std::vector<cChara*>* list = GroupList(CmdParam(command, kParamSide));
    return list != nullptr ? FindCharaInList(*list, filter) : nullptr;
  }
  for (int side = 0; side < kSides; ++side) {
    const std::vector<cChara*>* list = GroupList(side);
    if (list == nullptr || list->empty()) continue;
    if (cChara* found = FindCharaInList(*list, filter)) return found;
  }
  return nullptr;
}

cChara* LastChild(const cChara& self) {
  for (auto it = self.backRefs.rbegin(); it != self.backRefs.rend(); ++it)
    if (it->slot == kParentSlot && it->holder != nullptr) return it->holder;
  return nullptr;
}

}  // namespace

CharaFilter TargetFilter(const cChara& self, const cEdCmd& command) {
  CharaFilter filter;
  if (CmdParam(command, 5) != 0) filter.excludeNumber = self.number;
  filter.excludeInvincibleHit = CmdParam(command, 6) != 0;
  filter.excludeInvinciblePass = CmdParam(command, 7) != 0;
  filter.excludeBlockCharas = CmdParam(command, 8) != 0;
  filter.useCid = CmdParam(command, 9) != 0;
  filter.cid = static_cast<std::uint8_t>(CmdParam(command, 10));
  filter.useVar = CmdParam(command, 11) != 0;
  filter.varIndex = static_cast<std::int16_t>(CmdParam(command, 12));
  filter.value = CmdParam(command, 13);
  filter.compare = CmdParam(command, 14);
  return filter;
}

cChara* FindChildChara(const std::vector<CharaLink>& backRefs, int side, bool allSides, const CharaFilter& filter) {
  for (auto it = backRefs.rbegin(); it != backRefs.rend(); ++it) {
    const cChara* holder = it->holder;
    if (it->slot != kParentSlot || holder == nullptr) continue;
    if (!allSides && holder->side != side) continue;
    if (PassesCharaFilter(*holder, filter)) return it->holder;
  }
  return nullptr;
}

cChara* PickTarget(cChara& self, const cEdCmd& command) {
  const int rule = CmdParam(command, kParamRule);
  switch (rule) {
    case kTargetHero: return g_Heroes.empty() ? nullptr : g_Heroes[0].get();
    case kTargetSelf: return &self;
    case kTargetNearest: return Nearest(self, command, TargetFilter(self, command));
    case kTargetFirstInList: return FirstInList(command, TargetFilter(self, command));
    case kTargetParent: return self.parent;
    case kTargetLastChild: return LastChild(self);
    case kTargetFilteredChild:
      return FindChildChara(self.backRefs, CmdParam(command, kParamSide), CmdParam(command, kParamAllSides) != 0,
                            TargetFilter(self, command));
    default:
      if (rule >= kTargetSlot1 && rule <= kTargetSlot4) return self.targets[static_cast<std::size_t>(rule - kTargetSlot1)];
      return nullptr;
  }
}

void SelectTarget(cChara& self, const cEdCmd& command) {
  const int slot = CmdParam(command, kParamSlot);
  if (!DataIndexOk(slot, kTargetSlots, 4)) return;
  cChara* found = PickTarget(self, command);
  const int miss = CmdParam(command, kParamMiss);
  if (miss == kMissEmptiesSlot) SetTarget(self, slot, found, 1);
  else if (miss == kMissKeepsSlot) SetTarget(self, slot, found, 0);
}
