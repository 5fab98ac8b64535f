#include "definitions/command_upgrades.h"

#include <algorithm>
#include <array>

#include "definitions/command_record.h"
#include "foundation/wrapping_math.h"

namespace {

// Version 734 inserted "消滅" (character kind 24, item kind 9); the steps
// before it see the kinds numbered as files of their time stored them.
constexpr std::uint32_t kRenumberedBelow = 734;
constexpr int kFirstShiftedCharaKind = 24;
constexpr int kFirstShiftedItemKind = 9;
constexpr int kHighestGraphic = 119;

// The character kind of today's numbering that a command names, with the
// numbering of a step before or after the renumbering.
int TodayKind(const cEdCmd& command, bool renumbered) {
  int kind = command.m_nKind;
  if (command.m_nFamily == kFamilyChara) {
    if (!renumbered && kind >= kFirstShiftedCharaKind) ++kind;
    return kind;
  }
  if (command.m_nFamily == kFamilyItem) {
    if (!renumbered && kind >= kFirstShiftedItemKind) ++kind;
    return CharaKindOfItem(kind);
  }
  return -1;
}

// The parameter list under the rules of the upgrade steps: resizing keeps
// the values and fills with 0, inserting shifts the values up and drops the
// last, and steps that only read or change values touch only values present.
class Params {
 public:
  explicit Params(cVector<std::int32_t>& values) : values_(values) {}

  bool Has(std::size_t count) const { return values_.size() >= count; }
  std::int32_t& operator[](std::size_t index) { return values_[static_cast<long long>(index)]; }
  void Resize(std::size_t count) { values_.resize(count, 0); }
  void Clear() { values_.clear(); }
  void Insert(std::size_t index, std::int32_t value) {
    if (index >= values_.size()) return;
    values_.insert(values_.begin() + static_cast<std::ptrdiff_t>(index), value);
    values_.pop_back();
  }
  // Adds `amount` to value `index`; a stored value may be any word, and the
  // sum wraps in 32 bits as it did when the editor upgraded it.
  void Add(std::size_t index, std::int32_t amount) { (*this)[index] = WrapAdd((*this)[index], amount); }
  // Adds `amount` to value `index` when it is at least `threshold`.
  void RaiseFrom(std::size_t index, std::int32_t threshold, std::int32_t amount) {
    if (Has(index + 1) && (*this)[index] >= threshold) Add(index, amount);
  }

