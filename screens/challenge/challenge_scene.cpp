#include "screens/challenge/challenge_scene.h"

#include <algorithm>
#include <cstdio>

#include "definitions/save_data/save_data.h"
#include "foundation/message_box.h"
#include "foundation/text_format.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/frame_rect.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/text/font_setup.h"
#include "platform/main_thread.h"
#include "project/data_paths.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/common/ranking_keys.h"
#include "screens/common/screen_fade.h"
#include "screens/common/screen_music.h"
#include "screens/common/screen_pictures.h"
#include "screens/common/visible_commands.h"
#include "screens/menu/menu_cursor.h"
#include "screens/menu/menu_pictures.h"
#include "screens/progress/play_progress.h"
#include "screens/ranking/ranking_files.h"
#include "screens/ranking/ranking_records.h"
#include "shell/game/game.h"
#include "shell/game/menu_colors.h"
#include "sound/waves/sound_requests.h"

namespace {

constexpr int kChallengeBgmSlot = 2;
constexpr int kRankingSetting = 1;
constexpr int kListY = 160;
constexpr int kRow = 32;
constexpr int kCursorX = 32;
constexpr int kLabelX = 64;
constexpr int kMaxRows = 10;
constexpr int kRankingX = 292, kRankingY = 108;
constexpr int kLargeFont = 2;
constexpr int kFrameColour = 240;
constexpr int kTitleCommandChallenge = 2;
constexpr std::uint16_t kDecide = 1;
constexpr std::uint16_t kCancel = 2;

int ChallengeStageCount() { return std::max(g_System->m_nPairCount, 1); }

// The {cleared, best value} pair of stage row; {0, 0} past the list.
cIntPair StagePair(int row) {
  if (row >= 0 && row < static_cast<int>(g_SaveData.m_vPair.size())) return g_SaveData.m_vPair[row];
  return cIntPair{};
}

}  // namespace

std::string ChallengeStageFile(int stage) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d-1.", stage);
  return std::string(g_Paths[PATH_CHALLENGE_STAGE_PREFIX]) + number + std::string(g_Extensions[EXT_STAGE]);
}

cChallengeScene::cChallengeScene() : cScreenScene(GS_CHALLENGE, 0x0F) {
  m_vPhases = {[this] { FadeIn(); }, [this] { SelectPhase(); }, [this] { Leave(); }};
}

cChallengeScene::~cChallengeScene() { DDReleaseSurface(&m_Surface); }

void cChallengeScene::UpdateChallengeRange() {
  // The open count is clamped to the list the project has.
  const int open = std::clamp(g_SaveData.m_nPairIndex, 1, ChallengeStageCount());
  m_nTotal = g_System->m_bUsePairCount ? ChallengeStageCount() : open;
  m_nRows = m_nTop + kMaxRows <= m_nTotal ? kMaxRows : m_nTotal - m_nTop;
}

void cChallengeScene::AnnounceChallengeStage(int stage) {
  SetCurrentStage(g_SaveData, ChallengeStageFile(stage), 0, 0, 0);
  if (g_Game.m_bRanking)
    LoadRanking(g_Ranking, g_Game.m_nPlayMode, g_SaveData.m_strStage, g_SaveData.m_nStageCode1,
                g_SaveData.m_nStageCode2, g_SaveData.m_nStageCode3);
}

