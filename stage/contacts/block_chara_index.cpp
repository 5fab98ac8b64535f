#include "stage/contacts/block_chara_index.h"

#include <cstdint>

#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/stage_hooks.h"

namespace {

struct Index {
  std::vector<cStageChara*> charas;
  std::uint64_t version = 0;
  bool built = false;
};

Index g_Index;

bool FeetStrip(const cStageObj& chara, const cStageObj& obj) {
  return OverlapsRect(chara, obj.x, obj.bottom, obj.right, obj.bottom + 5);
}

}  // namespace

const std::vector<cStageChara*>& BlockCharaIndex() {
  if (!g_Index.built || g_Index.version != g_CharaList.Version()) {
    g_Index.charas.clear();
    g_CharaList.ForEach([](cStageChara& chara) {
      if (chara.IsBlockChara()) g_Index.charas.push_back(&chara);
    });
    g_Index.version = g_CharaList.Version();
    g_Index.built = true;
  }
  return g_Index.charas;
}

bool CountsAsBlockChara(const cStageChara& chara, int objNumber) {
  return chara.IsBlockChara() && !chara.removed && !chara.dead && chara.present && chara.number != objNumber;
}

bool OverlapsRect(const cStageObj& chara, double x1, double y1, double x2, double y2) {
  return chara.x <= x2 && chara.right >= x1 && chara.y <= y2 && chara.bottom >= y1;
}

cStageChara* FindBlockCharaOverlapping(const cStageObj& obj, int exceptId) {
  for (cStageChara* chara : BlockCharaIndex()) {
    if (!CountsAsBlockChara(*chara, obj.number) || chara->number == exceptId) continue;
    if (OverlapsRect(*chara, obj.x, obj.y, obj.right, obj.bottom)) return chara;
  }
  return nullptr;
}

int OverlapsBlockCharaExcept(const cStageObj& obj, int exceptId) {
  return FindBlockCharaOverlapping(obj, exceptId) != nullptr ? 1 : 0;
}

int OverlapsBlockChara(cStageObj& obj) {
  if (obj.PassesBlocks()) return 0;
  return OverlapsBlockCharaExcept(obj, kNoCharaId);
}

int StillOnRiddenChara(const cChara& obj) {
  for (cStageChara* chara : BlockCharaIndex())
    if (CountsAsBlockChara(*chara, obj.number) && chara->number == obj.riddenId) return FeetStrip(*chara, obj) ? 1 : 0;
  return 0;
}

cStageChara* FindCharaUnderFeet(const cStageObj& obj) {
  for (cStageChara* chara : BlockCharaIndex())
    if (CountsAsBlockChara(*chara, obj.number) && FeetStrip(*chara, obj)) return chara;
  return nullptr;
}
