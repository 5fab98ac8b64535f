#include "definitions/palette/chara_groups.h"

namespace {
using C = cEdChara;
}  // namespace

const std::array<GroupCopy<cEdChara>, cEdChara::kGroupCount> kCharaGroups = {
    /* 0 */ [](C& t, const C& s) { t.m_strName = s.m_strName; },
    /* 1 */
    [](C& t, const C& s) {
      t.m_nOperator = s.m_nOperator;
      t.m_nPlayerNo = s.m_nPlayerNo;
    },
    /* 2 */ [](C& t, const C& s) { t.m_nFaction = s.m_nFaction; },
    /* 3 */ [](C& t, const C& s) { t.m_nCharaId = s.m_nCharaId; },
    /* 4 */
    [](C& t, const C& s) { t.CopyConditionGroup(s); },
    /* 5 */ [](C& t, const C& s) { t.m_nFacing = s.m_nFacing; },
    /* 6 */ [](C& t, const C& s) { t.m_nCopyCount = s.m_nCopyCount; },
    /* 7 */
    [](C& t, const C& s) {
      t.m_nShiftXBase = s.m_nShiftXBase;
      t.m_nShiftXStep = s.m_nShiftXStep;
      t.m_bMirrorX = s.m_bMirrorX;
    },
    /* 8 */
    [](C& t, const C& s) {
      t.m_nShiftYBase = s.m_nShiftYBase;
      t.m_nShiftYStep = s.m_nShiftYStep;
      t.m_bMirrorY = s.m_bMirrorY;
    },
    /* 9 */
    [](C& t, const C& s) {
      t.m_nGraphicNo = s.m_nGraphicNo;
      t.m_nGraphicKind = s.m_nGraphicKind;
      t.m_nGraphicOffset = s.m_nGraphicOffset;
    },
    /* 10 */ [](C& t, const C& s) { t.m_nAnimeSet = s.m_nAnimeSet; },
    /* 11 */ [](C& t, const C& s) { t.m_nZ = s.m_nZ; },
    /* 12 */ [](C& t, const C& s) { t.m_bTransparent = s.m_bTransparent; },
    /* 13 */
    [](C& t, const C& s) {
      t.m_nBaseEffect = s.m_nBaseEffect;
      t.m_nBaseEffectMode = s.m_nBaseEffectMode;
      t.m_bBaseEffectLoop = s.m_bBaseEffectLoop;
    },
    /* 14 */
    [](C& t, const C& s) {
      t.m_nDeathEffect = s.m_nDeathEffect;
      t.m_nDeathEffectMode = s.m_nDeathEffectMode;
    },
    /* 15 */
    [](C& t, const C& s) {
      t.m_bMark = s.m_bMark;
      t.m_nMark = s.m_nMark;
    },
    /* 16 */ [](C& t, const C& s) { t.m_bTurnByCmd = s.m_bTurnByCmd; },
    /* 17 */ [](C& t, const C& s) { t.m_nFlight = s.m_nFlight; },
    /* 18 */
    [](C& t, const C& s) {
      t.m_nInvincible = s.m_nInvincible;
      t.m_nInvincibleColor = s.m_nInvincibleColor;
    },
    /* 19 */ [](C& t, const C& s) { t.m_bBlockChara = s.m_bBlockChara; },
    /* 20 */ [](C& t, const C& s) { t.m_nSize = s.m_nSize; },
    /* 21 */ [](C& t, const C& s) { t.m_bScrollSync = s.m_bScrollSync; },
    /* 22 */
    [](C& t, const C& s) {
      t.m_nSightShape = s.m_nSightShape;
      t.m_nSight = s.m_nSight;
    },
    /* 23 */ [](C& t, const C& s) { t.m_nMaxHp = s.m_nMaxHp; },
    /* 24 */ [](C& t, const C& s) { t.m_nMaxSp = s.m_nMaxSp; },
    /* 25 */ [](C& t, const C& s) { t.m_nHitArea = s.m_nHitArea; },
    /* 26 */ [](C& t, const C& s) { t.m_nPower = s.m_nPower; },
    /* 27 */ [](C& t, const C& s) { t.m_nImpact = s.m_nImpact; },
    /* 28 */ [](C& t, const C& s) { t.m_nHitEffect = s.m_nHitEffect; },
    /* 29 */ [](C& t, const C& s) { t.m_nDefence = s.m_nDefence; },
    /* 30 */ [](C& t, const C& s) { t.m_nImpactResist = s.m_nImpactResist; },
    /* 31 */ [](C& t, const C& s) { t.m_nStop = s.m_nStop; },
    /* 32 */
    [](C& t, const C& s) {
      t.m_nActiveRange = s.m_nActiveRange;
      t.m_nRangeRule = s.m_nRangeRule;
    },
    /* 33 */
    [](C& t, const C& s) {
      t.m_bGroup = s.m_bGroup;
      t.m_nGroupNo = s.m_nGroupNo;
    },
    /* 34 */ [](C& t, const C& s) { t.m_nScore = s.m_nScore; },
    /* 35 */ [](C& t, const C& s) { t.m_nStored49 = s.m_nStored49; },
    /* 36 */ [](C& t, const C& s) { t.m_vFlows = s.m_vFlows; },
};
