#include "shell/dialogs/edit_ctrl.h"

#include <algorithm>

#include "platform/ui_events.h"
#include "shell/dialogs/dialog.h"
#include "shell/dialogs/edit_item.h"

namespace {
constexpr int kDefaultMaxLen = 4096;
constexpr int kDefaultLineChars = 1024;
constexpr int kDefaultMaxLines = 32;
}  // namespace

void cEditCtrl::Bind(cDialog* dialog, const EDITPARAM& param) {
  cControl::Bind(dialog, param.nID);
  m_pString = param.pString;
  m_nMaxLen = param.nMaxLen > 0 ? param.nMaxLen + 1 : kDefaultMaxLen;
  m_bDoubleByte = param.bDoubleByte;
  m_nLineChars = param.nLineChars > 0 ? param.nLineChars : kDefaultLineChars;
  m_nMaxLines = param.nMaxLines > 0 ? param.nMaxLines : kDefaultMaxLines;
  std::copy(std::begin(param.nSpare), std::end(param.nSpare), m_nSpare);
}

std::size_t cEditCtrl::ReadLimit() const {
  return static_cast<std::size_t>(m_bDoubleByte ? 2 * m_nMaxLen - 1 : m_nMaxLen);
}

// The box's text as a read into a buffer of ReadLimit bytes gives it: one
// byte is the terminator, and a double-byte character is never split.
std::string cEditCtrl::ReadText() const {
  const DialogItem* item = Item();
  if (!item) return {};
  return CutToBytes(item->Text(), ReadLimit() > 0 ? ReadLimit() - 1 : 0);
}

int cEditCtrl::DataToCtrl() {
  if (m_pString) SetText(*m_pString);
  return 1;
}

int cEditCtrl::CtrlToData() {
  if (!m_pString || (m_pDialog && m_pDialog->Exchanging())) return 0;
  *m_pString = ReadText();
  return 1;
}

int cEditCtrl::OnChange() {
  if (m_bBusy) return 0;
  auto* item = dynamic_cast<EditItem*>(Item());
  if (!item) return 0;
  m_bBusy = 1;
  EditState state{ReadText(), item->Edit().SelStart(), item->Edit().SelEnd()};
  m_nSelStart = state.selStart;
  m_nSelEnd = state.selEnd;
  const EditLimits limits{m_nMaxLines, m_nLineChars, m_bDoubleByte, m_bTrim};
  const bool backspace = m_pDialog->Window()->KeyHeld(platform::kVkBack);
  state = LimitEditChange(limits, m_strPrev, std::move(state), backspace);
  SetText(state.text);
  item->SetSelection(state.selStart, state.selEnd);
  m_strPrev = state.text;
  m_bBusy = 0;
  return 1;
}
