// The dialogs the shell runs. Filled by issue #13 (start-up dialog, name
// entry, file dialogs, the exit question drawn in the window). Until then
// the drawing mode is the one a fresh start-up choice remembers
// (DirectDraw), the exit question is a message box, and every other dialog
// answers as cancelled.
#include "foundation/message_box.h"
#include "shell/init/system_ini.h"
#include "shell/subsystems/subsystem_steps.h"

bool ChooseDrawingModeStep() {
  g_SystemIni.Direct3D = 0;
  return true;
}

bool ConfirmExitStep(int english) {
  if (english) return MesBox("Would you like to quit?\n", "End confirmation", MB_YESNO) == IDYES;
  return MesBox(Cp932Literal("終了しますか？\n"), Cp932Literal("終了確認"), MB_YESNO) == IDYES;
}

void RunNameEntryDialogStep() {}
std::optional<std::string> AskStageFileStep() { return std::nullopt; }
std::optional<std::string> AskReplayFileToOpenStep() { return std::nullopt; }
std::optional<std::string> AskReplayFileToSaveStep(const std::string&) { return std::nullopt; }
