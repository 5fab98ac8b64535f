#pragma once
// The base of the player's dialogs. A dialog class gives a template and
// binds its controls to program variables through control objects
// (cControl and its kinds); cDialog runs the dialog modally on the main
// thread (DoModal), shows the variables in the controls when it starts
// (DataToCtrlAll) and, when a dialog class accepts, reads them back
// (CtrlToDataAll). Button 1000 confirms, 1001 cancels; closing ends with 0.
//
// The dialog's window is a DialogBox of the toolkit, which exists only while
// DoModal runs (Window() is null otherwise).

#include <cstdint>
#include <string>
#include <vector>

#include "input/key_hook.h"
#include "input/mouse_buttons.h"
#include "platform/ui_events.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/dialog_template.h"

class cControl;

// Buttons every dialog of the player uses.
inline constexpr int IDC_DIALOG_OK = 1000;
inline constexpr int IDC_DIALOG_CANCEL = 1001;
// An unset requested position.
inline constexpr int kNoPosition = -1000;

// wParam of a command: control id in the low word, notification code above.
constexpr std::uintptr_t MakeCommandParam(int id, int code) {
  return static_cast<std::uintptr_t>(id & 0xFFFF) | static_cast<std::uintptr_t>(code & 0xFFFF) << 16;
}

class cDialog : private DialogHandler {
 public:
  cDialog(const DialogTemplate& layout, platform::UiSurface surface = platform::UiSurface::GameWindow);
  ~cDialog() override;
  cDialog(const cDialog&) = delete;
  cDialog& operator=(const cDialog&) = delete;

  // Runs the dialog; its result, or 0 at once when it already runs.
  int DoModal(int flags);
  // Stores the result, empties the control list and ends the window.
  void EndDialog(int result);
  void DataToCtrlAll();
  void CtrlToDataAll();
  bool Exchanging() const { return m_bExchanging; }
  int Result() const { return m_nResult; }

  DialogBox* Window() const { return m_pWindow; }
  const std::vector<cControl*>& Controls() const { return m_Controls; }
  // Appends a bound control to the control list.
  void AddControl(cControl* control) { m_Controls.push_back(control); }

  // The window's requested top-left (kNoPosition: centred).
  int m_nRequestX = kNoPosition;
  int m_nRequestY = kNoPosition;

 protected:
  // Control notifications: the edit controls' changes and focus losses.
  // Dialog classes run this first, then look at their button ids.
  virtual void OnCommand(std::uintptr_t wParam, std::intptr_t lParam);
  // The base part: control list emptied, key hook bound, mouse read.
  virtual void OnInitDialog(std::uintptr_t wParam, std::intptr_t lParam);

  cHook m_Hook;
  MOUSESTATE m_Mouse;
  MOUSESTATE m_PrevMouse;
  int m_bMouseReady = 0;  // the right button was up when the dialog opened

 private:
  void InitDialog() override;
  void Command(int id, int code) override;
  void CloseDialog() override;
  void WindowKeyDown(int key, std::uint32_t data) override;

  const DialogTemplate& m_Layout;
  platform::UiSurface m_Surface;
  DialogBox* m_pWindow = nullptr;
  std::vector<cControl*> m_Controls;
  int m_bExchanging = 0;
  int m_nResult = 0;
  int m_nRunFlags = 0;
  int m_bModeless = 0;
};

// A control's text as CP932 bytes (empty when the dialog has no such control).
void GetDlgItemString(const cDialog& dialog, int id, std::string& out);
void SetDlgItemString(cDialog& dialog, int id, const std::string& cp932);
