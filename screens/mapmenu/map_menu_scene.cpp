#include "screens/mapmenu/map_menu_scene.h"

#include <algorithm>
#include <string>

#include "definitions/save_data/save_data.h"
#include "definitions/save_data/save_slots.h"
#include "foundation/log.h"
#include "foundation/text_format.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/blits/frame_rect.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/text/font_setup.h"
#include "input/input_record.h"
#include "platform/main_thread.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/common/screen_fade.h"
#include "screens/common/screen_music.h"
#include "screens/common/screen_pictures.h"
#include "screens/common/visible_commands.h"
#include "screens/menu/menu_cursor.h"
#include "screens/menu/menu_pictures.h"
#include "screens/menu/text_layout.h"
#include "screens/slots/save_slot_list.h"
#include "shell/game/game.h"
#include "shell/game/menu_colors.h"
#include "sound/waves/sound_requests.h"

namespace {

constexpr int kMenuX = 264, kMenuY = 192;
constexpr int kSlotX = 152, kSlotY = 160;
constexpr int kSaveConfirmY = 400;
constexpr int kChoiceY = 224;
constexpr int kNoSlotY = 232;
constexpr int kScoreY = 260;
constexpr int kLine = 16;
constexpr int kMaxSlotRows = 10;
constexpr int kMapBgmSlot = 1;
constexpr int kClearColour = 16;
constexpr int kFrameColour = 240;
constexpr std::uint16_t kDecide = 1;
constexpr std::uint16_t kCancel = 2;
enum Term : int { kTermTotal = 4, kTermSave = 12, kTermAutoSave = 14, kTermNoSlot = 16, kTermTitle = 17 };

// Saves the play into its slot; false (sound 3 and a report line) when the
// slot is not one of the 99 or its file could not be written.
bool SaveIntoSlot(int slot) {
  if (slot >= 0 && slot < kSaveSlotCount && SaveToSlot(g_SaveData, slot)) return true;
  RequestSound(3);
  Report("map menu: saving into slot %d failed", slot);
  return false;
}

void DrawTotalScoreBox() {
  const int total = g_SaveData.m_nStageValueTotal;
  if (!g_System->m_nScreen167C || total <= 0) return;
  int digits = 0;
  for (int rest = total; rest > 0 && digits < 10; rest /= 10) ++digits;
  const int width = kLine * (GetCharCount(g_System->Term(kTermTotal)) + 1 + digits);
  const int x = 320 - width / 2;
  g_Fonts[kMenuFont].DrawBox(&BackBuffer, x, kScoreY, width, kLine);
  g_Fonts[kMenuFont].Printf(&BackBuffer, x, kScoreY, "%s%d", g_System->Term(kTermTotal).c_str(), total);
}

int ChoiceX(int first, int count, int extra) { return CenterTermsX(320, first, count, extra); }

}  // namespace

cMapMenuScene::cMapMenuScene() : cScreenScene(GS_MAPMENU, kDecide | kCancel) {
  m_vPhases = {[this] { FadeIn(); },        [this] { MenuPhase(); }, [this] { SavePhase(); },
               [this] { AutoSavePhase(); }, [this] { BackPhase(); }, [this] { TitlePhase(); },
               [this] { Leave(); }};
}

void cMapMenuScene::Start() {
  RequestScreenBgm(kMapBgmSlot);
  static constexpr int kPictures[] = {kWindowPicture, kCursorPicture};
  if (!LoadBmpSurfaces(g_BmpSD, kPictures, 2)) platform::RequestClose();
  m_anCmd = VisibleCommands(g_System->m_vMapMenu, kCommandCount, "map menu");
  ResetMenuCursor();
  m_nSubPhase = 0;
}

