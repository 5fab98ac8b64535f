#include "screens/options/option_scene.h"

#include "foundation/log.h"
#include "foundation/text_format.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/frame_rect.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/text/font_setup.h"
#include "input/input_record.h"
#include "platform/main_thread.h"
#include "project/data_paths.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "project/user_option.h"
#include "screens/common/screen_fade.h"
#include "screens/common/screen_music.h"
#include "screens/common/screen_pictures.h"
#include "screens/common/visible_commands.h"
#include "screens/menu/menu_cursor.h"
#include "screens/menu/menu_pictures.h"
#include "screens/options/option_items.h"
#include "shell/game/game.h"
#include "shell/game/menu_colors.h"
#include "shell/init/system_ini.h"
#include "shell/requests/game_requests.h"
#include "sound/bgm/bgm_player.h"
#include "sound/waves/sound_requests.h"

namespace {

constexpr int kOptionBgmSlot = 3;
constexpr int kListX = 48;
constexpr int kListY = 96;
constexpr int kLine = 16;
constexpr int kLabelX = 64;
constexpr int kValueX = 208;
constexpr int kValueCursorX = 192;
constexpr int kTitleCommandOption = 5;
constexpr int kLargeFont = 2;
constexpr int kNormalFont = 1;
constexpr int kFrameColour = 240;
constexpr std::uint16_t kDecide = 1;
constexpr std::uint16_t kCancel = 2;

}  // namespace

void RestartTitleMusic() {
  const bool musicOn = g_UserOption->m_bMusic != 0;
  platform::RunOnMainThread([musicOn] {
    if (!g_BgmPlayer.IsInitialised() && musicOn) {
      g_BgmPlayer.Release();
      g_BgmPlayer.Init(1, g_DefaultOggTracks, g_DefaultMidiTracks, kBgmSlotCount, g_SystemIni.Midi_DirectMusic);
      g_Game.m_nBgmNo = 0;
    } else if (g_BgmPlayer.IsInitialised() && !musicOn) {
      g_BgmPlayer.Release();
      g_Game.m_nBgmNo = 0;
    }
  });
}

cOptionScene::cOptionScene() : cScreenScene(GS_OPTION, kDecide | kCancel) {
  m_vPhases = {[this] { FadeIn(); }, [this] { OptionPhase(); }, [this] { Leave(); }};
}

cOptionScene::~cOptionScene() { DDReleaseSurface(&m_Surface); }

