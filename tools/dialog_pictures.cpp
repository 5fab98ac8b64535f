// Writes a PNG of each dialog of the player drawn over a game frame, for a
// person to look at:
//   tool_dialog_pictures [output folder]   (default: dialog_pictures_out)
// Runs headless on the sample game (generated into a temporary folder): the
// player starts, steps a second of frames, and each dialog is opened over
// the last frame with a little typed into it.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "foundation/message_box.h"
#include "platform/backend.h"
#include "platform/own_window.h"
#include "platform/presenter.h"
#include "platform/ui_events.h"
#include "shell/dialogs/boot_record.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/file_dialog.h"
#include "shell/dialogs/message_box_dialog.h"
#include "shell/dialogs/name_entry_dialog.h"
#include "shell/dialogs/startup_dialog.h"
#include "shell/harness/run_harness.h"
#include "tools/sample_game/sample_game.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;

// Shows the dialog after the events, writes its picture and closes it.
void Capture(const fs::path& file, const std::vector<UiEvent>& events) {
  SetDialogObserver([file, events](DialogBox& box) {
    for (const UiEvent& event : events) box.HandleEvent(event);
    box.Redraw();
    const bool own = box.WindowRect().x >= 0 && OwnWindowOpen();
    const bool written = own ? WriteOwnWindowPng(file) : GetPresenter().WritePng(file);
    std::printf("%s %s\n", written ? "wrote" : "FAILED", file.c_str());
    box.HandleEvent(CloseEvent(own ? UiSurface::OwnWindow : UiSurface::GameWindow));
    if (!box.Ended()) box.End(0);
  });
}

void Pictures(const fs::path& out) {
  std::string name = "ABC";
  Capture(out / "name_entry.png", {KeyDownEvent(kVkEnd), KeyDownEvent(kVkBack), CompositionEvent("あい", 2)});
  cNameEntryDlg(&name, 0).DoModal(0);
  Capture(out / "name_entry_english.png", {TextEvent("Z")});
  cNameEntryDlg(&name, 1).DoModal(0);

  cBootData boot;
  Capture(out / "startup.png", {});
  cStartupDlg(boot, Cp932Literal("サンプルゲーム"), 0, 300, 200).DoModal(0);
  Capture(out / "startup_english.png", {});
  cStartupDlg(boot, "Sample game", 1, 300, 200).DoModal(0);

  std::string path;
  Capture(out / "open_stage.png", {KeyDownEvent(kVkTab, false, true), KeyDownEvent(kVkDown)});
  cFileDlg(&path, FILEDLG_OPEN_STAGE, 0).DoModal(0);
  Capture(out / "load_replay.png", {});
  cFileDlg(&path, FILEDLG_LOAD_REPLAY, 1).DoModal(0);
  path = "user_data\\rpl4\\20261207_0930.rpl4_878";
  Capture(out / "save_replay.png", {});
  cFileDlg(&path, FILEDLG_SAVE_REPLAY, 0).DoModal(0);

  Capture(out / "quit_question.png", {});
  DialogMessageBox(Cp932Literal("終了しますか？\n"), Cp932Literal("終了確認"), MB_YESNO);
  Capture(out / "quit_question_english.png", {});
  DialogMessageBox("Would you like to quit?\n", "End confirmation", MB_YESNO);
  Capture(out / "error_box.png", {});
  DialogMessageBox(Cp932Literal("data\\System.dat のロードに失敗！"), Cp932Literal("エラー"), MB_OK);
  SetDialogObserver(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  SelectBackend(Backend::Headless);
  const fs::path out = fs::absolute(argc > 1 ? argv[1] : "dialog_pictures_out");
  fs::create_directories(out);
  const fs::path game = fs::temp_directory_path() / ("dialog_pictures_game_" + std::to_string(::getpid()));
  std::string failed;
  if (!sample_game::GenerateSampleGame(game, {}, &failed)) {
    std::fprintf(stderr, "cannot write the sample game: %s\n", failed.c_str());
    return 1;
  }
  {
    cRunHarness harness(game);
    if (!harness.Start()) {
      std::fprintf(stderr, "the sample game did not start\n");
      return 1;
    }
    harness.StepFrames(60);
    Pictures(out);
    harness.Close(CloseReason::Terminate);
  }
  fs::remove_all(game);
  return 0;
}
