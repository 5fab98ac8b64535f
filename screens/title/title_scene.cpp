#include "screens/title/title_scene.h"

#include <algorithm>

#include "definitions/cleared_record.h"
#include "definitions/save_data/save_data.h"
#include "definitions/save_data/save_slots.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "input/input_record.h"
#include "input/replay_requests.h"
#include "platform/main_thread.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/common/screen_fade.h"
#include "screens/common/screen_music.h"
#include "screens/common/screen_pictures.h"
#include "screens/common/visible_commands.h"
#include "screens/menu/menu_cursor.h"
#include "screens/menu/menu_pictures.h"
#include "screens/progress/play_progress.h"
#include "screens/slots/save_slot_list.h"
#include "shell/game/game.h"
#include "shell/game/menu_colors.h"
#include "shell/requests/game_requests.h"
#include "sound/waves/sound_requests.h"

namespace {

constexpr int kMenuOriginX = 192;
constexpr int kMenuOriginY = 240;
constexpr int kSlotOriginX = 160;
constexpr int kSlotOriginY = 160;
constexpr int kMenuRow = 32;
constexpr int kSlotRow = 16;
constexpr int kMaxSlotRows = 10;
constexpr int kTitleBgmSlot = 0;
constexpr std::uint16_t kDecide = 1;
constexpr std::uint16_t kCancel = 2;

constexpr int kSoundCursor = 0;
constexpr int kSoundDecide = 1;
constexpr int kSoundCancel = 2;
constexpr int kSoundRefuse = 3;

// The play mode chosen, with the ranking as its setting has it.
void ChoosePlayMode(int playMode) {
  const auto& settings = g_System->m_vRankingSettings;
  g_Game.m_nPlayMode = playMode;
  g_Game.m_bRanking = playMode < static_cast<int>(settings.size()) ? settings[playMode].m_bOn : 0;
}

// A new challenge play from the challenge file, or fresh progress with one
// empty result pair per challenge stage when there is none.
void PrepareChallengeProgress() {
  if (g_SaveData.LoadChallenge()) return;
  g_SaveData.Reset();
  g_SaveData.m_vPair.resize(static_cast<std::size_t>(std::max(g_System->m_nPairCount, 0)), ClearedRecord<cIntPair>());
}

bool EightBitDirectDraw() { return !lpDTCon && g_DDState.nBpp == 8; }

}  // namespace

cTitleScene::cTitleScene() : cScreenScene(GS_TITLE, kDecide | kCancel) {
  m_vPhases = {[this] { FadeIn(); }, [this] { MenuPhase(); }, [this] { SlotPhase(true); },
               [this] { SlotPhase(false); }, [this] { Leave(); }};
}

void cTitleScene::Start() {
  RequestScreenBgm(kTitleBgmSlot);
  static constexpr int kPictures[] = {kTitlePicture, kTitleCommandPicture, kCursorPicture, kWindowPicture};
  if (!LoadBmpSurfaces(g_BmpSD, kPictures, 4)) platform::RequestClose();
  ResetMenuCursor();
  m_anCmd = VisibleCommands(g_System->m_vTitleMenu, kTitleCommandCount, "title");
  MENUCURSOR& cursor = g_MenuCursor.Top();
  cursor.nRow = g_Game.m_nTitleCmd;
  if (auto found = std::find(m_anCmd.begin(), m_anCmd.end(), g_Game.m_nTitleCmd); found != m_anCmd.end())
    cursor.nRow = static_cast<int>(found - m_anCmd.begin());
  const bool pictures = TitleMenuAsPictures();
  m_nMenuX = pictures ? 288 - g_BmpSD[kTitleCommandPicture].nWidth / 2 : kMenuOriginX;
  if (!m_Box.Build(m_anCmd, pictures)) platform::RequestClose();
  m_nSubPhase = 0;
}

void cTitleScene::DrawTitle() {
  DDBlt(&BackBuffer, 0, 0, 640, 480, &g_BmpSD[kTitlePicture], 0, 0, 0);
  m_Box.Blit(&BackBuffer, m_nMenuX, kMenuOriginY);
  AnimateMenuColors();
}

void cTitleScene::FadeIn() {
  if (EightBitDirectDraw()) m_Box.Redraw();
  DrawTitle();
  if (StepScreenFadeIn()) m_nPhase = kMenu;
}

