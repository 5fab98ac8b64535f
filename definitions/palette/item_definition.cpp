#include "definitions/palette/item_definition.h"

#include <array>

#include "definitions/palette/definition_stream.h"
#include "definitions/palette/palette_inherit.h"
#include "project/global_data.h"

namespace {

using ItemGroup = GroupCopy<cEdItem>;

constexpr std::array<ItemGroup, cEdItem::kGroupCount> kItemGroups = {
    [](cEdItem& t, const cEdItem& s) { t.m_strName = s.m_strName; },
    [](cEdItem& t, const cEdItem& s) { t.CopyConditionGroup(s); },
    [](cEdItem& t, const cEdItem& s) { t.m_nOffsetX = s.m_nOffsetX; },
    [](cEdItem& t, const cEdItem& s) { t.m_nOffsetY = s.m_nOffsetY; },
    [](cEdItem& t, const cEdItem& s) {
      t.m_nGraphicKind = s.m_nGraphicKind;
      t.m_nGraphicNo = s.m_nGraphicNo;
      t.m_nGraphicWord = s.m_nGraphicWord;
    },
    [](cEdItem& t, const cEdItem& s) { t.m_nZ = s.m_nZ; },
    [](cEdItem& t, const cEdItem& s) { t.m_bHidden = s.m_bHidden; },
    [](cEdItem& t, const cEdItem& s) {
      t.m_nOverlay = s.m_nOverlay;
      t.m_nOverlayNo = s.m_nOverlayNo;
    },
    [](cEdItem& t, const cEdItem& s) { t.m_nSize = s.m_nSize; },
    [](cEdItem& t, const cEdItem& s) { t.m_nTaking = s.m_nTaking; },
    [](cEdItem& t, const cEdItem& s) { t.m_bPictureMessage = s.m_bPictureMessage; },
    [](cEdItem& t, const cEdItem& s) { t.m_nSoundNo = s.m_nSoundNo; },
    [](cEdItem& t, const cEdItem& s) { t.m_vCmds = s.m_vCmds; },
};

}  // namespace

void cEdItem::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField1(&m_nPalKind);
  fields.AddField2(&m_nPalIndex);
  fields.AddString(&m_strName);
  fields.AddField1(&m_nCondMode);
  fields.AddField1(&m_bCondOnce);
  fields.AddField2(&m_nOffsetX);
  fields.AddField2(&m_nOffsetY);
  fields.AddField2(&m_nGraphicNo);
  fields.AddField1(&m_nGraphicKind);
  fields.AddField2(&m_nGraphicWord);
  fields.AddField1(&m_nZ);
  fields.AddField1(&m_bHidden);
  fields.AddField1(&m_nOverlay);
  fields.AddField2(&m_nOverlayNo);
  fields.AddField1(&m_bPictureMessage);
  fields.AddField1(&m_nTaking);
  fields.AddField1(&m_nSize);
  fields.AddField2(&m_nSoundNo);
}

void cEdItem::Load(DataReader& in) {
  cRecord::Load(in);
  ReadPlacementFlagsAndConds(in, *this, kGroupCount);
  ReadRecordList(in, m_vCmds, cEdCmd());
  if (!in.ok()) return;
  m_nGraphicNo = UpgradeShotGraphic(in.Version(), m_nGraphicKind, m_nGraphicNo);
  Inherit();
  CheckRefs();
}

void cEdItem::Save(DataWriter& out) {
  CheckRefs();
  cRecord::Save(out);
  WritePlacementFlagsAndConds(out, *this);
  WriteRecordList(out, m_vCmds);
}

void cEdItem::SetDefaults() {
  Clear();
  ResetCommonMembers(kGroupCount);
  m_vCmds.clear();
  m_nGraphicKind = 2;
  m_nZ = 6;
  m_bPictureMessage = 1;
  m_nSize = 1;
}

void cEdItem::Inherit() {
  if (const cEdItem* source = FollowPaletteRef(*this)) CopyFlaggedGroups(*this, *source, kItemGroups);
}

void cEdItem::CheckRefs() {
  DropStalePaletteRef(*this);
  if (m_nSize < 1) m_nSize = 1;
  if (m_nSoundNo >= g_Database->m_vSound.size()) m_nSoundNo = 0;
  for (cEdCmd& cmd : m_vCmds) cmd.Validate();
}

void cEdItem::CheckCmds() {
  const PaletteListSizes common = PaletteSizes(kPaletteCommon);
  const PaletteListSizes stage = PaletteSizes(kPaletteStage);
  for (cEdCmd& cmd : m_vCmds) CheckPaletteRefs(cmd, common, stage);
}
