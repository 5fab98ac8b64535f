#include "shell/requests/game_requests.h"

#include "foundation/thread.h"
#include "platform/main_thread.h"
#include "shell/requests/request_handlers.h"

std::atomic<int> g_bNameEntryDone{0};
std::atomic<int> g_bFileRequestDone{0};
std::atomic<int> g_nFileRequestResult{0};

namespace {
// Waits for a done flag; false when the wait was given up. A wait on the
// main thread itself (the headless harness runs the frame there) serves the
// request it waits for, as every loop of the main thread does.
bool WaitForDone(const std::atomic<int>& done) {
  while (!done.load()) {
    if (platform::IsMainThread()) {
      platform::ServeMainThread();
      if (done.load()) break;
    }
    if (platform::QuitPosted() || cThread::StopRequested()) return false;
    cThread::Sleep(1);
  }
  return true;
}
}  // namespace

int RequestFileDialog(unsigned id, std::uintptr_t wParam) {
  g_bFileRequestDone.store(0);
  if (!platform::PostRequest(id, wParam)) return 0;
  if (!WaitForDone(g_bFileRequestDone)) return 0;
  return g_nFileRequestResult.load();
}

void RequestNameEntry() {
  g_bNameEntryDone.store(0);
  if (platform::PostRequest(WM_GAME_NAMEENTRY)) WaitForDone(g_bNameEntryDone);
}

std::intptr_t ServeGameRequest(unsigned id, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (id) {
    case WM_GAME_NAMEENTRY:
      ServeNameEntry();
      return 0;
    case WM_GAME_OPENSTAGE:
      ServeOpenStage();
      return 0;
    case WM_GAME_LOADREPLAY:
      ServeLoadReplay();
      return 0;
    case WM_GAME_SAVEREPLAY:
      ServeSaveReplay(wParam != 0);
      return 0;
    case WM_GAME_PLAYSE:
      ServePlaySound(wParam);
      return 0;
    case WM_GAME_PLAYBGM:
      ServePlayBgm(wParam, lParam);
      return 0;
    case WM_GAME_RESTORE:
      return ServeRestore();
    default:
      return 0;
  }
}