void cTitleScene::MenuPhase() {
  const cInput& input = g_Inputs[0];
  const int rows = static_cast<int>(m_anCmd.size());
  MoveGridCursor(input, m_nMenuX, kMenuOriginY, 0, kMenuRow, 1, rows);
  PlayCursorSound(input.m_wDir, 2, kSoundCursor);
  if (input.m_wButton & kDecide) {
    RequestSound(kSoundDecide);
    ChooseCommand(m_anCmd[static_cast<std::size_t>(std::clamp(g_MenuCursor.Top().nRow, 0, rows - 1))]);
    return;
  }
  DrawTitle();
  DrawCursorCellAtTop(CursorCell::kLarge);
}

void cTitleScene::ChooseCommand(int command) {
  g_Game.m_nTitleCmd = command;
  switch (command) {
    case kTitleNewGame:
    case kTitleContinue:
      ChoosePlayMode(PM_STORY);
      PushMenuCursor(kPushZero);
      m_nSubPhase = 0;
      m_nPhase = command == kTitleNewGame ? kNewGame : kContinue;
      break;
    case kTitleChallenge:
      ChoosePlayMode(PM_CHALLENGE);
      PrepareChallengeProgress();
      g_Game.m_nNextState = GS_CHALLENGE;
      m_nPhase = kLeave;
      break;
    case kTitleFree:
      ChoosePlayMode(PM_FREE);
      if (RequestFileDialog(WM_GAME_OPENSTAGE) == 1) {
        g_Game.m_nNextState = GS_STAGE;
        m_nPhase = kLeave;
      }
      break;
    case kTitleReplay:
      ChoosePlayMode(PM_REPLAY);
      if (RequestReplayLoad()) {
        g_Game.m_nNextState = GS_STAGE;
        m_nPhase = kLeave;
      }
      break;
    case kTitleOption:
      g_Game.m_nNextState = GS_OPTION;
      m_nPhase = kLeave;
      break;
    default:
      platform::RequestClose(platform::CloseReason::User);
      break;
  }
}

void cTitleScene::SlotPhase(bool newGame) {
  if (m_nSubPhase == 0) {
    if (newGame && g_System->m_nSetting0A == 0) {
      ResetStoryProgress();
      g_Game.m_nNextState = GS_WORLDMAP;
      m_nPhase = kLeave;
      return;
    }
    RefreshSaveSlots(g_SaveSlots);
    g_MenuCursor.Top() = MENUCURSOR{};
    m_nSlotTop = 0;
    m_nSubPhase = 1;
  }
  const cInput& input = g_Inputs[0];
  const int total = static_cast<int>(g_SaveSlots.size());
  m_nSlotRows = std::min(total, kMaxSlotRows);
  ScrollListCursor(input, 1, m_nSlotTop, kSlotOriginY, kSlotRow, kSlotOriginX, m_nSlotRows, total, 1);
  PlayCursorSound(input.m_wDir, 3, kSoundCursor);
  const int row = g_MenuCursor.Top().nRow;
  if (input.m_wButton & kDecide) {
    const cSaveSlot& slot = g_SaveSlots[row];
    if (newGame && slot.m_bValid == 0) {
      RequestSound(kSoundDecide);
      ResetStoryProgress();
      g_SaveData.m_nSlot = row;
      g_SaveData.m_bAutoSave = 1;
    } else if (!newGame && slot.m_bValid != 0 && LoadFromSlot(g_SaveData, row)) {
      RequestSound(kSoundDecide);
    } else {
      RequestSound(kSoundRefuse);
      return;
    }
    g_Game.m_nNextState = GS_WORLDMAP;
    m_nPhase = kLeave;
    return;
  }
  if (input.m_wButton & kCancel) {
    RequestSound(kSoundCancel);
    PopMenuCursor(kPopKeep);
    m_nPhase = kMenu;
    m_nSubPhase = 0;
    return;
  }
  DrawSlotList();
}

void cTitleScene::DrawSlotList() {
  DDBlt(&BackBuffer, 0, 0, 640, 480, &g_BmpSD[kTitlePicture], 0, 0, 0);
  AnimateMenuColors();
  DrawSaveSlots(&BackBuffer, kSlotOriginX, kSlotOriginY, g_SaveSlots, m_nSlotTop, m_nSlotRows);
  DrawCursorCellAtTop(CursorCell::kSmall);
}

void cTitleScene::Leave() {
  if (!StepScreenFadeOut()) return;
  ResetMenuCursor();
  cScreenScene::Leave();
  m_nPhase = kPhaseStart;
}
