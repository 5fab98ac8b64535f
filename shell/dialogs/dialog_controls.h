#pragma once
// Control objects: each binds one control of a dialog (by id) to a program
// variable and carries the data exchange both ways. A plain control binds
// nothing (its text can still be set); a check box binds an int (0 or 1); a
// radio button binds an int and its own value: checked, it writes the value;
// unchecked it leaves the int alone, so the checked one of several radio
// buttons bound to one int decides.

#include <string>

class cDialog;
class DialogItem;

// Control kinds as the dialogs route notifications by them.
inline constexpr int CONTROL_PLAIN = 0;
inline constexpr int CONTROL_EDIT = 3;
inline constexpr int CONTROL_CHECK = 5;
inline constexpr int CONTROL_RADIO = 6;

class cControl {
 public:
  explicit cControl(int id = 0, int kind = CONTROL_PLAIN) : m_nKind(kind), m_nID(id) {}
  virtual ~cControl() = default;

  // Binds to the dialog's control with the id; the text string starts empty.
  void Bind(cDialog* dialog, int id);
  // The control in the running dialog; null when the template lacks the id.
  DialogItem* Item() const;

  virtual int Enable(int flag);
  virtual int DataToCtrl() { return 0; }
  virtual int CtrlToData() { return 0; }
  virtual int OnChange() { return 0; }
  virtual int OnKillFocus() { return 0; }
  virtual int OnKeyDown(int /*key*/, unsigned /*data*/, int /*ctrl*/) { return 0; }

  // The control's text (CP932).
  void SetText(const std::string& cp932);

  int m_nKind;
  int m_nID;
  cDialog* m_pDialog = nullptr;
  // Position in the dialog's client area.
  int m_nX = 0;
  int m_nY = 0;
  std::string m_strText;
};

class cCheckCtrl final : public cControl {
 public:
  cCheckCtrl(int id, int* value) : cControl(id, CONTROL_CHECK), m_pnValue(value) {}
  int DataToCtrl() override;
  int CtrlToData() override;

  int* m_pnValue;
};

class cRadioCtrl final : public cControl {
 public:
  cRadioCtrl(int id, int* value, int ownValue) : cControl(id, CONTROL_RADIO), m_pnValue(value), m_nValue(ownValue) {}
  int DataToCtrl() override;
  int CtrlToData() override;

  int* m_pnValue;
  int m_nValue;
};
