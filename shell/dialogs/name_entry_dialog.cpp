#include "shell/dialogs/name_entry_dialog.h"

#include "foundation/message_box.h"
#include "platform/mouse.h"

namespace {

// Where the dialog opens in the game's picture, and the pointer on it.
constexpr int kDialogX = 240;
constexpr int kDialogY = 220;
constexpr int kPointerDX = 80;
constexpr int kPointerDY = 65;
constexpr int kNameChars = 3;
constexpr int kSelectAllEnd = 2147483647;

}  // namespace

const DialogTemplate& NameEntryTemplate() {
  static const DialogTemplate layout{
      "",
      false,
      110,
      65,
      {
          {IDC_NAME_LABEL, ItemKind::Static, "登録名(3文字まで)", 15, 15, 56, 16, false},
          {IDC_NAME_EDIT, ItemKind::Edit, "", 75, 12, 24, 14, true},
          {IDC_DIALOG_OK, ItemKind::DefPushButton, "OK", 30, 35, 50, 18, true},
          {1075, ItemKind::Picture, "", 7, 7, 20, 21, false},
      }};
  return layout;
}

cNameEntryDlg::cNameEntryDlg(std::string* name, int english) : cDialog(NameEntryTemplate()), m_bEnglish(english) {
  // The game's picture is the whole screen in full screen and the client
  // area in a window: the dialog goes to the same place in both.
  m_nRequestX = kDialogX;
  m_nRequestY = kDialogY;
  if (name) {
    EditRecord record;
    record.param.nID = IDC_NAME_EDIT;
    record.param.pString = name;
    record.param.nMaxLen = kNameChars;
    record.param.nLineChars = kNameChars;
    record.param.nMaxLines = 1;
    record.param.bDoubleByte = 1;
    m_Edits.push_back(std::move(record));
  }
}

void cNameEntryDlg::OnInitDialog(std::uintptr_t wParam, std::intptr_t lParam) {
  cDialog::OnInitDialog(wParam, lParam);
  platform::WarpPointer(platform::UiSurface::GameWindow, m_nRequestX + kPointerDX, m_nRequestY + kPointerDY);
  if (!m_Edits.empty()) {
    for (EditRecord& record : m_Edits) {
      record.control.Bind(this, record.param);
      AddControl(&record.control);
    }
    DataToCtrlAll();
    const int first = m_Edits.front().param.nID;
    Window()->SetFocus(first);
    if (auto* item = dynamic_cast<EditItem*>(Window()->Item(first))) item->SetSelection(0, kSelectAllEnd);
  }
  if (m_bEnglish) SetDlgItemString(*this, IDC_NAME_LABEL, "     Name");
}

void cNameEntryDlg::OnCommand(std::uintptr_t wParam, std::intptr_t lParam) {
  cDialog::OnCommand(wParam, lParam);
  const int id = static_cast<int>(wParam & 0xFFFF);
  if (id == IDC_DIALOG_OK) {
    CtrlToDataAll();
    EndDialog(1);
  } else if (id == IDC_DIALOG_CANCEL) {
    EndDialog(0);
  }
}
