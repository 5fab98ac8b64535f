// Putting characters, items and blocks on the stage: at set-up from the
// stage's placed entries, and at run time for the summon commands. A copy
// or an object that would stand outside the stage is not put out (it is
// tested where it would stand, unclamped); a copy count is bounded by what
// fits on the stage.
#include <algorithm>

#include "foundation/log.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/items/stage_item.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"

namespace {

// At most one copy per cell of the stage and its margin.
int MaxCopies() { return (g_StageSpace.x.size / 32) * (g_StageSpace.y.size / 32); }

// Whether the object, where it stands now, lies inside the whole stage: its
// far edges are taken from its position first, without the clamps.
bool StandsInStage(cStageObj& obj) {
  obj.right = obj.x + obj.hitWidth - 1;
  obj.bottom = obj.y + obj.hitHeight - 1;
  return obj.IsInStageArea(1) != 0;
}

// The clamps of an object that stands inside the stage move it nowhere; they
// bring its box and block cells up to date.
void ClampToStage(cStageObj& obj) {
  obj.ClampX();
  obj.ClampY();
}

bool CellInStage(int column, int row) {
  return column >= 0 && row >= 0 && column < g_StageSpace.x.size / 32 - 20 && row < g_StageSpace.y.size / 32 - 20;
}

// Copies of one entry: each set up and moved by its placement offsets; the
// ones inside the stage are appended with the next serial number.
template <typename Place>
std::vector<cStageChara*> PutOutCopies(std::uint32_t& serialCounter, const cEdChara& definition,
                                       const cStageItem* dropItem, Place place) {
  std::vector<cStageChara*> made;
  const int copies = definition.m_nCopyCount + 1;
  if (copies > MaxCopies()) {
    Report("copy count %d of character %s too large", copies, definition.m_strName.c_str());
    return made;
  }
  const cEdChara working = definition;
  const int facing = working.m_nFacing;
  for (int i = 0; i < copies; ++i) {
    auto chara = std::make_unique<cStageChara>();
    const std::uint32_t serial = serialCounter + 1;
    chara->SetUp(static_cast<int>(serial), working, dropItem, i, facing);
    chara->serial = serial;
    place(*chara);
    const double shiftX = working.GetShiftX(i, facing);
    const double shiftY = working.GetShiftY(i, facing);
    chara->x += shiftX;
    chara->y += shiftY;
    if (!g_StageRules.noShiftOfSavedPos) {
      chara->savedX += shiftX;
      chara->savedY += shiftY;
    }
    if (!StandsInStage(*chara)) continue;
    ClampToStage(*chara);
    chara->UpdateScreenPos();
    serialCounter = serial;
    made.push_back(&g_CharaList.Append(std::move(chara)));
  }
  return made;
}

}  // namespace

void cStageScene::SpawnChara(int column, int row, const cEdChara& definition, const cStageItem* dropItem) {
  if (!CellInStage(column, row)) {
    Report("character %s outside the stage ( %d , %d )", definition.m_strName.c_str(), column, row);
    return;
  }
  PutOutCopies(m_nCharaSerial, definition, dropItem, [&](cStageChara& chara) { chara.SetBlockPos(column, row); });
}

std::vector<cStageChara*> cStageScene::SpawnCharaAt(double x, double y, int facing, const cEdChara& definition) {
  cEdChara facingCopy = definition;
  facingCopy.m_nFacing = static_cast<std::uint8_t>(facing ? 1 : 0);
  // (x, y) is where the drawn cell starts; the hit box lies inside it.
  std::vector<cStageChara*> made = PutOutCopies(m_nCharaSerial, facingCopy, nullptr, [&](cStageChara& chara) {
    chara.x = x + chara.graphicOffsetX;
    chara.y = y + chara.graphicOffsetY;
    chara.placedX = x + 16;
    chara.placedY = y + 16;
  });
  for (cStageChara* chara : made) m_GroupLists[SideIndex(chara->side)].push_back(chara);
  return made;
}

void cStageScene::SpawnItem(int column, int row, const cEdItem& definition) {
  if (!CellInStage(column, row)) {
    Report("item %s outside the stage ( %d , %d )", definition.m_strName.c_str(), column, row);
    return;
  }
  auto item = std::make_unique<cStageItem>();
  item->SetFromDef(definition, ++m_nItemSerial, 0);
  item->SetBlockPos(column, row, 1);
  if (!item->IsInStageArea(1)) return;
  g_ItemList.Append(std::move(item));
}

cStageItem* cStageScene::SpawnItemAt(double x, double y, const cEdItem& definition) {
  auto item = std::make_unique<cStageItem>();
  item->SetFromDef(definition, ++m_nItemSerial, 0);
  item->x = x + item->graphicOffsetX + definition.m_nOffsetX;
  item->y = y + item->graphicOffsetY + definition.m_nOffsetY;
  if (!StandsInStage(*item)) return nullptr;
  ClampToStage(*item);
  return &g_ItemList.Append(std::move(item));
}

void cStageScene::SetBlockAt(int x, int y, int mode, const cEdBlock& block, BlockGuards guards) {
  const std::size_t index = g_BlockMap.IndexAt(x, y);
  if (index >= g_BlockMap.Size()) return;
  const cEdBlock* present = g_BlockMap.Cell(index).block;
  if (present != nullptr && present->m_bFixed) return;  // summons leave fixed blocks alone
  const bool occupied = present != nullptr;
  if (mode == kSummonPut || (mode == kSummonToggle && !occupied)) {
    if (!BlockClosesOnGuarded(index, block, guards)) g_BlockMap.PlaceCopy(index, block);
  } else if (mode == kSummonErase || mode == kSummonToggle) {
    g_BlockMap.Clear(index);
  }
}
