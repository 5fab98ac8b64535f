#include "definitions/palette/block_definition.h"

#include <array>

#include "definitions/palette/definition_stream.h"
#include "definitions/palette/item_definition.h"
#include "definitions/palette/palette_inherit.h"

namespace {

using BlockGroup = GroupCopy<cEdBlock>;

constexpr std::array<BlockGroup, cEdBlock::kGroupCount> kBlockGroups = {
    [](cEdBlock& t, const cEdBlock& s) { t.m_strName = s.m_strName; },
    [](cEdBlock& t, const cEdBlock& s) { t.CopyConditionGroup(s); },
    [](cEdBlock& t, const cEdBlock& s) {
      t.m_nGraphicKind = s.m_nGraphicKind;
      t.m_nGraphicNo = s.m_nGraphicNo;
      t.m_nGraphicWord = s.m_nGraphicWord;
    },
    [](cEdBlock& t, const cEdBlock& s) { t.m_nLayer = s.m_nLayer; },
    [](cEdBlock& t, const cEdBlock& s) { t.m_bHidden = s.m_bHidden; },
    [](cEdBlock& t, const cEdBlock& s) {
      t.m_nOverlay = s.m_nOverlay;
      t.m_nOverlayNo = s.m_nOverlayNo;
    },
    [](cEdBlock& t, const cEdBlock& s) { t.m_nCollision = s.m_nCollision; },
    [](cEdBlock& t, const cEdBlock& s) { t.m_nPassSide = s.m_nPassSide; },
    [](cEdBlock& t, const cEdBlock& s) {
      t.m_nEffect = s.m_nEffect;
      t.m_nEffectValue = s.m_nEffectValue;
    },
    [](cEdBlock& t, const cEdBlock& s) {
      t.m_nItemPalKind = s.m_nItemPalKind;
      t.m_nItemIndex = s.m_nItemIndex;
    },
    [](cEdBlock& t, const cEdBlock& s) { t.m_bFixed = s.m_bFixed; },
};

}  // namespace

void cEdBlock::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField1(&m_nPalKind);
  fields.AddField2(&m_nPalIndex);
  fields.AddString(&m_strName);
  fields.AddField1(&m_nCondMode);
  fields.AddField1(&m_bCondOnce);
  fields.AddField2(&m_nGraphicNo);
  fields.AddField1(&m_nGraphicKind);
  fields.AddField2(&m_nGraphicWord);
  fields.AddField1(&m_nLayer);
  fields.AddField1(&m_bHidden);
  fields.AddField1(&m_nOverlay);
  fields.AddField2(&m_nOverlayNo);
  fields.AddField1(&m_nCollision);
  fields.AddField1(&m_nPassSide);
  fields.AddField1(&m_nEffect);
  fields.AddField4(&m_nEffectValue);
  fields.AddField1(&m_nItemPalKind);
  fields.AddField2(&m_nItemIndex);
  fields.AddField1(&m_bFixed);
}

void cEdBlock::Load(DataReader& in) {
  cRecord::Load(in);
  ReadPlacementFlagsAndConds(in, *this, kGroupCount);
  if (!in.ok()) return;
  m_nGraphicNo = UpgradeShotGraphic(in.Version(), m_nGraphicKind, m_nGraphicNo);
  Inherit();
  CheckRefs();
}

void cEdBlock::Save(DataWriter& out) {
  CheckRefs();
  cRecord::Save(out);
  WritePlacementFlagsAndConds(out, *this);
}

void cEdBlock::SetDefaults() {
  Clear();
  ResetCommonMembers(kGroupCount);
  m_nCollision = kBlockSolid;
  m_nPassSide = kNoPassSide;
}

void cEdBlock::Inherit() {
  if (const cEdBlock* source = FollowPaletteRef(*this)) CopyFlaggedGroups(*this, *source, kBlockGroups);
}

void cEdBlock::CheckRefs() {
  DropStalePaletteRef(*this);
  if (m_nGraphicNo == 0) {
    m_nCollision = kBlockPassable;
    m_bFixed = 0;
  }
}

void cEdBlock::CheckItemRef() {
  if (!IsStalePaletteRef<cEdItem>(m_nItemPalKind, m_nItemIndex)) return;
  m_nItemPalKind = kPaletteNone;
  m_nItemIndex = 0;
}
