#include "screens/stage_end/stage_menus.h"

#include <algorithm>

#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/text/font_setup.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/common/screen_pictures.h"
#include "screens/menu/command_menu.h"
#include "screens/menu/menu_cursor.h"
#include "screens/menu/menu_pictures.h"
#include "screens/menu/text_layout.h"
#include "screens/ranking/ranking_drawing.h"
#include "shell/game/game.h"
#include "stage/core/stage_sinks.h"
#include "stage/draw/panel/hint_line.h"
#include "stage/draw/panel/stage_banners.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr int kMenuCentreX = 320;
constexpr int kMenuY = 272;
constexpr int kRegistrationHint = 28;
constexpr int kHintY = 456;
constexpr int kResultsFrom = 200;
constexpr int kPanelX = 336;
constexpr int kPanelY = 224;

bool PlaceReached(const cStageScene& scene) {
  return std::any_of(scene.m_nRankPlaces.begin(), scene.m_nRankPlaces.end(), [](int place) { return place != -1; });
}

int RankingMode() { return g_UserOption.IsStarted() ? g_UserOption->m_nRankingMode : 0; }

}  // namespace

void ResetStageMenu(int position) {
  ResetMenuCursor();
  g_MenuCursor.Top().nRow = position;
}

int MoveStageMenu(const cInput& input, const cVector<cCmdItem>& menu) {
  const int before = g_MenuCursor.Top().nRow;
  MoveGridCursor(input, CenterCmdListX(kMenuCentreX, menu), kMenuY, 0, kMenuCell, 1, CountVisibleCmds(menu));
  if (g_MenuCursor.Top().nRow != before) RequestStageSound(0);
  return GetCmdNum(g_MenuCursor.Top().nRow, menu);
}

int StoryStageCleared() {
  const cVector<std::int32_t>& switches = g_SaveData.m_vSwitch;
  const int clearSwitch = g_SaveData.m_nSeries;
  return clearSwitch >= 0 && clearSwitch < static_cast<int>(switches.size()) && switches[clearSwitch] != 0;
}

int ChallengeStageCleared(int entry) {
  const cVector<cIntPair>& progress = g_SaveData.m_vPair;
  return entry >= 0 && entry < static_cast<int>(progress.size()) && progress[entry].nFirst != 0;
}

void DrawStageMenu(cStageScene& scene) {
  const int x = CenterCmdListX(kMenuCentreX, scene.m_Menu);
  DrawCmdColumn(&BackBuffer, x, kMenuY, scene.m_Menu);
  DrawCursorCell(&BackBuffer, x, kMenuY + kMenuCell * g_MenuCursor.Top().nRow, CursorCell::kSmall);
}

void DrawStageEnd(cStageScene& scene) {
  const bool results = !g_PlayStage.AutoEnd;
  if (results && PlaceReached(scene) && RankingMode() <= 1) {
    const cVector<std::string>& terms = g_System->m_vTerms;
    if (kRegistrationHint < static_cast<int>(terms.size())) {
      const std::string& hint = terms[kRegistrationHint];
      g_Fonts[kMenuFont].Draw(&BackBuffer, HintLineX(hint), kHintY, hint.c_str());
    }
  }
  if (g_PlayStage.EndSwitch) DrawEndBanner(scene.m_nEndBanner, &BackBuffer, WordSheet());
  if (scene.m_nEndBanner >= kResultsFrom && g_Game.m_bRanking && results) {
    cVector<int> newRows(scene.m_nRankPlaces.begin(), scene.m_nRankPlaces.end());
    DrawResultPanel(&BackBuffer, kPanelX, kPanelY, newRows);
  }
}
