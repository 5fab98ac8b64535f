#include "definitions/palette/chara_definition.h"

#include "definitions/palette/chara_groups.h"
#include "definitions/palette/definition_stream.h"
#include "project/global_data.h"

namespace {

constexpr std::uint32_t kEffectModesSince = 196;
constexpr std::uint32_t kInvincibleColorSince = 285;
constexpr std::uint32_t kHitAreaSince = 201;
constexpr std::uint32_t kScrollSyncSince = 210;
constexpr std::uint32_t kDefenceSince = 168;
constexpr std::uint32_t kHitAreaRenumberedIn = 206;
constexpr std::uint8_t kGraphicKindExchangeable = 4;

// A group added in a later version: its flag goes in at `index`, the later
// flags move one place up and the last one falls off.
void InsertInheritFlag(cVector<std::uint8_t>& flags, std::size_t index) {
  flags.resize(cEdChara::kGroupCount, 0);
  flags.insert(flags.begin() + static_cast<std::ptrdiff_t>(index), 1);
  flags.resize(cEdChara::kGroupCount);
}

}  // namespace

void cEdChara::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddField1(&m_nPalKind);
  fields.AddField2(&m_nPalIndex);
  fields.AddField1(&m_nCondMode);
  fields.AddField1(&m_bCondOnce);
  fields.AddField1(&m_nFacing);
  fields.AddField1(&m_nCopyCount);
  fields.AddField2(&m_nShiftXBase);
  fields.AddField2(&m_nShiftXStep);
  fields.AddField2(&m_nShiftYBase);
  fields.AddField2(&m_nShiftYStep);
  fields.AddField1(&m_bMirrorX);
  fields.AddField1(&m_bMirrorY);
  fields.AddField2(&m_nGraphicNo);
  fields.AddField1(&m_nGraphicKind);
  fields.AddField2(&m_nGraphicOffset);
  fields.AddField2(&m_nAnimeSet);
  fields.AddField1(&m_nZ);
  fields.AddField1(&m_bTransparent);
  fields.AddField2(&m_nBaseEffect);
  if (version >= kEffectModesSince) fields.AddField1(&m_nBaseEffectMode);
  fields.AddField1(&m_bBaseEffectLoop);
  fields.AddField2(&m_nDeathEffect);
  if (version >= kEffectModesSince) fields.AddField1(&m_nDeathEffectMode);
  fields.AddField1(&m_bMark);
  fields.AddField2(&m_nMark);
  fields.AddField1(&m_nOperator);
  fields.AddField1(&m_nPlayerNo);
  fields.AddField1(&m_nFaction);
  fields.AddField1(&m_nCharaId);
  fields.AddField1(&m_nFlight);
  fields.AddField1(&m_bTurnByCmd);
  fields.AddField1(&m_nInvincible);
  if (version >= kInvincibleColorSince) fields.AddField1(&m_nInvincibleColor);
  fields.AddField1(&m_bBlockChara);
  fields.AddField1(&m_nSize);
  if (version >= kScrollSyncSince) fields.AddField1(&m_bScrollSync);
  fields.AddField1(&m_nSightShape);
  fields.AddField1(&m_nSight);
  fields.AddField4(&m_nMaxHp);
  fields.AddField4(&m_nMaxSp);
  fields.AddField2(&m_nStop);
  if (version >= kHitAreaSince) fields.AddField1(&m_nHitArea);
  fields.AddField4(&m_nPower);
  fields.AddField1(&m_nImpact);
  fields.AddField2(&m_nHitEffect);
  if (version >= kDefenceSince) fields.AddField4(&m_nDefence);
  fields.AddField1(&m_nImpactResist);
  fields.AddField4(&m_nScore);
  fields.AddField1(&m_nStored49);
  fields.AddField1(&m_bGroup);
  fields.AddField2(&m_nGroupNo);
  fields.AddField1(&m_nActiveRange);
  fields.AddField1(&m_nRangeRule);
  fields.AddString(&m_strName);
}