void cChallengeScene::Start() {
  RequestScreenBgm(kChallengeBgmSlot);
  static constexpr int kPictures[] = {kCursorPicture, kWindowPicture};
  if (!LoadBmpSurfaces(g_BmpSD, kPictures, 2)) platform::RequestClose();
  ResetMenuCursor();
  g_MenuCursor.Top().nRow = g_Game.m_nChallenge1;
  m_nTop = g_Game.m_nChallenge2;
  AnnounceChallengeStage(g_MenuCursor.Top().nRow + 1);
  DDReleaseSurface(&m_Surface);
  m_bSurface = DDCreateSurface(&m_Surface, 640, 480, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  if (m_bSurface) SetSurfaceLabel(&m_Surface, "challenge");
  DrawChallengeSurface();
  m_nSubPhase = 0;
}

void cChallengeScene::DrawChallengeSurface() {
  UpdateChallengeRange();
  if (!m_bSurface) return;
  Font& large = g_Fonts[kLargeFont];
  DDBltFramed(&m_Surface, 1, 1, 638, 478, &g_BmpSD[kWindowPicture], 1, kFrameColour);
  const std::string& title = CommandName(g_System->m_vTitleMenu, kTitleCommandChallenge);
  large.Printf(&m_Surface, 320 - 16 * GetCharCount(title), 32, "%s", title.c_str());
  const int total = g_SaveData.m_nStageValueTotal;
  if (g_System->m_nScreen167C && total > 0) {
    std::string line = g_System->Term(4) + std::to_string(total);
    large.Printf(&m_Surface, 320 - 16 * GetCharCount(line), 88, "%s", line.c_str());
  }
  const bool ranking = RankingSettingOn(kRankingSetting) && g_SaveData.m_bShowRanking;
  const bool bestColumn = g_System->m_nScreen167D != 0;
  if (!ranking && bestColumn) large.Printf(&m_Surface, 32, 128, "         %s", g_System->Term(3).c_str());
  const int markX = kRow * (GetCharCount(g_System->Term(0)) + 4);
  for (int row = m_nTop; row < m_nTop + m_nRows; ++row) {
    const int y = kListY + kRow * (row - m_nTop);
    large.Printf(&m_Surface, kLabelX, y, "%s%d", g_System->Term(0).c_str(), row + 1);
    const cIntPair pair = StagePair(row);
    if (pair.nFirst != 0) DDBlt(&m_Surface, markX, y, kRow, kRow, &g_BmpSD[kCursorPicture], 96, 0, 1);
    if (bestColumn) large.Printf(&m_Surface, markX + 64, y, "%d", pair.nSecond);
  }
  if (ranking) g_Ranking.Draw(&m_Surface, kRankingX, kRankingY, g_SaveData.m_nRankingGenre);
}

void cChallengeScene::DrawChallengeScreen() {
  if (m_bSurface) {
    if (m_Surface.bLost) {
      DrawChallengeSurface();
      m_Surface.bLost = 0;
    }
    DDBlt(&BackBuffer, 0, 0, 640, 480, &m_Surface, 0, 0, 0);
  }
  AnimateMenuColors();
}

void cChallengeScene::FadeIn() {
  if (!lpDTCon && g_DDState.nBpp == 8) DrawChallengeSurface();
  DrawChallengeScreen();
  if (StepScreenFadeIn()) m_nPhase = kSelect;
}

bool cChallengeScene::StartChosenStage(int row) {
  const std::string file = ChallengeStageFile(row + 1);
  if (!LoadNumberedStage(file)) {
    RequestSound(3);
    ErrorBoxF(Cp932Literal("ステージファイル %s が読み込めません！"), file.c_str());
    return false;
  }
  RequestSound(1);
  SetCurrentStage(g_SaveData, file, 0, 0, 0);
  g_SaveData.m_nSeriesStage = 1;
  g_SaveData.m_nSeries = row + 1;
  SetStartingLives(PM_CHALLENGE, false);
  g_SaveData.m_bSeriesStart = 1;
  g_Game.m_nChallenge1 = row;
  g_Game.m_nChallenge2 = m_nTop;
  return true;
}

void cChallengeScene::SelectPhase() {
  const cInput& input = g_Inputs[0];
  UpdateChallengeRange();
  ScrollListCursor(input, 1, m_nTop, kListY, kRow, kCursorX, m_nRows, m_nTotal, 1);
  PlayCursorSound(input.m_wDir, 3, 0);
  const int row = g_MenuCursor.Top().nRow;
  if (input.m_wDir & (kDirLeft | kDirRight | kDirUp | kDirDown)) {
    AnnounceChallengeStage(row + 1);
    DrawChallengeSurface();
  }
  if (input.m_wButton & kDecide) {
    if (StartChosenStage(row)) {
      g_Game.m_nNextState = GS_STAGE;
      g_Game.m_nPrevState = GS_CHALLENGE;
      m_nPhase = kLeave;
      return;
    }
  } else if (input.m_wButton & kCancel) {
    RequestSound(2);
    g_Game.m_nNextState = GS_TITLE;
    g_Game.m_nPrevState = GS_CHALLENGE;
    m_nPhase = kLeave;
    return;
  }
  if (HandleRankingKeys(input, kRankingSetting)) DrawChallengeSurface();
  DrawChallengeScreen();
  DrawCursorCellAtTop(CursorCell::kLarge);
}

void cChallengeScene::Leave() {
  if (!StepScreenFadeOut()) return;
  ResetMenuCursor();
  cScreenScene::Leave();
  m_nPhase = kPhaseStart;
}
