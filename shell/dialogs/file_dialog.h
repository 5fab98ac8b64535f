#pragma once
// The three file dialogs of the player: open a stage file (mode 0), load a
// replay (mode 1), save a replay (mode 2, with a proposed name). cFileDlg is
// an invisible dialog that, when it starts, shows the file-selection box
// with its mode's folder, title and filter and then ends with the outcome:
// 1 with the chosen file's stored path in the path string, 0 after Cancel
// (the path string is then empty in modes 0 and 1 and keeps the proposal in
// mode 2).

#include <string>
#include <vector>

#include "input/replay_name.h"  // the save mode's extension, ReplayFileExtension
#include "shell/dialogs/dialog.h"

enum FileDialogMode : int { FILEDLG_OPEN_STAGE = 0, FILEDLG_LOAD_REPLAY = 1, FILEDLG_SAVE_REPLAY = 2 };

class cFileDlg final : public cDialog {
 public:
  cFileDlg(std::string* path, int mode, int english);

 private:
  void OnInitDialog(std::uintptr_t wParam, std::intptr_t lParam) override;

  std::string* m_pPath;
  int m_nMode;
  int m_bEnglish;
};

const DialogTemplate& FileDialogTemplate();

// The file box for opening (the buffer is cleared first) and for saving
// (with keepName the buffer's text is the proposed name). Filters are
// description and pattern; 1 when a file was chosen.
int OpenFileDialog(std::string& buffer, const std::string& startFolder, const std::string& title,
                   const std::string& description, const std::string& pattern, int english);
int SaveFileDialog(std::string& buffer, const std::string& startFolder, const std::string& title,
                   const std::string& description, const std::string& pattern, const std::string& defaultExtension,
                   int keepName, int english);
