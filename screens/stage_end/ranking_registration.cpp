#include "screens/stage_end/ranking_registration.h"

#include "definitions/save_data/save_data.h"
#include "foundation/thread.h"
#include "graphics/device/device.h"
#include "input/key_polling.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/ranking/ranking_files.h"
#include "screens/ranking/ranking_genre.h"
#include "screens/stage_end/ranking_thread.h"
#include "shell/app_state.h"
#include "shell/game/frame_step.h"
#include "shell/game/game.h"
#include "shell/requests/game_requests.h"
#include "stage/core/stage_sinks.h"
#include "stage/scene/scene_resources.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr int kSoundDecide = 1;
constexpr int kSoundGenre = 6;
constexpr int kSoundRegistered = 16;
constexpr std::uint16_t kButtonDecide = 1;
constexpr std::uint16_t kButtonGenre = 8;
constexpr int kWindowX = 184;
constexpr int kWindowY = 64;

// Registration modes 1 and 3 use the fixed name; 0 and 2 ask for one.
bool AsksForName() {
  const int mode = g_UserOption.IsStarted() ? g_UserOption->m_nRankingMode : 0;
  return mode == 0 || mode == 2;
}

int RankedGenreCount() {
  const int mode = g_Game.m_nPlayMode;
  if (mode < 0 || mode >= static_cast<int>(g_System->m_vRankingSettings.size())) return 0;
  return GetRankingGenreCount(*g_System, mode);
}

// The window's frames until it ends or the program closes.
unsigned RunRankingWindow(cStageScene& scene) {
  RankingWindow window = OpenRankingWindow();
  for (;;) {
    ThreadMessage message;
    while (cThread::PeekMessage(message)) {
      if (message.id == WM_QUIT) return 1;
    }
    if (cThread::StopRequested()) return 1;
    if (!g_bActive.load()) {
      cThread::Sleep(1);
      continue;
    }
    WaitNextFrame();
    if (!RestoreLostSurfaces()) PostFailureClose();
    PollInput(g_Inputs);
    if (g_Inputs.empty() || !RankingWindowFrame(scene, window, g_Inputs[0])) return 1;
    PresentFrame();
  }
}

}  // namespace

RankingWindow OpenRankingWindow() {
  RankingWindow window;
  if (RankedGenreCount() > 0) window.genre = StepGenre(0, g_Game.m_nPlayMode, 0);
  return window;
}

bool RankingWindowFrame(cStageScene& scene, RankingWindow& window, cInput& input) {
  input.LatchButtons(0);
  input.RepeatDirKeys();
  if (input.m_wButton & kButtonDecide) {
    RequestStageSound(kSoundDecide);
    return false;
  }
  if ((input.m_wButton & kButtonGenre) && RankedGenreCount() >= 2) {
    RequestStageSound(kSoundGenre);
    window.genre = StepGenre(window.genre, g_Game.m_nPlayMode, 1);
  }
  scene.Draw(0, 1, 0, 1);
  const int newRow = window.genre >= 0 && window.genre < kRankingGenres
                         ? scene.m_nRankPlaces[static_cast<std::size_t>(window.genre)]
                         : -1;
  g_Ranking.Draw(&BackBuffer, kWindowX, kWindowY, window.genre, newRow);
  return true;
}

void RegisterNewRecords(cStageScene& scene) {
  if (!g_Game.m_bRanking || !scene.m_bResultShown || scene.m_bRecordsRegistered) return;
  cSaveData& data = g_SaveData;
  std::string name;
  if (AsksForName()) {
    RequestNameEntry();
    name = data.m_strName;
  } else {
    name = g_UserOption->m_strName;
  }
  RequestStageSound(kSoundRegistered);
  for (int genre = 0; genre < kRankingGenres; ++genre) {
    const auto index = static_cast<std::size_t>(genre);
    if (scene.m_nRankPlaces[index] != -1) g_Ranking.m_vTables[genre].Insert(name, scene.m_nResults[index]);
  }
  SaveRanking(g_Ranking, g_Game.m_nPlayMode, data.m_strStage, data.m_nStageCode1, data.m_nStageCode2,
              data.m_nStageCode3);
  scene.m_bRecordsRegistered = 1;
  RunOnRankingThread([&scene] { return RunRankingWindow(scene); });
}
