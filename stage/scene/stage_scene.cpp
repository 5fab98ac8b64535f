#include "stage/scene/stage_scene.h"

#include <algorithm>
#include <memory>

#include "definitions/save_data/save_data.h"
#include "foundation/log.h"
#include "foundation/run_mode.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/effects/fade.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/subsystems/subsystem_steps.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/draw/resources/screen_copies.h"
#include "stage/items/stage_item.h"
#include "stage/scene/scene_resources.h"
#include "stage/shots/shot_list.h"

namespace {
constexpr int kFadeComplete = 255;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
// No screen effect runs while the stage fades out: its second copy of the
// screen holds the frame that darkens.
constexpr int kLeavingFrameCopy = 1;
}

cStageScene::cStageScene() {
  m_vPhases = {[this] { FadeIn(); },    [this] { Intro(); },     [this] { PlayFrame(); },
               [this] { PauseMenu(); }, [this] { StageEnd(); },  [this] { RetryMenu(); },
               [this] { EndWait(); },   [this] { Leave(); }};
  m_nPhase = kPhaseStart;
}

cStageScene::~cStageScene() {
  ReleaseStageSurfaces(*this);
  for (auto& list : m_GroupLists) list.clear();
  ClearShots();
  g_CharaList.Clear();
  g_ItemList.Clear();
  g_Heroes.clear();
}

cStageScene* StageScene() { return static_cast<cStageScene*>(g_pStageScene.load(std::memory_order_relaxed)); }

void RegisterStageScene() {
  SetSceneFactory(GS_STAGE, [] { return std::make_unique<cStageScene>(); });
}

void cStageScene::Run() {
  PurgeRemoved();
  if (m_bSetUpFailed) return;
  if (m_nPhase == kPhaseStart) {
    Start();
    if (m_nPhase == kPhaseStart) m_nPhase = kPhaseFadeIn;
    if (m_bSetUpFailed) return;
  }
  cScene::Run();
}

void cStageScene::FailSetUp() {
  m_bSetUpFailed = true;
  PostFailureClose();
}

void cStageScene::Start() {
  m_nResults.fill(0);
  m_nRankPlaces.fill(-1);
  m_bResultShown = 0;
  const bool fromStage = g_Game.m_nPrevState == GS_STAGE;
  if (!LoadStageSurfaces(*this, fromStage)) {
    FailSetUp();
    return;
  }
  if (!fromStage) {
    ResetPlayState();
    UseLife(g_SaveData);
  }
  // Every way into a stage takes the stage as loaded afresh; a replay's
  // file is read again, since the settings copy its reading leaves holds
  // no definitions to play.
  SetStage(1, 1);
  FinaliseStageResources(*this);
  m_nPhaseCounter = 0;
  m_bFading = 0;
}

void cStageScene::FadeIn() {
  Draw(0, 1, 0, 1);
  m_bFading += std::max(g_Game.m_nFadeSpeed, 1);
  DrawSceneFade(std::min(m_bFading, kFadeComplete));
  if (m_bFading >= kFadeComplete) {
    m_bFading = 0;
    m_nPhase = kPhaseIntro;
  }
}

void cStageScene::Leave() {
  // The last frame shown is kept and shown darker each frame.
  DDSURFACEDATA* lastFrame = ScreenCopy(kLeavingFrameCopy);
  if (lastFrame) {
    if (m_bFading == 0) DDBlt(lastFrame, 0, 0, kScreenWidth, kScreenHeight, &BackBuffer, 0, 0, 0);
    else DDBlt(&BackBuffer, 0, 0, kScreenWidth, kScreenHeight, lastFrame, 0, 0, 0);
  }
  m_bFading += std::max(g_Game.m_nFadeSpeed, 1);
  DrawSceneFade(kFadeComplete - std::min(m_bFading, kFadeComplete));
  if (m_bFading < kFadeComplete) return;
  m_bFading = 0;
  FillFadedOutBackBuffer();
  if ((g_Game.m_nTitleCmd == TC_FREEPLAY && !g_SaveData.m_bSeriesStart) || g_bDirectStage) {
    g_SaveData.m_bSeriesStart = 0;
    if (!PlayStageFileStep(g_PlayStage.FilePath, 0)) {
      // Only the start-over itself cannot go on without its file; leaving
      // for another screen (the title) does.
      if (g_Game.m_nNextState == GS_STAGE) {
        FailSetUp();
        return;
      }
      PostFailureClose();
    }
  }
  g_Game.m_nFps = 60;
  g_Game.m_nPrevState = GS_STAGE;
  g_Game.m_nState = g_Game.m_nNextState;
  m_nPhase = kPhaseStart;
}

std::size_t SideIndex(int side) {
  if (side >= 0 && side < kSides) return static_cast<std::size_t>(side);
  Report("err V[%d] ( %d , 12 )", side, kSides);
  return 0;
}

void cStageScene::RemoveChara(cStageChara& chara) {
  if (chara.removed) return;
  chara.ReleaseCharaLinks();
  // Every list, not only the one of its current side: a character whose side
  // changed after it joined must not stay behind as a dangling pointer.
  for (auto& list : m_GroupLists) std::erase(list, &chara);
  g_CharaList.Remove(chara);
}

void cStageScene::RemoveItem(cStageItem& item) { g_ItemList.Remove(item); }

void cStageScene::PurgeRemoved() {
  g_CharaList.Purge();
  g_ItemList.Purge();
  PurgeShots();
}
