#include "shell/entry.h"

#include <string>

#include "foundation/log.h"
#include "foundation/record_stream.h"
#include "platform/editor_link.h"
#include "platform/main_thread.h"
#include "platform/single_instance.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/editor_notices.h"
#include "shell/game_init.h"
#include "shell/game_thread.h"
#include "shell/main_window.h"
#include "shell/single_instance_check.h"
#include "shell/worker_threads.h"

namespace {
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
}  // namespace

int RunPlayer() {
  platform::BecomeMainThread();
  InitDebugLog(0, "EC_Game.txt");
  if (!InitReport("Report_Game.txt")) return 0;
  Report("App : ver %s", std::to_string(kProgramDataVersion).c_str());

  g_bFromEditor = platform::StartedByEditor() ? 1 : 0;
  // Held until the process ends; the lock is released on every way out.
  platform::InstanceLock instanceLock(platform::InstanceLockPath("ゲーム"));
  if (!EnsureSingleInstance(instanceLock)) return 0;
  platform::TakeTerminationAsCloseRequest();

  if (!platform::CreateMainWindow(kScreenWidth, kScreenHeight)) {
    ErrorBox(Cp932Literal("ウインドウが生成出来ません！"));
    return 0;
  }
  platform::CentreMainWindow();
  if (g_bFromEditor) NotifyEditorStart();

  if (!InitGame()) {
    ExitGame();
    if (g_bFromEditor) NotifyEditorEnd(0);
    platform::DestroyMainWindow();
    return 0;
  }

  g_bGameStarted = 1;
  thGame.Start(GameThreadProc);
  thGame.PostMessage(WM_GAME_PROBE);

  int exitCode = platform::RunEventLoop(MainWindowHandlers());
  ExitGame();
  return exitCode;
}
