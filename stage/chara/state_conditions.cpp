#include "stage/chara/state_conditions.h"

#include "definitions/compare_ops.h"
#include "definitions/condition_records.h"
#include "definitions/stage/stage_record.h"
#include "stage/chara/chara.h"
#include "stage/core/data_index.h"

namespace {

// The object a condition names: the subject or one of its target slots
// (null when the slot is empty or the number is bad).
cChara* NamedChara(cChara& subject, int object) {
  if (object == kObjectSelf) return &subject;
  if (object >= kObjectTarget1 && object <= kObjectTarget4) return subject.targets[static_cast<std::size_t>(object - 1)];
  DataIndexOk(object, kObjectSystem + 1, 1);
  return nullptr;
}

bool SystemSpecialStatus(int item, int& value) {
  if (!DataIndexOk(item, 2, 4)) return false;
  value = item == 0 ? g_PlayStage.AutoScrollSpeedX : g_PlayStage.AutoScrollSpeedY;
  return true;
}

bool CharaSpecialStatus(const cChara& chara, int item, int& value) {
  switch (item) {
    case kSpecialVanish: value = chara.vanish; return true;
    case kSpecialTransparent: value = chara.def.m_bTransparent; return true;
    case kSpecialFacingFixed: value = chara.def.m_bTurnByCmd; return true;
    case kSpecialFlight: value = chara.def.m_nFlight; return true;
    case kSpecialInvincible: value = chara.def.m_nInvincible; return true;
    case kSpecialSize: value = chara.sizeFactor; return true;
    case kSpecialScrollSync: value = chara.scrollSync; return true;
    default: DataIndexOk(item, kSpecialScrollSync + 1, 4); return false;
  }
}

// Riding a block character, or a walker that is neither falling nor in a
// jump: a standing walker touches its floor only every few sub-steps (it
// rests just above it), so the falling flag with its grace decides.
bool StandsOnBlock(const cChara& chara) {
  return chara.carried || (!chara.Floats() && !chara.falling && !chara.jumping && !chara.airborne);
}

bool Exists(const cChara* chara) { return chara != nullptr && !chara->removed && !chara->dead; }

}  // namespace

int TestSpecialStatusCondition(cChara& subject, const cCond& cond) {
  int value = 0;
  if (cond.m_nLeftObject == kObjectSystem) {
    if (!SystemSpecialStatus(cond.m_nLeftItem, value)) return 0;
  } else {
    const cChara* chara = NamedChara(subject, cond.m_nLeftObject);
    if (chara == nullptr || !CharaSpecialStatus(*chara, cond.m_nLeftItem, value)) return 0;
  }
  return CompareByOp(cond.m_nCompare, value, cond.m_nLeftIndex) ? 1 : 0;
}

int TestCharaStateCondition(cChara& subject, const cCond& cond) {
  const int item = cond.m_nLeftItem;
  if (!DataIndexOk(item, kStateExists + 1, 1)) return 0;
  const cChara* chara = NamedChara(subject, cond.m_nLeftObject);
  if (chara == nullptr && item != kStateExists) return 0;
  bool state = false;
  switch (item) {
    case kStateFacingLeft: state = chara->facing == 0; break;
    case kStateFacingRight: state = chara->facing != 0; break;
    case kStateOnBlock: state = StandsOnBlock(*chara); break;
    case kStateOnScreen: state = chara->IsOnScreen() != 0; break;
    default: state = Exists(chara); break;
  }
  // "である" holds when the state does, "でない" when it does not.
  return CompareByOp(cond.m_nCompare, state ? 1 : 0, 1) ? 1 : 0;
}
