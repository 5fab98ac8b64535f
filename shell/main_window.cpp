#include "shell/main_window.h"

#include "foundation/log.h"
#include "shell/app_state.h"
#include "shell/editor_notices.h"
#include "shell/worker_threads.h"

void OnMainWindowClose(platform::CloseReason) {
  if (!platform::MainWindowExists()) return;
  if (thPause.IsRunning()) {
    // The pause ends first; the stage raises the close again afterwards.
    DebugLogF("WM_CLOSE thPause.m_hThread");
    thPause.PostMessage(WM_QUIT);
    return;
  }
  DebugLogF("%s", Cp932Literal("WM_CLOSE 成功！"));
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

void OnMainWindowActivate(bool active) { g_bActive.store(active ? 1 : 0); }

platform::EventHandlers MainWindowHandlers() { return {OnMainWindowClose, OnMainWindowActivate}; }
