#include "screens/worldmap/world_map_scene.h"

#include <algorithm>
#include <cstdint>

#include "definitions/save_data/save_data.h"
#include "definitions/save_data/save_slots.h"
#include "foundation/log.h"
#include "foundation/message_box.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "platform/main_thread.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/common/ranking_keys.h"
#include "screens/common/screen_fade.h"
#include "screens/common/screen_music.h"
#include "screens/common/screen_pictures.h"
#include "screens/menu/menu_pictures.h"
#include "screens/menu/text_layout.h"
#include "screens/progress/play_progress.h"
#include "screens/ranking/ranking_files.h"
#include "screens/ranking/ranking_genre.h"
#include "screens/ranking/ranking_records.h"
#include "screens/worldmap/world_stage_rules.h"
#include "shell/game/game.h"
#include "sound/waves/sound_requests.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr int kMapBgmSlot = 1;
constexpr int kEnterMenuY = 260;
constexpr int kEnterTerms = 10;
constexpr std::uint16_t kDecide = 1;
constexpr std::uint16_t kCancel = 2;
constexpr int kLastSlot = kSaveSlotCount - 1;
constexpr int kStoryRanking = 0;

bool SameCell(WorldCell a, WorldCell b) { return a.x == b.x && a.y == b.y; }

int ModeEntry(const cVector<std::int32_t>& list, int slot) {
  return slot < static_cast<int>(list.size()) ? list[slot] : 0;
}

}  // namespace

cWorldMapScene::cWorldMapScene() : cScreenScene(GS_WORLDMAP, 0x0F) {
  m_vPhases = {[this] { FadeIn(); }, [this] { WalkPhase(); }, [this] { EnterPhase(); }, [this] { Leave(); }};
}

void cWorldMapScene::SetView() {
  const WorldCell view = ViewOrigin(m_Cursor);
  const bool moved = !SameCell(view, m_View);
  m_View = view;
  if (moved) DrawWorldMapSurface(m_View, g_SaveData);
}

void cWorldMapScene::FindStage() {
  m_pPoint = g_WorldMap->GetPointAt(m_Cursor);
  m_pStage = ChoosePointStage(m_pPoint, g_SaveData);
}

void cWorldMapScene::Start() {
  RequestScreenBgm(kMapBgmSlot);
  SetSurfaceFile(&g_BmpSD[kWorldBackPicture], g_WorldMap->m_strBackBmp.c_str());
  std::snprintf(g_BmpTable[kWorldBackPicture].szPath, sizeof g_BmpTable[kWorldBackPicture].szPath, "%s",
                g_WorldMap->m_strBackBmp.c_str());
  static constexpr int kPictures[] = {kWorldBackPicture, kWorldChipPicture, kWorldIconPicture,
                                      kCursorPicture,    kWindowPicture,    kWorldMapWorkPicture};
  if (!LoadBmpSurfaces(g_BmpSD, kPictures, 6)) platform::RequestClose();
  ResetMenuCursor();
  g_SaveData.SumWorldStageValues();
  m_Cursor = {g_SaveData.m_nMapX, g_SaveData.m_nMapY};
  m_View = ViewOrigin(m_Cursor);
  m_nFacing = g_SaveData.m_nMapState1;
  FindStage();
  m_BeforeMove = g_MenuCursor.Top();
  if (IsEnterable(m_pStage)) AnnounceStage();
  if (g_SaveData.m_bAutoSave && g_Game.m_nPrevState == GS_STAGE) {
    const int slot = g_SaveData.m_nSlot;
    if (slot < 0 || slot > kLastSlot || !SaveToSlot(g_SaveData, slot))
      Report("world map: the auto-save into slot %d failed", slot);
  }
  DrawWorldMapSurface(m_View, g_SaveData);
  m_nSubPhase = 0;
}

void cWorldMapScene::AnnounceStage() {
  SetCurrentStage(g_SaveData, m_pStage->m_strStage, m_pStage->m_nCode1, m_pStage->m_nCode2, m_pStage->m_nCode3);
  m_nStageValue = g_SaveData.GetStageValue(g_SaveData.m_strStageKey);
  m_Arrival = m_Cursor;
  if (!g_Game.m_bRanking) return;
  LoadRanking(g_Ranking, g_Game.m_nPlayMode, g_SaveData.m_strStage, g_SaveData.m_nStageCode1,
              g_SaveData.m_nStageCode2, g_SaveData.m_nStageCode3);
  StepRankingGenre(g_SaveData, g_Game.m_nPlayMode, 0);
}

