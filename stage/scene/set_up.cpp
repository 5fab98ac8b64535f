// SetStage: the loaded stage becomes a playable attempt. It empties the
// run-time lists, takes the working copy of the stage, decides the seed,
// carries the hero over, asks for the music, sets the speed level, the
// scroll axes and the block map, places the hero, the characters and the
// items, and resets the scene's counters. Every retry runs it again and
// starts from a clean stage: no summoned block or removed character stays.
#include <algorithm>

#include "definitions/flow_record.h"
#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "foundation/log.h"
#include "foundation/run_mode.h"
#include "foundation/text_format.h"
#include "input/input_record.h"
#include "input/replay.h"
#include "input/replay_serving.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/game/game_clock.h"
#include "shell/game/timers.h"
#include "shell/subsystems/subsystem_steps.h"
#include "stage/blocks/block_map.h"
#include "foundation/record_stream.h"
#include "stage/chara/distance_condition.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/core/stage_sinks.h"
#include "stage/draw/layers/screen_color_pixels.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/scene_resources.h"
#include "stage/scene/stage_scene.h"
#include "stage/shots/shot_list.h"

namespace {

constexpr int kMargin = 10;

bool InReplay() { return g_Game.m_nTitleCmd == kTitleCmdReplay; }

// The horizontal and vertical scroll axes and the ranges derived from them.
void SetUpScrollAxes(const cEdStage& stage) {
  StageSpace& space = g_StageSpace;
  space.scrollX = ScrollAxis{};
  space.scrollY = ScrollAxis{};
  space.scrollX.Setup(0, 640, kMargin, stage.Width + 20, stage.ExtraWidth);
  space.scrollY.Setup(1, 480, kMargin, stage.Height + 20, stage.ExtraHeight);
  space.scrollX.SetSpeed(stage.AutoScrollX, stage.AutoScrollSpeedX, stage.LevelF);
  space.scrollY.SetSpeed(stage.AutoScrollY, stage.AutoScrollSpeedY, stage.LevelF);
  space.scrollX.SetRange(stage.LeftColumn, stage.RightColumn, stage.LimitLeft, stage.LimitRight);
  space.scrollY.SetRange(stage.TopRow, stage.BottomRow, stage.LimitTop, stage.LimitBottom);
  space.blockOffsetX = space.blockOffsetY = kMargin;
  space.level = stage.Level;
  space.levelF = stage.LevelF;
  space.gravityStep = stage.GravityStep;
  space.speedLimit = stage.SpeedLimitStep;
  space.DeriveRanges();
}

// Every cell emptied, then the placed blocks; a block outside the stage is
// skipped with a report line.
void SetUpBlockMap(const cEdStage& stage) {
  g_BlockMap.Reset(stage.Height + 20, g_StageSpace.scrollX.rowShift);
  for (std::size_t i = 0; i < stage.m_vBlock.size(); ++i) {
    const cEdBlock& block = stage.m_vBlock[static_cast<long long>(i)];
    if (block.m_nColumn < 0 || block.m_nColumn >= stage.Width || block.m_nRow < 0 || block.m_nRow >= stage.Height) {
      Report("block %zu outside the stage ( %d , %d )", i, block.m_nColumn, block.m_nRow);
      continue;
    }
    g_BlockMap.Place(block.m_nColumn + kMargin, block.m_nRow + kMargin, block, static_cast<int>(i) + 1);
  }
}

void RequestStageBgm(cStageScene& scene, const cEdStage& stage, int bFirstEntry) {
  const int bgm = stage.BgmNumber;
  bool request;
  if (!bFirstEntry) request = scene.m_nLastStageBgm != bgm;
  else request = !stage.BgmKeep || scene.m_nLastStageBgm != bgm || bgm == 0;
  if (request) {
    RequestStageMusic(bgm, stage.BgmParam);
    scene.m_nLastStageBgm = bgm;
  }
  g_Game.m_nBgmNo = 0;
}

}  // namespace