void cEdChara::Load(DataReader& in) {
  cRecord::Load(in);
  m_nColumn = in.Read<std::int16_t>();
  m_nRow = in.Read<std::int16_t>();
  m_nPlaceWord = in.Read<std::uint32_t>();
  ReadInheritFlags(in, m_vInherit, kGroupCount);
  ReadCondList(in, m_vConds);
  ReadFlowList(in, m_vFlows);
  if (!in.ok()) return;
  DropTestPlayFlows(m_vFlows);
  Upgrade(in.Version());
  Inherit();
  Validate();
}

void cEdChara::Save(DataWriter& out) {
  cRecord::Save(out);
  out.Write(m_nColumn);
  out.Write(m_nRow);
  out.Write(m_nPlaceWord);
  WriteInheritFlags(out, m_vInherit);
  WriteCondList(out, m_vConds);
  WriteRecordList(out, m_vFlows);
}

void cEdChara::SetDefaults() {
  m_nPlaceWord = 0;
  Clear();
  ResetCommonMembers(kGroupCount);
  m_vFlows.clear();
  m_nOperator = kOperatorComputer;
  m_nFaction = 1;
  m_nZ = 3;
  m_bBaseEffectLoop = 1;
  m_nMaxHp = 10;
  m_nDefence = 0;
  m_nGraphicKind = 1;
  m_nGraphicNo = 0;
  m_nSize = 1;
  m_nStop = 10;
  m_bTurnByCmd = 1;
  m_nStored49 = 1;
}

void cEdChara::Upgrade(std::uint32_t version) {
  if (version < kDefenceSince) {
    m_nDefence = 0;
    InsertInheritFlag(m_vInherit, 27);
  }
  if (version < kEffectModesSince) {
    m_nBaseEffectMode = 0;
    m_nDeathEffectMode = 0;
  }
  if (version < kHitAreaSince) {
    m_nHitArea = 0;
    InsertInheritFlag(m_vInherit, 24);
  }
  if (version < kHitAreaRenumberedIn && m_nHitArea >= 2) ++m_nHitArea;
  if (version < kScrollSyncSince) {
    m_bScrollSync = 0;
    InsertInheritFlag(m_vInherit, 21);
  }
  m_nGraphicNo = UpgradeShotGraphic(version, m_nGraphicKind, m_nGraphicNo);
  if (version < kInvincibleColorSince) m_nInvincibleColor = 1;
}

void cEdChara::Inherit() {
  if (const cEdChara* parent = FollowPaletteRef(*this)) CopyFlaggedGroups(*this, *parent, kCharaGroups);
}

void cEdChara::CheckRefs() {
  if (IsStalePaletteRef<cEdChara>(m_nPalKind, m_nPalIndex)) m_nPalKind = kPaletteNone;
}

void cEdChara::CheckFlowRefs() {
  const PaletteListSizes common = PaletteSizes(kPaletteCommon);
  const PaletteListSizes stage = PaletteSizes(kPaletteStage);
  for (cEdFlow& flow : m_vFlows)
    for (cEdCmd& cmd : flow.m_vCmds) CheckPaletteRefs(cmd, common, stage);
}

void cEdChara::Validate() {
  Inherit();
  const cDatabase& database = *g_Database;
  if (m_nGraphicKind == kGraphicKindExchangeable && m_nGraphicNo >= database.m_vBmpCharaExc.size())
    m_nGraphicNo = 1;
  if (m_nSize < 1) m_nSize = 1;
  if (m_nAnimeSet >= database.m_vAnimeSet.size()) m_nAnimeSet = 0;
}

double cEdChara::GetShiftX(int n, int facing) const {
  const double shift = static_cast<double>(m_nShiftXStep) * n + m_nShiftXBase;
  return facing == 1 && m_bMirrorX ? -shift : shift;
}

double cEdChara::GetShiftY(int n, int facing) const {
  const double shift = static_cast<double>(m_nShiftYStep) * n + m_nShiftYBase;
  return facing == 1 && m_bMirrorY ? -shift : shift;
}
