#include "shell/main_window.h"

#include "foundation/log.h"
#include "graphics/device/device.h"
#include "shell/app_state.h"
#include "shell/editor_notices.h"
#include "shell/game/game.h"
#include "shell/init/system_ini.h"
#include "shell/requests/request_handlers.h"
#include "shell/subsystems/subsystem_steps.h"
#include "shell/window/close_question.h"
#include "shell/window/window_events.h"
#include "shell/window/window_pos.h"
#include "shell/worker_threads.h"

namespace {

// The modal loop of a pause, a message or a game wait holds the stage: on
// the pause thread, or inside the game thread's frame.
bool StageIsHeld() {
  const cStageSceneBase* stage = g_pStageScene.load();
  return thPause.IsRunning() || (stage != nullptr && stage->m_bHeld.load() != 0);
}

}  // namespace

void OnMainWindowClose(platform::CloseReason reason) {
  if (!platform::MainWindowExists()) return;
  if (!ConfirmClose(reason)) return;
  if (g_SystemIni.WindowMode != 0 && g_bGameStarted && !platform::MainWindowMinimised()) SaveWindowPos();
  g_bClosing.store(1);
  if (StageIsHeld()) {
    // The hold ends first; the stage raises the close again afterwards.
    DebugLogF("WM_CLOSE thPause.m_hThread");
    if (cStageSceneBase* stage = g_pStageScene.load()) stage->m_bQuit.store(1);
    thPause.PostMessage(WM_QUIT);
    return;
  }
  DebugLogF("%s", Cp932Literal("WM_CLOSE 成功！"));
  StopMusicStep();
  thLoadStage.Exit();
  thPause.Exit();
  thRanking.Exit();
  DebugLogF("thPause.Exit()");
  thGame.Exit();
  DebugLogF("thGame.Exit()");
  OnMainWindowDestroy();
}

void OnMainWindowDestroy() {
  DebugLogF("WM_DESTROY");
  platform::DestroyMainWindow();
  if (g_bFromEditor) NotifyEditorEnd(1);
  platform::PostQuit(0);
}

void OnMainWindowActivate(bool active) {
  // A full-screen device comes back when the player returns to the game.
  if (active && !g_bActive.load() && lpDTCon && !g_bWindowed) ServeRestore();
  g_bActive.store(active ? 1 : 0);
}

platform::EventHandlers MainWindowHandlers() {
  return {OnMainWindowClose, OnMainWindowActivate, OnMainWindowInput};
}
