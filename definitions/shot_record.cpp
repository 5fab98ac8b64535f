#include "definitions/shot_record.h"

namespace {

int Shift(int base, int step, int n, int facing, std::uint8_t mirror) {
  const long long shift = base + static_cast<long long>(step) * n;
  return static_cast<int>(facing == 1 && mirror ? -shift : shift);
}

}  // namespace

void cEdShot::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddField1(&m_nCount);
  fields.AddField1(&m_nFormation);
  fields.AddField2(m_anFormationParam, 3);
  if (version >= 671) fields.AddField1(&m_nFormationBase);
  fields.AddField1(&m_nDirection);
  fields.AddField1(&m_bAim);
  if (version >= 767) fields.AddField1(&m_nAimSlot);
  fields.AddField2(&m_nAngle);
  fields.AddField2(&m_nAngleStep);
  if (version >= 158) fields.AddField1(&m_bAngleMirror);
  fields.AddField2(&m_nSpread);
  fields.AddField1(&m_bTurnRow);
  fields.AddField1(&m_nClones);
  fields.AddField2(&m_nShiftX);
  fields.AddField2(&m_nShiftXStep);
  fields.AddField2(&m_nShiftY);
  fields.AddField2(&m_nShiftYStep);
  fields.AddField1(&m_bMirrorShiftX);
  fields.AddField1(&m_bMirrorShiftY);
  fields.AddField2(&m_nGraphic);
  fields.AddField1(&m_nZ);
  fields.AddField1(&m_bHide);
  fields.AddField1(&m_bOwnerFaction);
  fields.AddField1(&m_nFaction);
  fields.AddField1(&m_nField25);
  fields.AddField1(&m_nSize);
  fields.AddField1(&m_nField27);
  fields.AddField1(&m_nMoveKind);
  fields.AddField2(m_anMoveParam, 3);
  if (version >= 767) fields.AddField1(&m_nTargetSlot);
  if (version >= 211) fields.AddField1(&m_bScroll);
  fields.AddField2(&m_nSpeed);
  fields.AddField2(&m_nSpeedStep);
  if (version >= 213) {
    fields.AddField1(&m_bAccelerate);
    fields.AddField2(&m_nAccel);
    fields.AddField2(&m_nAccelStep);
  }
  fields.AddField2(&m_nRange);
  fields.AddField1(&m_bRange);
  fields.AddField2(&m_nRangeStep);
  fields.AddField1(&m_bStopAtRange);
  fields.AddField1(&m_bLifeTime);
  fields.AddField2(&m_nLifeTime);
  fields.AddField2(&m_nLifeTimeStep);
  fields.AddField1(&m_bPassBlocks);
  fields.AddField1(&m_bPierce);
  if (version >= 636) fields.AddField1(&m_bPierceBlockChara);
  fields.AddField1(&m_bCancel);
  fields.AddField1(&m_nVanishValue);
  fields.AddField4(&m_nPower);
  fields.AddField2(&m_nField50);
  fields.AddField1(&m_nImpact);
  fields.AddField2(&m_nHitEffect);
  fields.AddField1(&m_nItemPalette);
  fields.AddField2(&m_nItemIndex);
  fields.AddField1(&m_nBlockSummonMode);
  fields.AddField1(&m_bGuardHero);
  if (version >= 197) fields.AddField1(&m_bGuardCharas);
  fields.AddField1(&m_nSummonPalette);
  fields.AddField2(&m_nSummonIndex);
  fields.AddField1(&m_nSummonFaction);
  fields.AddField1(&m_nField61);
  fields.AddField1(&m_bReverse);
  if (version >= 762) {
    fields.AddField1(&m_bAttack);
    fields.AddField1(&m_nAttackFlowId);
  }
}

void cEdShot::Load(DataReader& in) {
  cRecord::Load(in);
  Upgrade(in.Version());
}

void cEdShot::Upgrade(std::uint32_t version) {
  if (version < 158) m_bAngleMirror = 0;
  if (version < 197) m_bGuardCharas = m_bGuardHero;
  // Homing shots rode the scroll before the switch existed.
  if (version < 212) m_bScroll = m_nMoveKind >= kShotHomeHero && m_nMoveKind <= kShotHomeNearestNext ? 1 : 0;
  if (version < 213) {
    m_bAccelerate = 0;
    m_nAccel = 0;
    m_nAccelStep = 0;
  }
  if (version < 636) m_bPierceBlockChara = m_bPierce;
  if (version < 671) m_nFormationBase = 0;
}

int cEdShot::GetShiftX(int n, int facing) const { return Shift(m_nShiftX, m_nShiftXStep, n, facing, m_bMirrorShiftX); }

int cEdShot::GetShiftY(int n, int facing) const { return Shift(m_nShiftY, m_nShiftYStep, n, facing, m_bMirrorShiftY); }
