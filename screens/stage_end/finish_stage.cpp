#include "screens/stage_end/finish_stage.h"

#include <algorithm>
#include <limits>
#include <string>

#include "definitions/save_data/save_data.h"
#include "foundation/log.h"
#include "foundation/record.h"
#include "input/replay.h"
#include "project/data_paths.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "project/world_map.h"
#include "screens/menu/menu_cursor.h"
#include "screens/progress/play_progress.h"
#include "screens/stage_end/next_stage.h"
#include "screens/title/title_scene.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/stage_scene.h"

namespace {

enum AfterLastStage : int { kAfterLastNothing = 0, kAfterLastNextRound = 1, kAfterLastTitle = 2 };

void StoreCarriedHeroes(const cStageScene& scene) {
  cSaveData& data = g_SaveData;
  for (std::size_t i = 0; i < g_Heroes.size(); ++i) {
    if (i >= data.m_vCarryChara.size()) {
      Report("Hero %d has no carried state to store (%d kept)", static_cast<int>(i),
             static_cast<int>(data.m_vCarryChara.size()));
      return;
    }
    const cHero& hero = *g_Heroes[i];
    data.StoreCarryOver(static_cast<int>(i), hero.def, hero.hp, hero.sp, hero.def.m_nBaseEffect,
                        hero.def.m_nBaseEffectMode, hero.def.m_bBaseEffectLoop, scene.m_nTimeLeft, data.m_nLife,
                        data.m_nStageState1);
  }
}

// Loaded: the run's next stage is in the stage record for the scene to
// start over on. None: the run has no next stage, its ordinary end.
// Unreadable: the next stage's file is there but could not be played
// (damaged, or without a hero); its load has said so.
enum class NextStage { Loaded, None, Unreadable };

// The stage index takes the next stage's number either way.
NextStage LoadNextStage(const cStageScene& scene) {
  g_SaveData.m_nSeriesStage = scene.m_nNextStage;
  std::string name;
  if (!MakeNextStageFileName(scene, name, scene.m_nNextStage)) return NextStage::None;
  if (!LoadNumberedStage(name)) return NextStage::Unreadable;
  // A new stage is a new attempt: its replays start empty.
  g_Replay.Empty();
  g_ReplayPrev.Empty();
  return NextStage::Loaded;
}

void AddSaturating(std::int32_t& total, std::int64_t value) {
  total = static_cast<std::int32_t>(std::clamp<std::int64_t>(total + value, std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max()));
}

int FinishStoryStage(const cStageScene& scene) {
  cSaveData& data = g_SaveData;
  const int stageIndex = data.m_nSeriesStage;
  const NextStage next = LoadNextStage(scene);
  if (next == NextStage::Loaded) return GS_STAGE;
  if (next == NextStage::Unreadable) {
    // A run that cannot be played to its end is not cleared: it is left for
    // the map as its pause menu leaves it, and no save records a clear.
    data.m_nSeriesStage = stageIndex;
    data.RestoreStageStart(0, g_Game.m_nPlayMode, g_bDirectStage);
    data.MarkBackToMap();
    return GS_WORLDMAP;
  }
  const int clearSwitch = data.m_nSeries;
  if (clearSwitch >= 0 && clearSwitch < static_cast<int>(data.m_vSwitch.size()))
    data.m_vSwitch[clearSwitch] = 1;
  else
    Report("Clear switch %d of the stage is outside the %d switches", clearSwitch,
           static_cast<int>(data.m_vSwitch.size()));
  data.SetStageValue(data.m_strStage, data.m_strStageKey, data.m_nStageCode1, data.m_nStageCode2,
                     data.m_nStageCode3, data.m_nStageValue);
  const int afterLast = data.m_pMapStage != nullptr ? data.m_pMapStage->m_nAfterLast : kAfterLastNothing;
  if (afterLast == kAfterLastTitle) {
    g_MenuCursor.Top().nRow = g_Game.m_nTitleCmd;
    return GS_TITLE;
  }
  data.m_nSeriesStage = stageIndex;
  if (afterLast == kAfterLastNextRound) data.StartNextRound();
  return GS_WORLDMAP;
}

int FinishChallengeStage(const cStageScene& scene) {
  cSaveData& data = g_SaveData;
  const int stageIndex = data.m_nSeriesStage;
  const NextStage next = LoadNextStage(scene);
  if (next == NextStage::Loaded) return GS_STAGE;
  data.m_nSeriesStage = stageIndex;
  // Nor is a challenge cleared whose run cannot be played to its end.
  if (next == NextStage::Unreadable) return GS_CHALLENGE;
  const int entry = data.m_nSeries - 1;
  if (entry < 0 || entry >= static_cast<int>(data.m_vPair.size())) {
    Report("Challenge stage %d is outside the %d challenge stages", data.m_nSeries,
           static_cast<int>(data.m_vPair.size()));
    return GS_CHALLENGE;
  }
  cIntPair& progress = data.m_vPair[entry];
  progress.nFirst = 1;
  if (data.m_nStageValue > progress.nSecond) {
    AddSaturating(data.m_nStageValueTotal, static_cast<std::int64_t>(data.m_nStageValue) - progress.nSecond);
    progress.nSecond = data.m_nStageValue;
  }
  // Clearing an earlier stage again never closes the later ones.
  data.m_nPairIndex = std::max(data.m_nPairIndex, std::min(data.m_nSeries + 1, std::max(g_System->m_nPairCount, 1)));
  if (!SaveFile(data, g_Paths[PATH_CHALLENGE_SAVE])) Report("The challenge progress could not be saved");
  return GS_CHALLENGE;
}

int FinishFreeStage(const cStageScene& scene) {
  if (g_SaveData.m_bSeriesStart && !g_bDirectStage) {
    const int stageIndex = g_SaveData.m_nSeriesStage;
    if (LoadNextStage(scene) == NextStage::Loaded) return GS_STAGE;
    g_SaveData.m_nSeriesStage = stageIndex;
    return GS_TITLE;
  }
  // A single stage (or one played directly) starts over from its file.
  g_SaveData.m_bSeriesStart = 0;
  return GS_STAGE;
}

}  // namespace

int FinishStageScreens(cStageScene& scene) {
  if (g_PlayStage.CarryOut) StoreCarriedHeroes(scene);
  switch (g_Game.m_nTitleCmd) {
    case kTitleNewGame:
    case kTitleContinue:
      return FinishStoryStage(scene);
    case kTitleChallenge:
      return FinishChallengeStage(scene);
    case kTitleFree:
      return FinishFreeStage(scene);
    case kTitleReplay:
      g_SaveData.RestoreStageStart(1, g_Game.m_nPlayMode, g_bDirectStage);
      return GS_STAGE;
    default:
      return GS_TITLE;
  }
}