void cStageScene::SetStage(int bLoadStage, int bFirstEntry) {
  DebugLogF("In SetStage bLoadStage = %d", bLoadStage);
  m_nFrameCount = 0;
  LoadStageRules();
  SetStageLists();
  if (bLoadStage) {
    if (InReplay()) {
      if (!ReadReplayStep(g_strReplayFile)) {
        FailSetUp();
        return;
      }
      g_ReplayDataVersion = g_FileVersion;
    }
    g_PlayStage = g_Stage;
  }
  // The stage's hero entry stays as the stage places it: the carried record
  // holds only the items the project enables (the rest is a fresh definition
  // of a computer character on the enemies' side at the top-left cell), so
  // taking it whole would put the hero out there and its own entry out as a
  // character. The carried items reach the hero only through the carry-over
  // below, when the stage asks for it; replay playback sets the same hero up.
  const int heroStart = g_PlayStage.FindHeroStart();
  if (heroStart < 0) {
    Report("err V[%d] ( %d , %d )", heroStart, static_cast<int>(g_PlayStage.m_vChara.size()), 76);
    FailSetUp();
    return;
  }
  // The seed: the replay's own, or a new one; the save snapshot of the
  // attempt that ends is kept with its replay before the carry-over.
  if (InReplay()) {
    m_nSeed = static_cast<std::uint32_t>(g_Replay.m_nSeed);
    g_Replay.Rewind();
  } else {
    m_nSeed = GameNowMs();
    if (g_StageRules.replayRecording) {
      g_ReplaySaveDataPrev = g_ReplaySaveData;
      g_ReplaySaveData = g_SaveData;
      g_ReplayPrev = g_Replay;
      g_Replay.Empty();
      g_Replay.m_nSeed = static_cast<std::int32_t>(m_nSeed);
    }
  }
  SeedRand(m_nSeed);
  if (g_PlayStage.CarryOver)
    g_SaveData.ApplyCarryOver(0, g_PlayStage.m_vChara[heroStart], g_PlayStage);
  RequestStageBgm(*this, g_PlayStage, bFirstEntry);
  m_nBanner1 = m_nBanner2 = m_nEndBanner = 0;
  g_PlayStage.SetSpeedLevel(g_PlayStage.SpeedLevel);
  SetUpScrollAxes(g_PlayStage);
  SetUpBlockMap(g_PlayStage);
  SetUpHero();
  m_vStageVars.assign(1000, 0);
  SetUpObjects();
  FinaliseStageResources(*this);
  SetSubStepMask();
  m_nBanner1 = m_nBanner2 = 0;
  if (g_PlayStage.TimeLimitOn) {
    m_nTimeLeft = g_PlayStage.TimeLimit;
    m_bTimeStopped = 0;
  } else {
    m_nTimeLeft = 999;
    m_bTimeStopped = 1;
  }
  m_nPlayFrames = m_nPlayTime = 0;
  FrameSkipCount(0, 60);
  m_vWakeGroups.assign(kWakeGroups, 0);
  m_nPendingOutcome = m_nStageResult = m_nSubStepTotal = 0;
  m_nNextStage = m_bOwnNextStage = m_bRecordsRegistered = 0;
  m_strNextStageFile.clear();
  g_SaveData.m_nScore = 0;
  if (InReplay() || (g_bFromEditor && g_bDirectStage)) {
    g_SaveData.m_nResult1 = g_SaveData.m_nResult2 = g_SaveData.m_nResult3 = g_SaveData.m_nResult4 = 0;
    g_SaveData.m_nStageValue = 0;
  }
  g_SaveData.SaveStageStart();
  for (cInput& input : g_Inputs) input.Reset();
  m_nMenuCursor = 0;
  g_Game.m_nFps = g_PlayStage.FrameRate;
  CheckStartingCharas();
  DebugLog("Out SetStage");
}

void cStageScene::SetStageLists() {
  for (auto& list : m_GroupLists) list.clear();
  ClearShots();
  g_CharaList.Clear();
  g_ItemList.Clear();
  m_nCharaSerial = m_nItemSerial = 0;
  m_nShotSerial = 0;
  m_TakenItemCmds.clear();
  ClearStageShows(*this);
  ClearScreenColor(m_Draw.screenColor);
}

