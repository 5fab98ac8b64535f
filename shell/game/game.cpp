#include "shell/game/game.h"

#include "foundation/log.h"
#include "platform/main_thread.h"
#include "shell/requests/game_requests.h"

cGame g_Game;
std::atomic<cStageSceneBase*> g_pStageScene{nullptr};
std::atomic<std::uint32_t> g_dwFrameCount{0};
std::uint32_t g_dwFrameTime = 0;
std::uint32_t g_dwFrameTimeMean = 0;

namespace {
std::array<SceneFactory, kGameStateCount> g_factories;

bool ValidState(int state) { return state >= 0 && state < kGameStateCount; }

// Scenes other than the current one go in this order.
constexpr std::array<int, kGameStateCount> kDeleteOrder = {GS_TITLE, GS_MAPMENU,  GS_WORLDMAP,
                                                           GS_CHALLENGE, GS_STAGE, GS_OPTION};
}  // namespace

void SetSceneFactory(int state, SceneFactory factory) {
  if (ValidState(state)) g_factories[state] = std::move(factory);
}

cScene* cGame::Scene(int state) const { return ValidState(state) ? m_Scenes[state].get() : nullptr; }

void cGame::DeleteScene(int state) {
  if (!m_Scenes[state]) return;
  if (state == GS_STAGE) g_pStageScene.store(nullptr);
  m_Scenes[state].reset();
}

void cGame::Release() {
  for (int state : kDeleteOrder) DeleteScene(state);
}

void cGame::Reset() {
  Release();
  m_nState = GS_TITLE;
  m_nNextState = m_nPrevState = m_nTitleCmd = m_nPlayMode = 0;
  m_bKeepScenes = m_nChallenge1 = m_nChallenge2 = m_bRanking = 0;
  m_nFps = m_nFadeSpeed = m_nBgmNo = m_bBgmKeep = 0;
}

void cGame::SwitchScene(int state) {
  if (!m_bKeepScenes) {
    for (int other : kDeleteOrder) {
      if (other != state) DeleteScene(other);
    }
  }
  if (!ValidState(state) || m_Scenes[state] || !g_factories[state]) return;
  std::unique_ptr<cScene> scene = g_factories[state]();
  if (!scene) {
    OutOfMemory();
    return;
  }
  if (state == GS_STAGE) g_pStageScene.store(dynamic_cast<cStageSceneBase*>(scene.get()));
  m_Scenes[state] = std::move(scene);
}

void cGame::RequestBgm(int bgmNo, int keep, int slot) {
  if (bgmNo != 0 && keep && m_nBgmNo == bgmNo && m_bBgmKeep) return;
  m_nBgmNo = bgmNo;
  m_bBgmKeep = keep;
  platform::SendRequest(WM_GAME_PLAYBGM, static_cast<std::uintptr_t>(slot));
}