 private:
  cVector<std::int32_t>& values_;
};

// Character statuses inserted at `threshold` moved the later status numbers
// of "ステータスの操作" up: the left status (when the object is not the system)
// and a status on the right.
void ShiftStatusOpItems(Params& p, std::int32_t threshold) {
  if (p.Has(5) && p[0] == 0 && p[3] != 2 && p[4] >= threshold) p.Add(4, 1);
  if (p.Has(14) && p[6] == 2 && p[12] != 2 && p[13] >= threshold) p.Add(13, 1);
}

void UpgradeArrangeTarget(Params& p) {
  if (!p.Has(2) || p[0] != kCmdShot) return;
  for (std::int32_t threshold : {2, 3, 4, 14, 15, 16}) {
    if (p[1] >= threshold) p.Add(1, 1);
  }
  if (p[1] >= 17) p.Add(1, 1);
}

void Renumber(cEdCmd& command, Params& p) {
  if (command.m_nFamily == kFamilyChara && command.m_nKind >= kFirstShiftedCharaKind) ++command.m_nKind;
  if (command.m_nFamily == kFamilyItem && command.m_nKind >= kFirstShiftedItemKind) ++command.m_nKind;
  if (command.CharaKind() == kCmdArrange) p.RaiseFrom(0, kFirstShiftedCharaKind, 1);
}

// Targets 2 to 4 were inserted after target 1 in the object lists.
void InsertTargetSlots(cEdCmd& command, int kind, Params& p) {
  switch (kind) {
    case kCmdFacing: p.RaiseFrom(0, 4, 6); break;
    case kCmdWarp:
      if (command.m_Move && command.m_Move->m_nWarpMode >= 2) command.m_Move->m_nWarpMode += 3;
      break;
    case kCmdSetTarget:
      p.Resize(16);
      p.Insert(0, 0);
      break;
    case kCmdStatus:
      if (p.Has(4) && p[0] == 0 && p[3] >= 2) p.Add(3, 3);
      if (p.Has(13) && p[6] == 2 && p[12] >= 2) p.Add(12, 3);
      break;
    case kCmdStatus2: p.RaiseFrom(0, 2, 3); break;
    default: break;
  }
}

struct UpgradeStep {
  std::uint32_t below;
  void (*apply)(cEdCmd& command, int kind, Params& p);
};

constexpr std::array kSteps = {
    UpgradeStep{145, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdStageClear) p.Resize(9);
                }},
    UpgradeStep{166, [](cEdCmd&, int kind, Params& p) {
                  if (kind != kCmdBgm) return;
                  p.Resize(2);
                  p[1] = 1;
                }},
    UpgradeStep{168, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdStatus) ShiftStatusOpItems(p, 10);
                }},
    UpgradeStep{189, [](cEdCmd&, int kind, Params& p) {
                  if (kind != kCmdSetTarget) return;
                  p.Resize(16);
                  p.Insert(2, 0);
                }},
    UpgradeStep{194, [](cEdCmd&, int kind, Params& p) {
                  if (kind != kCmdPicture) return;
                  p.Resize(15);
                  p.Insert(6, 1);
                }},
    UpgradeStep{195, [](cEdCmd&, int kind, Params& p) {
                  if (kind != kCmdCharaEffect && kind != kCmdScrEffect) return;
                  p.Resize(3);
                  p.Insert(1, 0);
                }},
    UpgradeStep{203, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdSummonChara) p.Clear();
                  if (kind == kCmdFlowControl) p.Resize(4);
                  if (kind == kCmdStatus) ShiftStatusOpItems(p, 5);
                }},
    UpgradeStep{210, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdStatus2 && p.Has(2) && p[0] != 2 && p[1] >= 6) p.Add(1, 1);
                }},
    UpgradeStep{219, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdChangeGraphic && p.Has(2) && p[0] == 3) {
                    p[1] = std::min(WrapAdd(p[1], 1), kHighestGraphic);
                  }
                }},
    UpgradeStep{220, [](cEdCmd& command, int kind, Params&) {
                  if (kind != kCmdShot || !command.m_Shot) return;
                  const int graphic = std::min(command.m_Shot->m_nGraphic + 1, kHighestGraphic);
                  command.m_Shot->m_nGraphic = static_cast<std::uint16_t>(graphic);
                }},
    UpgradeStep{514, [](cEdCmd& command, int kind, Params&) {
                  if (kind != kCmdChargeMove || !command.m_Move) return;
                  command.m_Move->m_nAngle = 0;
                  command.m_Move->m_nAngleStep = 0;
                  command.m_Move->m_bAngleMirror = 1;
                }},
    UpgradeStep{545, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdMessage) {
                    p.Resize(18);
                    p[10] = 1;
                  } else if (kind == kCmdPicture) {
                    p.Resize(15);
                    p[11] = 0;
                  }
                }},
    UpgradeStep{546, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdMessage && p.Has(11)) p[10] = p[0] == 0 || p[0] == 7 ? 1 : 0;
                }},
    UpgradeStep{547, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdMessage) {
                    p.Resize(18);
                    p[11] = p[12] = p[13] = 0;
                    p[14] = 1;
                    p[15] = 0;
                  } else if (kind == kCmdPicture) {
                    p.Resize(15);
                    p[12] = p[13] = 0;
                  }
                }},
    UpgradeStep{556, [](cEdCmd&, int kind, Params& p) {
                  if (kind != kCmdMessage) return;
                  p.Resize(18);
                  p[16] = 1;
                }},
    UpgradeStep{722, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdStageClear) p.RaiseFrom(0, 2, 1);
                }},
    UpgradeStep{723, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdMessage) {
                    p.Resize(18);
                    p[17] = 0;
                  } else if (kind == kCmdPicture) {
                    p.Resize(15);
                    p[14] = 0;
                  }
                }},
    UpgradeStep{726, [](cEdCmd&, int kind, Params& p) {
                  if (kind != kCmdArrange) return;
                  p.Resize(5);
                  p[0] = kCmdShot;
                }},
    UpgradeStep{727, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdArrange) UpgradeArrangeTarget(p);
                }},
    UpgradeStep{734, [](cEdCmd& command, int, Params& p) { Renumber(command, p); }},
    UpgradeStep{747, [](cEdCmd&, int kind, Params& p) {
                  if (kind != kCmdSetTarget) return;
                  p.Resize(16);
                  p[10] = 0;
                  p[11] = 1;
                  p[14] = 0;
                }},
    UpgradeStep{760, [](cEdCmd&, int kind, Params& p) {
                  if (kind != kCmdFlowControl) return;
                  p.Resize(4);
                  p[3] = 0;
                }},
    UpgradeStep{764, [](cEdCmd& command, int kind, Params&) {
                  if (kind != kCmdFlowControl) return;
                  if (!command.m_CondList) command.m_CondList.Emplace();
                  command.m_CondList->m_bUse = 0;
                }},
    UpgradeStep{767, [](cEdCmd& command, int kind, Params& p) { InsertTargetSlots(command, kind, p); }},
    UpgradeStep{820, [](cEdCmd&, int kind, Params& p) {
                  if (kind == kCmdStatus2) p.Resize(5);
                }},
};

}  // namespace

void UpgradeCommand(cEdCmd& command, std::uint32_t fileVersion) {
  Params params(command.m_vParams);
  for (const UpgradeStep& step : kSteps) {
    if (fileVersion >= step.below) continue;
    step.apply(command, TodayKind(command, step.below > kRenumberedBelow), params);
  }
}