void cMapMenuScene::DrawScreen() {
  DDFillSurface(&BackBuffer, kClearColour);
  int widest = 0;
  for (int command : m_anCmd) widest = std::max(widest, GetCharCount(CommandName(g_System->m_vMapMenu, command)));
  const int width = kLine * (widest + 1);
  const int height = kLine * static_cast<int>(m_anCmd.size());
  DDBltFramed(&BackBuffer, kMenuX, kMenuY, width, height, &g_BmpSD[kWindowPicture], 1, kFrameColour);
  for (std::size_t i = 0; i < m_anCmd.size(); ++i)
    g_Fonts[kMenuFont].Draw(&BackBuffer, kMenuX + kLine, kMenuY + kLine * static_cast<int>(i),
                            CommandName(g_System->m_vMapMenu, m_anCmd[i]).c_str());
  DrawTotalScoreBox();
  AnimateMenuColors();
}

void cMapMenuScene::FadeIn() {
  DrawScreen();
  DrawCursorCellAtTop(CursorCell::kSmall);
  if (StepScreenFadeIn()) m_nPhase = kMenu;
}

void cMapMenuScene::BackToMenu() {
  PopMenuCursor(kPopKeep);
  m_nPhase = kMenu;
  m_nSubPhase = 0;
}

void cMapMenuScene::ResetCursorToRow(int row) {
  g_MenuCursor.Top() = MENUCURSOR{};
  g_MenuCursor.Top().nRow = row;
}

void cMapMenuScene::MenuPhase() {
  const cInput& input = g_Inputs[0];
  MoveGridCursor(input, kMenuX, kMenuY, 0, kLine, 1, static_cast<int>(m_anCmd.size()));
  PlayCursorSound(input.m_wDir, 2, 0);
  if (input.m_wButton & kDecide) {
    RequestSound(1);
    m_nPhase = m_anCmd[static_cast<std::size_t>(g_MenuCursor.Top().nRow)] + kSave;
    PushMenuCursor(kPushZero);
    return;
  }
  if (input.m_wButton & kCancel) {
    RequestSound(2);
    m_nPhase = kBack;
    return;
  }
  DrawScreen();
  DrawCursorCellAtTop(CursorCell::kSmall);
}

void cMapMenuScene::DrawSlots() {
  DDFillSurface(&BackBuffer, kClearColour);
  DrawSaveSlots(&BackBuffer, kSlotX, kSlotY, g_SaveSlots, m_nSlotTop, m_nSlotRows);
}

void cMapMenuScene::SavePhase() {
  if (m_nSubPhase == 0) {
    const int row = std::clamp(g_SaveData.m_nSlot, 0, kSaveSlotCount - 1);
    ResetCursorToRow(row);
    RefreshSaveSlots(g_SaveSlots);
    m_nSlotRows = std::min(static_cast<int>(g_SaveSlots.size()), kMaxSlotRows);
    m_nSlotTop = row;
    m_nSubPhase = 1;
  }
  if (m_nSubPhase == 2) {
    ConfirmSave();
    return;
  }
  const cInput& input = g_Inputs[0];
  ScrollListCursor(input, 1, m_nSlotTop, kSlotY, kLine, kSlotX, m_nSlotRows, static_cast<int>(g_SaveSlots.size()), 1);
  PlayCursorSound(input.m_wDir, 3, 0);
  if (input.m_wButton & kDecide) {
    RequestSound(1);
    PushMenuCursor(kPushZero);
    g_MenuCursor.Top().nRow = 1;
    m_nSubPhase = 2;
    return;
  }
  if (input.m_wButton & kCancel) {
    RequestSound(2);
    BackToMenu();
    return;
  }
  DrawSlots();
  DrawCursorCellAtTop(CursorCell::kSmall);
}

