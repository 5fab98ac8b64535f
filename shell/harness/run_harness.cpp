#include "shell/harness/run_harness.h"

#include "foundation/game_files.h"
#include "foundation/log.h"
#include "platform/backend.h"
#include "platform/presenter.h"
#include "platform/process_memory.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/game_init.h"
#include "shell/init/graphics_start.h"
#include "shell/main_window.h"
#include "shell/report/report_log.h"
#include "shell/requests/game_requests.h"
#include "shell/window/close_question.h"
#include "shell/window/main_window_object.h"

cRunHarness::cRunHarness(std::filesystem::path gameFolder) : m_folder(std::move(gameFolder)) {}

cRunHarness::~cRunHarness() { Close(platform::CloseReason::Terminate); }

bool cRunHarness::Start(std::string_view commandLine) {
  platform::SelectBackend(platform::Backend::Headless);
  platform::ReturnLargeBlocksWhenFreed();
  platform::ResetMainThreadState();
  platform::BecomeMainThread();
  m_previousFolder = std::filesystem::current_path();
  std::filesystem::current_path(m_folder);
  ForgetGameFolderListings();
  m_started = true;
  g_bGameStarted = 0;
  ResetCloseState();
  StartReportLog(m_folder / "Report_Game.txt", ReportFileTaken::AtOnce);
  // Runs read the report as it stands and may end at any moment: the
  // text-face line is in it before the run goes on.
  WritePendingReportLine();
  SetGameClock(m_clock.AsGameClock());
  platform::CreateMainWindow(kScreenWidth, kScreenHeight);
  g_MainWindow.SetGeometry(kScreenWidth, kScreenHeight, 100, 100, kScreenWidth, kScreenHeight);
  g_MainWindow.Centre();
  platform::SetRequestHandler(ServeGameRequest);
  if (!InitGame(commandLine)) {
    ExitGame();
    platform::DestroyMainWindow();
    Finish();
    return false;
  }
  g_bGameStarted = 1;
  g_bActive.store(1);
  return true;
}

int cRunHarness::StepFrames(int count, const std::function<void(int)>& afterFrame) {
  for (int frame = 0; frame < count; ++frame) {
    platform::PumpEvents(MainWindowHandlers());
    if (auto reason = platform::TakeCloseRequest()) {
      if (Close(*reason)) return frame;
    }
    if (!g_Game.Frame()) return frame;
    if (afterFrame) afterFrame(frame);
  }
  return count;
}

std::vector<std::uint32_t> cRunHarness::PresentedFrame(int* width, int* height) const {
  return platform::GetPresenter().LastFrame(width, height);
}

bool cRunHarness::WritePresentedFramePng(const std::filesystem::path& file) const {
  return platform::GetPresenter().WritePng(file);
}

bool cRunHarness::Close(platform::CloseReason reason) {
  if (!m_started) return true;
  platform::ServeMainThread();
  OnMainWindowClose(reason);
  if (platform::MainWindowExists()) return false;
  ExitGame();
  Finish();
  return true;
}

void cRunHarness::Finish() {
  SetGameClock({});
  g_bActive.store(0);
  std::filesystem::current_path(m_previousFolder);
  ForgetGameFolderListings();
  m_started = false;
}
