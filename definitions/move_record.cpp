#include "definitions/move_record.h"

void cEdMove::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddField1(&m_nWarpMode);
  fields.AddField1(&m_nDirection);
  fields.AddField2(&m_nAngle);
  fields.AddField2(&m_nAngleStep);
  if (version >= 158) fields.AddField1(&m_bAngleMirror);
  fields.AddField1(&m_bMoveOnX);
  fields.AddField1(&m_bMoveOnY);
  fields.AddField2(&m_nTargetXBl);
  fields.AddField2(&m_nTargetYBl);
  fields.AddField2(&m_nTargetXDot);
  fields.AddField2(&m_nTargetYDot);
  fields.AddField1(&m_nTargetBase);
  fields.AddField1(&m_bStopAtTarget);
  fields.AddField1(&m_nMoveMode);
  fields.AddField1(&m_nTimeMode);
  fields.AddField1(&m_bMirrorTargetX);
  fields.AddField1(&m_bMirrorTargetY);
  fields.AddField1(&m_bTurnWithFacing);
  fields.AddField1(&m_bClampStep);
  if (version >= 162) fields.AddField1(&m_bKeepFacing);
  fields.AddField1(&m_nDistanceUnit);
  fields.AddField2(&m_nSpeed);
  fields.AddField2(&m_nSpeedStep);
  fields.AddField2(&m_nDistance);
  fields.AddField2(&m_nDistanceStep);
  if (version >= 159) fields.AddField1(&m_nFixedAxis);
  fields.AddField2(&m_nHomingLag);
  fields.AddField2(&m_nHomingLagStep);
  fields.AddField1(&m_bAccelerate);
  fields.AddField2(&m_nTopSpeed);
  fields.AddField8(&m_dReversal);
  if (version >= 162) fields.AddField1(&m_nMoveAnime);
  if (version >= 767) fields.AddField1(&m_nTargetSlot);
}

void cEdMove::Load(DataReader& in) {
  cRecord::Load(in);
  Upgrade(in.Version());
}

void cEdMove::Upgrade(std::uint32_t version) {
  if (version < 158) m_bAngleMirror = 0;
  if (version < 159) m_nFixedAxis = 0;
  if (version < 162) {
    m_bKeepFacing = 0;
    m_nMoveAnime = 0;
  }
  // The still animation became the third choice.
  if (version < 830 && m_nMoveAnime == 1) m_nMoveAnime = 2;
}