void cOptionScene::Start() {
  RequestScreenBgm(kOptionBgmSlot);
  static constexpr int kPictures[] = {kCursorPicture, kWindowPicture};
  if (!LoadBmpSurfaces(g_BmpSD, kPictures, 2)) platform::RequestClose();
  ResetMenuCursor();
  m_anItem = VisibleCommands(g_System->m_vOptionMenu, kOptionItemCount, "options");
  DDReleaseSurface(&m_Surface);
  m_bSurface = DDCreateSurface(&m_Surface, 640, 480, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  if (m_bSurface) SetSurfaceLabel(&m_Surface, "options");
  DrawOptionSurface();
  m_nSubPhase = kEnter;
}

void cOptionScene::DrawOptionSurface() {
  if (!m_bSurface) return;
  DDBltFramed(&m_Surface, 1, 1, 638, 478, &g_BmpSD[kWindowPicture], 1, kFrameColour);
  const std::string& title = CommandName(g_System->m_vTitleMenu, kTitleCommandOption);
  g_Fonts[kLargeFont].Printf(&m_Surface, 320 - kLine * GetCharCount(title), 32, "%s", title.c_str());
  for (std::size_t i = 0; i < m_anItem.size(); ++i) {
    const int y = kListY + kLine * static_cast<int>(i);
    const int item = m_anItem[i];
    g_Fonts[kNormalFont].Printf(&m_Surface, kLabelX, y, "%s", CommandName(g_System->m_vOptionMenu, item).c_str());
    g_Fonts[kNormalFont].Printf(&m_Surface, kValueX, y, "%s", OptionValueText(item).c_str());
  }
}

void cOptionScene::DrawOptionScreen() {
  if (!m_bSurface) return;
  if (m_Surface.bLost) {
    DrawOptionSurface();
    m_Surface.bLost = 0;
  }
  DDBlt(&BackBuffer, 0, 0, 640, 480, &m_Surface, 0, 0, 0);
  AnimateMenuColors();
}

void cOptionScene::FadeIn() {
  if (!lpDTCon && g_DDState.nBpp == 8) DrawOptionSurface();
  DrawOptionScreen();
  if (StepScreenFadeIn()) m_nPhase = kOptions;
}

void cOptionScene::OptionPhase() {
  if (m_nSubPhase == kEnter) {
    g_MenuCursor.Top() = MENUCURSOR{};
    m_nSubPhase = kChoose;
  }
  if (m_nSubPhase == kChoose) Choose();
  else Edit();
}

void cOptionScene::Choose() {
  const cInput& input = g_Inputs[0];
  MoveGridCursor(input, kListX, kListY, 0, kLine, 1, static_cast<int>(m_anItem.size()));
  PlayCursorSound(input.m_wDir, 2, 0);
  if (input.m_wButton & kDecide) {
    RequestSound(1);
    m_nItem = m_anItem[static_cast<std::size_t>(g_MenuCursor.Top().nRow)];
    if (IsNumberItem(m_nItem)) {
      m_nOldValue = *OptionValueOf(m_nItem).value;
      PushMenuCursor(kPushZero);
      m_nSubPhase = kEdit;
      return;
    }
    if (m_nItem == kOptionName) {
      RequestNameEntry();
      DrawOptionSurface();
      return;
    }
  }
  if ((input.m_wButton & kDecide) || (input.m_wButton & kCancel)) {
    if (!(input.m_wButton & kDecide)) RequestSound(2);
    g_Game.m_nNextState = GS_TITLE;
    m_nSubPhase = kEnter;
    m_nPhase = kLeave;
    return;
  }
  DrawOptionScreen();
  DrawCursorCellAtTop(CursorCell::kSmall);
}

void cOptionScene::SetValue(int value) {
  *OptionValueOf(m_nItem).value = value;
  ApplyOptionValue(m_nItem);
  DrawOptionSurface();
}

void cOptionScene::Edit() {
  const cInput& input = g_Inputs[0];
  const OptionValue edited = OptionValueOf(m_nItem);
  int step = 0;
  if (input.m_wDir & kDirUp) step = 1;
  else if (input.m_wDir & kDirDown) step = -1;
  if (step != 0) {
    int value = *edited.value + step;
    if (value > edited.max) value = edited.min;
    if (value < edited.min) value = edited.max;
    SetValue(value);
  }
  PlayCursorSound(input.m_wDir, 2, 0);
  if (input.m_wButton & kDecide) {
    RequestSound(1);
    PopMenuCursor(kPopKeep);
    m_nSubPhase = kChoose;
    return;
  }
  if (input.m_wButton & kCancel) {
    RequestSound(2);
    SetValue(m_nOldValue);
    PopMenuCursor(kPopKeep);
    m_nSubPhase = kChoose;
    return;
  }
  DrawOptionScreen();
  const MENUCURSOR* item = g_MenuCursor.Below();
  const int y = item ? item->nY : kListY;
  DrawCursorCell(&BackBuffer, kListX, y, CursorCell::kSmallChosen);
  DrawCursorCell(&BackBuffer, kValueCursorX, y, CursorCell::kSmall);
}

void cOptionScene::Leave() {
  if (!StepScreenFadeOut()) return;
  RestartTitleMusic();
  if (!SaveFile(*g_UserOption, g_Paths[PATH_USER_OPTION]))
    Report("%s could not be written", std::string(g_Paths[PATH_USER_OPTION]).c_str());
  ResetMenuCursor();
  cScreenScene::Leave();
  m_nPhase = kPhaseStart;
}
