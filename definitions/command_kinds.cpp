#include "definitions/command_kinds.h"

#include <array>

namespace {

// Parameter counts of the character commands, by kind.
constexpr std::array<int, kCharaCmdKindCount> kCharaParamCounts = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 1,   // 0..9
    5, 0, 0, 0, 0, 0, 4, 9, 1, 18,  // 10..19
    0, 16, 18, 5, 3, 2, 3, 1, 1, 8, // 20..29
    3, 3, 15, 8, 2, 1, 2, 0, 5, 2,  // 30..39
};

// "フローの変更" keeps the flow list's two settings.
constexpr int kChangeFlowParamCount = 2;

}  // namespace

int CharaKindOfItem(int itemKind) {
  if (itemKind == kItemCmdNone) return kCmdNone;
  if (itemKind < 2 || itemKind >= kItemCmdKindCount) return -1;
  return itemKind + kItemKindOffset;
}

int ItemKindOfChara(int charaKind) {
  if (charaKind == kCmdNone) return kItemCmdNone;
  if (charaKind < kCmdStageClear || charaKind >= kCharaCmdKindCount) return -1;
  return charaKind - kItemKindOffset;
}

int CmdParamCount(int family, int kind) {
  if (family == kFamilyChara) {
    if (kind < 0 || kind >= kCharaCmdKindCount) return -1;
    return kCharaParamCounts[static_cast<std::size_t>(kind)];
  }
  if (family == kFamilyItem) {
    if (kind == kItemCmdChangeFlow) return kChangeFlowParamCount;
    const int chara = CharaKindOfItem(kind);
    return chara < 0 ? -1 : kCharaParamCounts[static_cast<std::size_t>(chara)];
  }
  return -1;
}
