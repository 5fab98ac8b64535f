#include "shell/entry.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "foundation/log.h"
#include "platform/display_loss.h"
#include "platform/editor_link.h"
#include "platform/main_thread.h"
#include "platform/presenter.h"
#include "platform/process_memory.h"
#include "platform/second_start.h"
#include "platform/single_instance.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/dialogs/message_box_dialog.h"
#include "shell/editor_notices.h"
#include "shell/game_init.h"
#include "shell/game_thread.h"
#include "shell/init/graphics_start.h"
#include "shell/init/save_temporaries.h"
#include "shell/main_window.h"
#include "shell/report/report_log.h"
#include "shell/requests/game_requests.h"
#include "shell/single_instance_check.h"
#include "shell/window/close_question.h"
#include "shell/window/main_window_object.h"
#include "shell/worker_threads.h"

namespace {

constexpr int kMinClientSize = 100;

// Without a display the window would stay unseen until the player is
// killed: say why and stop.
bool ReportMissingDisplay() {
  const auto problem = platform::DisplayProblem();
  if (!problem) return false;
  const std::string line = "No display: the player cannot open its window here: " + *problem;
  std::fprintf(stderr, "%s\n", line.c_str());
  Report("%s", line.c_str());
  return true;
}

// Without its report log the player does not start, and nothing else would
// tell why: the file and the system's reason go to stderr. The file stays as
// it is until the instance lock is ours: a running player may be writing it.
bool StartReportLogOrSayWhy(const std::filesystem::path& file) {
  std::error_code failure;
  if (StartReportLog(file, ReportFileTaken::OnceLockHeld, &failure)) return true;
  std::error_code unknownFolder;
  std::filesystem::path shown = std::filesystem::absolute(file, unknownFolder);
  if (unknownFolder) shown = file;
  std::fprintf(stderr, "Cannot start: the report log \"%s\" cannot be written: %s\n", shown.c_str(),
               failure.message().c_str());
  return false;
}

// The exit status of a start that stopped before the game: a failure or a
// refusal says so to the shell or script that started the player; a
// termination (answering any question that was open) is a quiet close.
int StartStopped() { return platform::TerminationRaised() ? 0 : 1; }

// The program's own boxes from the first question on: drawn over the game
// window once it is shown, and before that the desktop's box, or where that
// cannot show, a drawn one in a small window of its own.
class ProgramBoxes {
 public:
  ProgramBoxes() { UseDialogMessageBoxes(true); }
  ~ProgramBoxes() { UseDialogMessageBoxes(false); }
  ProgramBoxes(const ProgramBoxes&) = delete;
  ProgramBoxes& operator=(const ProgramBoxes&) = delete;
};

}  // namespace

int RunPlayer(std::string_view commandLine) {
  platform::ReturnLargeBlocksWhenFreed();
  platform::BecomeMainThread();
  g_bGameStarted = 0;
  ResetCloseState();
  InitDebugLog(0, "EC_Game.txt");
  if (!StartReportLogOrSayWhy("Report_Game.txt")) return 1;
  platform::SetDisplayLossRecorder([](std::string_view line) { ReportLastLine(platform::Cp932FromUtf8(line)); });
  // The report's text-face line comes once fontconfig has loaded, beside the
  // window's creation; on every way out it is in the file.
  struct PendingReportLine {
    ~PendingReportLine() { WritePendingReportLine(); }
  } pendingReportLine;
  // Held until the process ends; the lock is released on every way out. A
  // start that never holds it leaves the report file to the running player:
  // its own lines, which describe the same machine, are dropped.
  platform::InstanceLock instanceLock(platform::InstanceLockPlaces("ゲーム"));
  if (ReportMissingDisplay()) {
    // Said on stderr already; the report takes it too when no player runs.
    if (instanceLock.TryAcquire() != platform::InstanceLock::Status::HeldByOther) TakeReportFile();
    return 1;
  }

  g_bFromEditor = platform::StartedByEditor() ? 1 : 0;
  // From the first question on: one that waits ends, and the player closes
  // quietly.
  platform::TakeTerminationAsCloseRequest();
  ProgramBoxes boxes;
  const InstanceCheck instance = EnsureSingleInstance(instanceLock);
  if (instance == InstanceCheck::Declined) return 0;
  if (instance == InstanceCheck::Failed) return StartStopped();
  TakeReportFile();
  platform::TakeSecondStartRequests();
  if (instanceLock.Held()) RemoveStaleSaveTemporaries();

  if (!platform::CreateMainWindow(kScreenWidth, kScreenHeight)) {
    ErrorBox(Cp932Literal("ウインドウが生成出来ません！"));
    return StartStopped();
  }
  g_MainWindow.SetGeometry(kScreenWidth, kScreenHeight, kMinClientSize, kMinClientSize, kScreenWidth, kScreenHeight);
  g_MainWindow.Centre();
  if (g_bFromEditor) NotifyEditorStart();
  platform::SetRequestHandler(ServeGameRequest);

  if (!InitGame(commandLine)) {
    ExitGame();
    UseDialogMessageBoxes(false);
    if (g_bFromEditor) NotifyEditorEnd(0);
    platform::DestroyMainWindow();
    return StartStopped();
  }

  g_bGameStarted = 1;
  thGame.Start(GameThreadProc);
  thGame.PostMessage(WM_GAME_PROBE);
  platform::GetPresenter().PrepareFor(kScreenWidth, kScreenHeight);

  int exitCode = platform::RunEventLoop(MainWindowHandlers());
  UseDialogMessageBoxes(false);
  ExitGame();
  return exitCode;
}
