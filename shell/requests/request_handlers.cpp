#include "shell/requests/request_handlers.h"

#include <optional>
#include <string>

#include "foundation/log.h"
#include "graphics/device/device_restore.h"
#include "graphics/blits/screen_services.h"
#include "platform/main_thread.h"
#include "shell/requests/game_requests.h"
#include "shell/subsystems/subsystem_steps.h"
#include "shell/worker_threads.h"

namespace {

// A modal dialog over the game: the worker threads stop at their next step
// and the graphics layer lets the dialog draw over the screen.
class DialogBracket {
 public:
  DialogBracket() {
    DDSetDialogBoxMode(1);
    SuspendThreads();
  }
  ~DialogBracket() {
    DDSetDialogBoxMode(0);
    ResumeThreads();
  }
  DialogBracket(const DialogBracket&) = delete;
  DialogBracket& operator=(const DialogBracket&) = delete;
};

// A file that was chosen but could not be handled closes the program; the
// caller hears of the failure and does not go on as if it were handled.
int Handled(bool ok) {
  if (!ok) platform::RequestClose();
  return ok ? 1 : 0;
}

void FinishFileRequest(int result) {
  g_nFileRequestResult.store(result);
  g_bFileRequestDone.store(1);
}


}  // namespace

void ServeNameEntry() {
  {
    DialogBracket bracket;
    RunNameEntryDialogStep();
  }
  g_bNameEntryDone.store(1);
}

void ServeOpenStage() {
  int result = 0;
  {
    DialogBracket bracket;
    if (std::optional<std::string> path = AskStageFileStep()) result = Handled(PlayStageFileStep(*path, 0));
  }
  FinishFileRequest(result);
}

void ServeLoadReplay() {
  int result = 0;
  {
    DialogBracket bracket;
    if (std::optional<std::string> path = AskReplayFileToOpenStep()) result = ReadReplayStep(*path) ? 1 : 0;
  }
  FinishFileRequest(result);
}

void ServeSaveReplay(bool previousAttempt) {
  int result = 0;
  if (std::optional<std::string> name = MakeReplayFileNameStep()) {
    DialogBracket bracket;
    if (std::optional<std::string> path = AskReplayFileToSaveStep(*name))
      result = WriteReplayStep(*path, previousAttempt) ? 1 : 0;
  }
  FinishFileRequest(result);
}

void ServePlaySound(std::uintptr_t number) { PlaySoundStep(number); }

void ServePlayBgm(std::uintptr_t slot, std::intptr_t bgmNumber) { PlayScreenBgmStep(slot, bgmNumber); }

std::intptr_t ServeRestore() {
  DDRestoreSurface();
  return 0;
}
