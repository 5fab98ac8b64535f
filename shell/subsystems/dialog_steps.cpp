// The dialogs the shell runs, drawn by the dialog toolkit (shell/dialogs/).
// A dialog request that arrives while another dialog runs is answered as
// cancelled: dialogs never nest on the same request.
#include "definitions/save_data/save_data.h"
#include "project/global_data.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/file_dialog.h"
#include "shell/dialogs/message_box_dialog.h"
#include "shell/dialogs/name_entry_dialog.h"
#include "shell/dialogs/startup_dialog.h"
#include "shell/game/game.h"
#include "shell/init/system_ini.h"
#include "shell/subsystems/subsystem_steps.h"

namespace {

constexpr int kTitleCommandOption = 5;

std::optional<std::string> AskFile(int mode, std::string proposal) {
  if (DialogIsRunning()) return std::nullopt;
  cFileDlg dialog(&proposal, mode, g_SystemIni.English);
  if (dialog.DoModal(0) == 0) return std::nullopt;
  return proposal;
}

// The name the entry edits: the options screen's registration name, or,
// for a ranking registration at a stage's end, the play's own name.
std::string* NameEntryTarget() {
  if (g_Game.m_nState == GS_STAGE) return &g_SaveData.m_strName;
  if (g_Game.m_nTitleCmd == kTitleCommandOption) return &g_UserOption->m_strName;
  return nullptr;
}

}  // namespace

bool ChooseDrawingModeStep() {
  int direct3D = 0;
  if (!ChooseDrawingMode(g_SystemIni.English, g_System->m_strTitle, &direct3D)) return false;
  g_SystemIni.Direct3D = direct3D;
  return true;
}

bool ConfirmExitStep(int english) { return ConfirmExit(english) == 1; }

void RunNameEntryDialogStep() {
  if (DialogIsRunning()) return;
  cNameEntryDlg dialog(NameEntryTarget(), g_SystemIni.English);
  dialog.DoModal(0);
}

std::optional<std::string> AskStageFileStep() { return AskFile(FILEDLG_OPEN_STAGE, {}); }
std::optional<std::string> AskReplayFileToOpenStep() { return AskFile(FILEDLG_LOAD_REPLAY, {}); }
std::optional<std::string> AskReplayFileToSaveStep(const std::string& defaultName) {
  return AskFile(FILEDLG_SAVE_REPLAY, defaultName);
}