void cMapMenuScene::ConfirmSave() {
  const cInput& input = g_Inputs[0];
  const int x = ChoiceX(kTermSave, 2, 1);
  MoveGridCursor(input, x, kSaveConfirmY, 0, kLine, 1, 2);
  PlayCursorSound(input.m_wDir, 2, 0);
  const bool decide = input.m_wButton & kDecide;
  if (decide || (input.m_wButton & kCancel)) {
    const MENUCURSOR* slot = g_MenuCursor.Below();
    if (decide && g_MenuCursor.Top().nRow == 0 && slot) {
      // The slot number is part of what the file records (continue takes
      // it back), so it changes before the save and is restored on failure.
      const int before = g_SaveData.m_nSlot;
      g_SaveData.m_nSlot = slot->nRow;
      if (SaveIntoSlot(slot->nRow)) RequestSound(5);
      else g_SaveData.m_nSlot = before;
    } else {
      RequestSound(decide ? 1 : 2);
    }
    PopMenuCursor(kPopKeep);
    m_nSubPhase = 1;
    return;
  }
  DrawSlots();
  DrawTermsColumn(&BackBuffer, x, kSaveConfirmY, kTermSave, 2, 1);
  if (const MENUCURSOR* slot = g_MenuCursor.Below())
    DrawCursorCell(&BackBuffer, slot->nX, slot->nY, CursorCell::kSmallChosen);
  DrawCursorCellAtTop(CursorCell::kSmall);
}

void cMapMenuScene::AutoSavePhase() {
  if (m_nSubPhase == 0) {
    ResetCursorToRow(g_SaveData.m_bAutoSave ? 0 : 1);
    m_nSubPhase = g_SaveData.m_nSlot == -1 ? 2 : 1;
  }
  if (m_nSubPhase == 2) {
    const cInput& input = g_Inputs[0];
    if (input.m_wButton & (kDecide | kCancel)) {
      RequestSound(input.m_wButton & kDecide ? 1 : 2);
      BackToMenu();
      return;
    }
    DDFillSurface(&BackBuffer, kClearColour);
    DrawTermsColumn(&BackBuffer, ChoiceX(kTermNoSlot, 1, 0), kNoSlotY, kTermNoSlot, 1, 0);
    return;
  }
  switch (AskYesNo(kTermAutoSave)) {
    case Answer::kPending:
      return;
    case Answer::kYes: {
      // On before the save, so the slot's file records it.
      const int before = g_SaveData.m_bAutoSave;
      g_SaveData.m_bAutoSave = 1;
      if (!SaveIntoSlot(g_SaveData.m_nSlot)) g_SaveData.m_bAutoSave = before;
      break;
    }
    case Answer::kNo:
      g_SaveData.m_bAutoSave = 0;
      break;
    case Answer::kCancelled:
      break;
  }
  BackToMenu();
}

void cMapMenuScene::BackPhase() {
  m_nSubPhase = 0;
  g_Game.m_nNextState = GS_WORLDMAP;
  m_nPhase = kLeave;
}

void cMapMenuScene::TitlePhase() {
  if (m_nSubPhase == 0) {
    ResetCursorToRow(1);
    m_nSubPhase = 1;
  }
  const Answer answer = AskYesNo(kTermTitle);
  if (answer == Answer::kPending) return;
  if (answer == Answer::kYes) {
    g_Game.m_nNextState = GS_TITLE;
    m_nPhase = kLeave;
  } else {
    BackToMenu();
  }
}

cMapMenuScene::Answer cMapMenuScene::AskYesNo(int question) {
  const cInput& input = g_Inputs[0];
  const int x = ChoiceX(question, 2, 1);
  MoveGridCursor(input, x, kChoiceY, 0, kLine, 1, 2);
  PlayCursorSound(input.m_wDir, 2, 0);
  if (input.m_wButton & kDecide) {
    RequestSound(1);
    return g_MenuCursor.Top().nRow == 0 ? Answer::kYes : Answer::kNo;
  }
  if (input.m_wButton & kCancel) {
    RequestSound(2);
    return Answer::kCancelled;
  }
  DDFillSurface(&BackBuffer, kClearColour);
  DrawTermsColumn(&BackBuffer, x, kChoiceY, question, 2, 1);
  DrawCursorCellAtTop(CursorCell::kSmall);
  return Answer::kPending;
}

void cMapMenuScene::Leave() {
  if (!StepScreenFadeOut()) return;
  ResetMenuCursor();
  cScreenScene::Leave();
  m_nPhase = kPhaseStart;
}