void cStageScene::SetUpHero() {
  m_nHeroCount = 1;
  g_Heroes.clear();
  const int heroStart = std::max(g_PlayStage.FindHeroStart(), 0);
  if (g_PlayStage.m_vChara.empty()) return;
  const cEdChara& definition = g_PlayStage.m_vChara[heroStart];
  // The clear of the stage before may have asked for the start cell and the
  // facing; a cell outside the stage is held inside it by the clamps below.
  const cSaveData& play = g_SaveData;
  const bool startAsked = play.m_nClearValue1 != 0;
  const int column = startAsked ? play.m_nClearValue2 : definition.m_nColumn;
  const int row = startAsked ? play.m_nClearValue3 : definition.m_nRow;
  for (int i = 0; i < m_nHeroCount; ++i) {
    auto hero = std::make_unique<cHero>();
    hero->Place(i, definition, column, row);
    if (startAsked) hero->facing = play.m_nClearValue4 != 0 ? 1 : 0;
    const double shiftX = definition.GetShiftX(0, hero->facing);
    const double shiftY = definition.GetShiftY(0, hero->facing);
    hero->x += shiftX;
    hero->y += shiftY;
    hero->savedX += shiftX;
    hero->savedY += shiftY;
    hero->ClampX();
    hero->ClampY();
    if (g_PlayStage.CarryOver) g_SaveData.ApplyCarryOverStatus(i, hero->hp, hero->sp);
    hero->anime.SetPattern(hero->PassesBlocks() ? 2 : 0, 1);
    g_Heroes.push_back(std::move(hero));
  }
  cHero& hero = *g_Heroes.front();
  g_StageSpace.scrollX.position = hero.x - 320 + hero.hitWidth / 2;
  g_StageSpace.scrollY.position = hero.y - 240 + hero.hitHeight / 2;
  g_StageSpace.scrollX.Clamp();
  g_StageSpace.scrollY.Clamp();
}

void cStageScene::SetUpObjects() {
  cEdStage& stage = g_PlayStage;
  // Stage files keep no item links of placed characters: every placed
  // computer-operated character is put out, then every placed item. Entries
  // operated by the player are not: the one hero stands on the first of
  // them.
  for (const cEdChara& entry : stage.m_vChara)
    if (entry.m_nOperator == kOperatorComputer) SpawnChara(entry.m_nColumn, entry.m_nRow, entry, nullptr);
  for (const cEdItem& item : stage.m_vItem) SpawnItem(item.m_nColumn, item.m_nRow, item);
  for (const auto& hero : g_Heroes) m_GroupLists[SideIndex(hero->side)].push_back(hero.get());
  g_CharaList.ForEach([&](cStageChara& chara) { m_GroupLists[SideIndex(chara.side)].push_back(&chara); });
  for (std::size_t area = 0; area < m_bAreaOn.size(); ++area) {
    const cEdStageCond& cond = stage.RemovalAreas[area];
    m_bAreaOn[area] = cond.m_nLeft || cond.m_nRight || cond.m_nTop || cond.m_nBottom;
  }
}

void cStageScene::SetSubStepMask() {
  const int level = std::max(g_PlayStage.Level, 0);
  const int n = g_PlayStage.StepMaskCount;
  m_vSubStepMask.assign(static_cast<std::size_t>(level), n == 0 ? 1 : 0);
  if (n == 0 || level == 0) return;
  if (n < 0) return;
  int set = 0;
  for (long long k = 0;; ++k) {
    const long long position = k * level / n;
    if (position >= level) break;
    m_vSubStepMask[position] = 1;
    ++set;
  }
  if (set < n) m_vSubStepMask[level - 1] = 1;
}

// Characters already vanished or out of HP when the attempt starts are
// erased before the first frame.
void cStageScene::CheckStartingCharas() {
  if (!g_StageRules.testAllAtStart) UpdateActivity();
  // The flows of "ステージ開始前" run here: the hero's first, then each
  // character's before its own check.
  if (cHero* hero = PlayerHero()) hero->RunTriggeredFlowsOfKind(kTriggerBeforeStage);
  g_CharaList.ForEach([&](cStageChara& chara) {
    if (!g_StageRules.testAllAtStart && !chara.present) return;
    chara.RunTriggeredFlowsOfKind(kTriggerBeforeStage);
    if (chara.vanish) {
      RemoveChara(chara);
    } else if (chara.hp <= 0) {
      KillAndCheckEnd(chara);
      RemoveChara(chara);
    }
  });
  UpdateActivity();
  PurgeRemoved();
}
