#pragma once
// An edit box bound to a string, kept within its limits after every change
// (OnChange, see edit_limit.h): with the name entry's one line of three
// characters, a fourth character, typed or pasted, is refused and the box
// keeps the previous three.

#include <string>

#include "shell/dialogs/dialog_controls.h"
#include "shell/dialogs/edit_limit.h"

// What a dialog's constructor prepares for an edit control. Zero means the
// default; nMaxLen is the character limit (the control keeps limit + 1).
struct EDITPARAM {
  int nID = 0;
  std::string* pString = nullptr;
  int nMaxLen = 0;
  int nLineChars = 0;
  int nMaxLines = 0;
  int bDoubleByte = 0;
  int nSpare[4] = {};
};

class cEditCtrl final : public cControl {
 public:
  cEditCtrl() : cControl(0, CONTROL_EDIT) {}

  // Binds to the dialog's control and takes the block's values.
  void Bind(cDialog* dialog, const EDITPARAM& param);
  int DataToCtrl() override;
  int CtrlToData() override;
  int OnChange() override;

  // Bytes read from the box: 2 x nMaxLen - 1 counted as double bytes,
  // otherwise nMaxLen (the count includes the terminating zero).
  std::size_t ReadLimit() const;

  std::string* m_pString = nullptr;
  int m_nMaxLen = 4096;
  int m_bDoubleByte = 0;
  int m_nLineChars = 1024;
  int m_nMaxLines = 32;
  int m_bTrim = 0;
  std::string m_strPrev;
  int m_bBusy = 0;
  int m_nSelStart = 0;
  int m_nSelEnd = 0;
  int m_nSpare[4] = {};

 private:
  std::string ReadText() const;
};
