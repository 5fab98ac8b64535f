#pragma once
// The name-entry dialog: the player types the three-character name for the
// ranking (or the default name on the options screen). "OK" stores the box's
// text in the bound name; closing leaves it unchanged. Without a bound name
// the dialog still runs and "OK" changes nothing.

#include <string>
#include <vector>

#include "shell/dialogs/dialog.h"
#include "shell/dialogs/edit_ctrl.h"
#include "shell/dialogs/edit_item.h"

inline constexpr int IDC_NAME_LABEL = 1007;
inline constexpr int IDC_NAME_EDIT = 1003;

class cNameEntryDlg final : public cDialog {
 public:
  // name: the CP932 string the box edits, or null. english: the English
  // start-up setting.
  cNameEntryDlg(std::string* name, int english);

  struct EditRecord {
    cEditCtrl control;
    EDITPARAM param;
  };
  std::vector<EditRecord> m_Edits;

 private:
  void OnInitDialog(std::uintptr_t wParam, std::intptr_t lParam) override;
  void OnCommand(std::uintptr_t wParam, std::intptr_t lParam) override;

  int m_bEnglish;
};

// The dialog's layout (template 102).
const DialogTemplate& NameEntryTemplate();
