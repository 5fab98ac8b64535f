#include "shell/dialogs/dialog_controls.h"

#include "shell/dialogs/dialog.h"
#include "shell/dialogs/dialog_item.h"

void cControl::Bind(cDialog* dialog, int id) {
  m_pDialog = dialog;
  m_nID = id;
  m_strText.clear();
  if (const DialogItem* item = Item()) {
    m_nX = item->Rect().x;
    m_nY = item->Rect().y;
  }
}

DialogItem* cControl::Item() const {
  return m_pDialog && m_pDialog->Window() ? m_pDialog->Window()->Item(m_nID) : nullptr;
}

int cControl::Enable(int flag) {
  DialogItem* item = Item();
  if (!item) return 0;
  item->Enable(flag != 0);
  return 1;
}

void cControl::SetText(const std::string& cp932) {
  if (m_pDialog) SetDlgItemString(*m_pDialog, m_nID, cp932);
}

int cCheckCtrl::DataToCtrl() {
  if (m_pDialog && m_pDialog->Window()) m_pDialog->Window()->SetCheck(m_nID, *m_pnValue);
  return 1;
}

int cCheckCtrl::CtrlToData() {
  if (m_pDialog && m_pDialog->Window()) *m_pnValue = m_pDialog->Window()->GetCheck(m_nID);
  return 1;
}

int cRadioCtrl::DataToCtrl() {
  if (m_pDialog && m_pDialog->Window()) m_pDialog->Window()->SetCheck(m_nID, *m_pnValue == m_nValue ? 1 : 0);
  return 1;
}

int cRadioCtrl::CtrlToData() {
  if (m_pDialog && m_pDialog->Window() && m_pDialog->Window()->GetCheck(m_nID)) *m_pnValue = m_nValue;
  return 1;
}