bool cWorldMapScene::LoadChosenStage() {
  if (LoadNumberedStage(m_pStage->m_strStage)) return true;
  ErrorBoxF(Cp932Literal("ステージファイル %s が読み込めません！"), m_pStage->m_strStage.c_str());
  return false;
}

void cWorldMapScene::StartStage() {
  g_SaveData.m_pMapStage = m_pStage;
  SetCurrentStage(g_SaveData, m_pStage->m_strStage, m_pStage->m_nCode1, m_pStage->m_nCode2, m_pStage->m_nCode3);
  g_SaveData.m_nSeries = ClearSwitchOf(*m_pStage);
  g_SaveData.m_nSeriesStage = 1;
  const bool unlimited = ModeEntry(g_System->m_vLifeUnlimited, PM_STORY) != 0;
  // The lives left come from a save file: +1 must not overflow.
  const int carried = static_cast<int>(std::min<long long>(g_SaveData.m_nLife + 1LL, INT32_MAX));
  const int lives = g_System->m_bLifeCarryOver ? carried : ModeEntry(g_System->m_vLifeStart, PM_STORY);
  g_SaveData.m_nLifeStart = unlimited ? cSaveData::kUnlimited : lives;
  g_SaveData.m_nMapX = m_Cursor.x;
  g_SaveData.m_nMapY = m_Cursor.y;
  g_SaveData.m_nMapState1 = m_nFacing;
}

void cWorldMapScene::Draw(bool details) {
  DrawWorldMapScreen({m_nFacing, IsEnterable(m_pStage) ? m_pStage : nullptr, m_nStageValue}, details,
                     m_nFrameCounter, m_View, g_SaveData);
}

void cWorldMapScene::FadeIn() {
  Draw(g_SaveData.m_bBackToMap == 0);
  if (!StepScreenFadeIn()) return;
  if (IsEnterable(m_pStage) && g_SaveData.m_bBackToMap == 0) {
    if (g_Game.m_nPrevState != GS_MAPMENU && !IsStageOpen(*m_pStage, g_SaveData)) {
      if (LoadChosenStage()) {
        StartStage();
        g_SaveData.m_nMapState3 = m_Cursor.x;
        g_SaveData.m_nMapState4 = m_Cursor.y;
        m_nSubPhase = 0;
        g_Game.m_nNextState = GS_STAGE;
        m_nPhase = kLeave;
        return;
      }
      // Not loadable: the figure goes back to where it came from and walks on.
      m_Cursor = {g_SaveData.m_nMapState3, g_SaveData.m_nMapState4};
      SetView();
      DrawWorldMapSurface(m_View, g_SaveData);
      FindStage();
    }
  } else if (IsEnterable(m_pStage)) {
    g_SaveData.m_bBackToMap = 0;
    if (!IsStageCleared(*m_pStage, g_SaveData)) {
      m_Cursor = {g_SaveData.m_nMapState3, g_SaveData.m_nMapState4};
      SetView();
      DrawWorldMapSurface(m_View, g_SaveData);
      FindStage();
    }
  }
  m_nPhase = kWalk;
}

