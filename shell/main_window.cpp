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

// The modal loop of a message or a game wait holds the stage inside the
// game thread's frame.
bool StageHeldInTheFrame() {
  const cStageSceneBase* stage = g_pStageScene.load();
  return stage != nullptr && stage->m_bHeld.load() != 0;
}

}  // namespace

void OnMainWindowClose(platform::CloseReason reason) {
  if (!platform::MainWindowExists()) return;
  if (!ConfirmClose(reason)) return;
  if (g_SystemIni.WindowMode != 0 && g_bGameStarted && !platform::MainWindowMinimised()) SaveWindowPos();
  g_bClosing.store(1);
  const bool pauseThread = thPause.IsRunning();
  if (pauseThread || StageHeldInTheFrame()) {
    // The pause or the hold ends first; the stage raises the close again
    // afterwards (a hold as it ends). A hold that ended before it could see
    // the quit request raises nothing: then the close goes on now.
    DebugLogF("WM_CLOSE thPause.m_hThread");
    if (cStageSceneBase* stage = g_pStageScene.load()) stage->m_bQuit.store(1);
    thPause.PostMessage(WM_QUIT);
    if (pauseThread || StageHeldInTheFrame()) return;
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
  platform::PostQuit(CloseExitStatus());
}

void OnMainWindowActivate(bool active) {
  // A full-screen device comes back when the player returns to the game.
  if (active && !g_bActive.load() && lpDTCon && !g_bWindowed) ServeRestore();
  g_bActive.store(active ? 1 : 0);
}

platform::EventHandlers MainWindowHandlers() {
  return {OnMainWindowClose, OnMainWindowActivate, OnMainWindowInput};
}
