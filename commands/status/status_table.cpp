#include "commands/status/status_table.h"

#include <array>

#include "stage/core/data_index.h"
#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "stage/chara/chara.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr std::int32_t kBig = 999999;

constexpr std::array<StatusRange, kCharaStatusCount> kCharaRanges = {{
    {-kBig, kBig}, {0, kBig}, {0, kBig}, {0, kBig}, {0, kBig}, {0, 99}, {0, 7}, {0, 119},
    {0, 40}, {-kBig, kBig}, {-20, 20}, {0, kBig}, {0, 20}, {0, 200}, {-kBig, kBig},
}};

constexpr std::array<StatusRange, kSystemStatusCount> kSystemRanges = {{
    {0, 999}, {-480, 480}, {-480, 480}, {0, kBig}, {0, 99},
}};

// How unlimited lives read as a value, unless the project reads them as none.
constexpr std::int32_t kUnlimitedLivesReading = 100;

}  // namespace

StatusRange CharaStatusRange(int status) {
  if (status < 0 || status >= kCharaStatusCount) return {};
  return kCharaRanges[static_cast<std::size_t>(status)];
}

StatusRange SystemStatusRange(int status) {
  if (status < 0 || status >= kSystemStatusCount) return {};
  return kSystemRanges[static_cast<std::size_t>(status)];
}

cChara* WhoseChara(cChara& self, int whose) {
  if (whose == 0) return &self;
  if (!DataIndexOk(whose - 1, kTargetSlots, 8)) return nullptr;
  return self.targets[static_cast<std::size_t>(whose - 1)];
}

ParamRef CharaStatusRef(cChara& chara, int status, int varIndex) {
  cEdChara& def = chara.def;
  switch (status) {
    case kStatusVariable:
      if (!DataIndexOk(varIndex, chara.vars.size(), 4)) return {};
      return chara.vars[static_cast<std::size_t>(varIndex)];
    case kStatusHp: return chara.hp;
    case kStatusSp: return chara.sp;
    case kStatusMaxHp: return def.m_nMaxHp;
    case kStatusMaxSp: return def.m_nMaxSp;
    case kStatusCharaId: return def.m_nCharaId;
    case kStatusZ: return def.m_nZ;
    case kStatusMark: return def.m_nMark;
    case kStatusSight: return chara.IsHero() ? ParamRef(def.m_nSight) : ParamRef();
    case kStatusPower: return def.m_nPower;
    case kStatusImpact: return def.m_nImpact;
    case kStatusDefence: return def.m_nDefence;
    case kStatusImpactResist: return def.m_nImpactResist;
    case kStatusStop: return def.m_nStop;
    case kStatusScore: return def.m_nScore;
    default: return {};
  }
}

std::int32_t InStatusWidth(int status, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  switch (status) {
    case kStatusCharaId: case kStatusZ: case kStatusSight: case kStatusImpactResist:
      return static_cast<std::uint8_t>(bits);
    case kStatusImpact: return static_cast<std::int8_t>(bits);
    case kStatusMark: return static_cast<std::int16_t>(bits);
    case kStatusStop: return static_cast<std::uint16_t>(bits);
    default: return value;
  }
}

std::int32_t StoredSystemStatus(int status) {
  const cStageScene* scene = StageScene();
  switch (status) {
    case kSystemTime: return scene != nullptr ? scene->m_nTimeLeft : 0;
    case kSystemScrollX: return g_PlayStage.AutoScrollSpeedX;
    case kSystemScrollY: return g_PlayStage.AutoScrollSpeedY;
    case kSystemScore: return g_SaveData.m_nScore;
    case kSystemLives: return g_SaveData.m_nLife;
    default: return 0;
  }
}

std::int32_t ReadSystemStatus(int status) {
  const cStageScene* scene = StageScene();
  if (status == kSystemTime && scene != nullptr && scene->m_bTimeStopped) return 0;
  if (status == kSystemLives && g_SaveData.m_nLife == kUnlimitedLives)
    return g_StageRules.unlimitedLivesAsZero ? 0 : kUnlimitedLivesReading;
  return StoredSystemStatus(status);
}

void WriteSystemStatus(int status, std::int32_t value) {
  cStageScene* scene = StageScene();
  switch (status) {
    case kSystemTime:
      if (scene != nullptr) scene->m_nTimeLeft = value;
      break;
    case kSystemScrollX:
      g_PlayStage.AutoScrollSpeedX = value;
      g_StageSpace.scrollX.SetSpeed(g_PlayStage.AutoScrollX, value, g_PlayStage.LevelF);
      break;
    case kSystemScrollY:
      g_PlayStage.AutoScrollSpeedY = value;
      g_StageSpace.scrollY.SetSpeed(g_PlayStage.AutoScrollY, value, g_PlayStage.LevelF);
      break;
    case kSystemScore: g_SaveData.m_nScore = value; break;
    case kSystemLives:
      if (g_SaveData.m_nLife != kUnlimitedLives) g_SaveData.m_nLife = value;
      break;
    default: break;
  }
}