void cWorldMapScene::MoveCursor(const cInput& input) {
  const std::uint16_t dir = input.m_wDir;
  if (!(dir & (kDirLeft | kDirRight | kDirUp | kDirDown))) return;
  g_SaveData.m_nMapState3 = m_Cursor.x;
  g_SaveData.m_nMapState4 = m_Cursor.y;
  m_BeforeMove = g_MenuCursor.Top();
  const WorldCell from = m_Cursor;
  const cWorldMap& map = *g_WorldMap;
  int facing = m_nFacing;
  if (dir & kDirLeft) facing = 2, m_Cursor.x = std::max(m_Cursor.x - 1, 0);
  else if (dir & kDirRight) facing = 3, m_Cursor.x = std::min(m_Cursor.x + 1, map.m_nWidth - 1);
  else if (dir & kDirUp) facing = 1, m_Cursor.y = std::max(m_Cursor.y - 1, 0);
  else facing = 0, m_Cursor.y = std::min(m_Cursor.y + 1, map.m_nHeight - 1);
  FindStage();
  bool blocked = m_pStage && m_pStage->m_nKind == cWorldStage::kWall;
  if (!m_pStage) {
    const int kind = map.m_vCell[(static_cast<long long>(m_Cursor.y) << map.m_nPitchShift) + m_Cursor.x];
    blocked = kind >= 0 && kind < static_cast<int>(map.m_vTile.size()) && map.m_vTile[kind].m_bBlock;
  }
  if (blocked) {
    m_Cursor = from;
    FindStage();
    return;
  }
  m_nFacing = facing;
  SetView();
}

void cWorldMapScene::WalkPhase() {
  const cInput& input = g_Inputs[0];
  MoveCursor(input);
  PlayCursorSound(input.m_wDir, 3, 0);
  if (IsEnterable(m_pStage)) {
    if (!SameCell(m_Cursor, m_Arrival)) AnnounceStage();
    const bool open = IsStageOpen(*m_pStage, g_SaveData);
    const bool decideAllowed = !(IsStageCleared(*m_pStage, g_SaveData) && ReplayableOf(*m_pStage) == 0);
    if (!open || ((input.m_wButton & kDecide) && decideAllowed)) {
      g_SaveData.m_nMapX = m_Cursor.x;
      g_SaveData.m_nMapY = m_Cursor.y;
      PushMenuCursor(kPushZero);
      m_nSubPhase = 0;
      m_nPhase = kEnter;
      return;
    }
    HandleRankingKeys(input, kStoryRanking);
  }
  if (input.m_wButton & kCancel) {
    RequestSound(4);
    g_SaveData.m_nMapX = m_Cursor.x;
    g_SaveData.m_nMapY = m_Cursor.y;
    g_SaveData.m_nMapState1 = m_nFacing;
    m_nSubPhase = 0;
    g_Game.m_nNextState = GS_MAPMENU;
    m_nPhase = kLeave;
    return;
  }
  Draw(true);
}

void cWorldMapScene::EnterPhase() {
  if (m_nSubPhase == 0) {
    RequestSound(1);
    m_bStageLoaded = LoadChosenStage();
    g_MenuCursor.Top().nRow = 1;
    m_nSubPhase = 1;
  }
  const cInput& input = g_Inputs[0];
  const int x = CenterTermsX(304, kEnterTerms, 2, 1);
  MoveGridCursor(input, x, kEnterMenuY, 0, 16, 1, 2);
  PlayCursorSound(input.m_wDir, 2, 0);
  bool back = false;
  if (input.m_wButton & kDecide) {
    RequestSound(1);
    if (g_MenuCursor.Top().nRow == 0 && m_bStageLoaded) {
      StartStage();
      m_nSubPhase = 0;
      g_Game.m_nNextState = GS_STAGE;
      m_nPhase = kLeave;
      return;
    }
    back = true;
  } else if (input.m_wButton & kCancel) {
    RequestSound(2);
    back = true;
  }
  if (back) {
    if (!IsStageOpen(*m_pStage, g_SaveData)) {
      PopMenuCursor(kPopKeep);
      m_Cursor = {g_SaveData.m_nMapState3, g_SaveData.m_nMapState4};
      g_MenuCursor.Top() = m_BeforeMove;
      SetView();
      FindStage();
      m_Arrival = {-1, -1};
    } else {
      PopMenuCursor(kPopKeep);
    }
    m_nPhase = kWalk;
    return;
  }
  HandleRankingKeys(input, kStoryRanking);
  Draw(true);
  DrawTermsColumn(&BackBuffer, x, kEnterMenuY, kEnterTerms, 2, 1);
  DrawCursorCellAtTop(CursorCell::kSmall);
}

void cWorldMapScene::Leave() {
  Draw(true);
  if (!StepScreenFadeOut()) return;
  ResetMenuCursor();
  cScreenScene::Leave();
  m_nPhase = kPhaseStart;
}
