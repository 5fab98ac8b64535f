#include "shell/dialogs/dialog.h"

#include "foundation/message_box.h"
#include "shell/dialogs/dialog_controls.h"

cDialog::cDialog(const DialogTemplate& layout, platform::UiSurface surface) : m_Layout(layout), m_Surface(surface) {}

cDialog::~cDialog() = default;

int cDialog::DoModal(int flags) {
  if (m_pWindow) return 0;
  EndDialog(0);
  m_bModeless = 0;
  m_nRunFlags = flags;
  const bool hookBefore = cHook::Installed();
  DialogBox window(m_Layout, *this);
  if (m_nRequestX != kNoPosition && m_nRequestY != kNoPosition) window.RequestPosition(m_nRequestX, m_nRequestY);
  m_pWindow = &window;
  const int result = window.Run(m_Surface);
  m_pWindow = nullptr;
  if (!hookBefore) cHook::Unhook();
  return result;
}

void cDialog::EndDialog(int result) {
  m_nResult = result;
  m_Controls.clear();
  if (m_pWindow) m_pWindow->End(result);
}

void cDialog::DataToCtrlAll() {
  m_bExchanging = 1;
  for (cControl* control : m_Controls) control->DataToCtrl();
  m_bExchanging = 0;
}

void cDialog::CtrlToDataAll() {
  for (cControl* control : m_Controls) control->CtrlToData();
}

void cDialog::OnCommand(std::uintptr_t wParam, std::intptr_t) {
  const int id = static_cast<int>(wParam & 0xFFFF);
  const int code = static_cast<int>((wParam >> 16) & 0xFFFF);
  for (cControl* control : m_Controls) {
    if (control->m_nID != id || control->m_nKind != CONTROL_EDIT) continue;
    if (code == EN_UPDATE) {
      control->OnChange();
      return;
    }
    if (code == EN_KILLFOCUS) {
      control->OnKillFocus();
      return;
    }
  }
}

void cDialog::OnInitDialog(std::uintptr_t, std::intptr_t) {
  m_Controls.clear();
  if (!m_Hook.SetHook(m_pWindow, m_bModeless)) ErrorBox(Cp932Literal("KeyboardHookに失敗!"));
  UpdateMouseButtons(&m_Mouse, MOUSE_HELD | MOUSE_PRESS | MOUSE_RELEASE);
  m_PrevMouse = m_Mouse;
  m_bMouseReady = m_Mouse.bRight ? 0 : 1;
}

void cDialog::InitDialog() { OnInitDialog(0, 0); }

void cDialog::Command(int id, int code) {
  UpdateMouseButtons(&m_Mouse, MOUSE_HELD | MOUSE_PRESS | MOUSE_RELEASE);
  OnCommand(MakeCommandParam(id, code), 0);
}

void cDialog::CloseDialog() { EndDialog(0); }

void cDialog::WindowKeyDown(int key, std::uint32_t data) {
  if (m_bModeless) return;
  for (cControl* control : m_Controls) control->OnKeyDown(key, data, cHook::CtrlHeld() ? 1 : 0);
}

void GetDlgItemString(const cDialog& dialog, int id, std::string& out) {
  out = dialog.Window() ? dialog.Window()->ItemText(id) : std::string();
}

void SetDlgItemString(cDialog& dialog, int id, const std::string& cp932) {
  if (dialog.Window()) dialog.Window()->SetItemText(id, cp932);
}
