#pragma once
// Which stage a world-map point offers and how far it is along: the first
// stage entry of the point whose switch, variable and total-score
// conditions hold; cleared once its clear switch is on; open when cleared
// or marked always open.
//
// The entry's generic values name: value 1 the replayable flag, value 2 the
// icon row, value 3 the clear switch, value 4 the always-open flag, value 5
// the total score required.

#include "project/world_map.h"

class cSaveData;

const cWorldStage* ChoosePointStage(const cWorldPoint* point, const cSaveData& data);
bool IsStageCleared(const cWorldStage& stage, const cSaveData& data);
bool IsStageOpen(const cWorldStage& stage, const cSaveData& data);
inline bool IsEnterable(const cWorldStage* stage) { return stage && stage->m_nKind == cWorldStage::kStage; }

inline int ReplayableOf(const cWorldStage& stage) { return stage.m_nValue1; }
inline int IconRowOf(const cWorldStage& stage) { return stage.m_nValue2; }
inline int ClearSwitchOf(const cWorldStage& stage) { return stage.m_nValue3; }
inline int AlwaysOpenOf(const cWorldStage& stage) { return stage.m_nValue4; }
inline int RequiredScoreOf(const cWorldStage& stage) { return stage.m_nValue5; }
