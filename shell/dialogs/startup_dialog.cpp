#include "shell/dialogs/startup_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "foundation/log.h"
#include "foundation/message_box.h"
#include "platform/main_thread.h"
#include "platform/mouse.h"
#include "platform/own_window.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "project/data_paths.h"

namespace {

// The dialog's top-left relative to the game window's, and the pointer's
// relative to the dialog's (on its default button).
constexpr double kDialogDX = 320.0 - 187.0;
constexpr double kDialogDY = 240.0 - 136.0;
constexpr double kPointerDX = 181.9;
constexpr double kPointerDY = 198.9;

// The texts that English replaces (the radio buttons keep theirs).
constexpr const char* kEnglishGroup = "Drawing mode";
constexpr const char* kEnglishStart = "Start";
constexpr const char* kEnglishCancel = "Cancel";
constexpr const char* kEnglishNote = "Configure the detail settings at \"System.ini\".";
constexpr const char* kEnglishNoAsk = "Do not ask this dialog again";

const char* TemplateText(int id) {
  for (const ItemTemplate& item : StartupTemplate().items)
    if (item.id == id) return item.text;
  return "";
}

// Where no one could see the dialog: what it asks, on stderr, once.
void SayUnseenDialog(int english, const std::string& title) {
  std::fprintf(stderr, "%s: %s [%s] [%s]\n", platform::Utf8FromCp932(title).c_str(),
               english ? kEnglishNote : TemplateText(IDC_STARTUP_NOTE),
               english ? kEnglishStart : TemplateText(IDC_DIALOG_OK),
               english ? kEnglishCancel : TemplateText(IDC_DIALOG_CANCEL));
}

}  // namespace

int OffsetTruncated(int base, double offset) { return static_cast<int>(std::trunc(base + offset)); }

const DialogTemplate& StartupTemplate() {
  static const DialogTemplate layout{
      "",
      true,
      222,
      171,
      {
          {IDC_STARTUP_GROUP, ItemKind::GroupBox, "描画モード", 15, 15, 190, 55, false},
          {IDC_STARTUP_D3D, ItemKind::RadioButton, "Direct3D", 20, 30, 42, 10, true},
          {IDC_STARTUP_DDRAW, ItemKind::RadioButton, "DirectDraw", 80, 30, 45, 10, true},
          {IDC_STARTUP_NOTE, ItemKind::Static, "詳細な設定は環境設定ファイル「System.ini」で行って下さい。", 20, 50, 177,
           12, false},
          {IDC_STARTUP_NOASK, ItemKind::CheckBox, "次回からこのダイアログを表示しない", 50, 85, 120, 10, true},
          {IDC_DIALOG_OK, ItemKind::DefPushButton, "ゲーム開始", 80, 105, 50, 25, true},
          {IDC_DIALOG_CANCEL, ItemKind::PushButton, "ゲーム中止", 80, 140, 50, 18, true},
          {1075, ItemKind::Picture, "", 7, 7, 20, 21, false},
      }};
  return layout;
}

cStartupDlg::cStartupDlg(cBootData& boot, std::string title, int english, int windowX, int windowY)
    : cDialog(StartupTemplate(), platform::UiSurface::OwnWindow),
      m_Boot(boot),
      m_strTitle(std::move(title)),
      m_bEnglish(english) {
  m_nRequestX = OffsetTruncated(windowX, kDialogDX);
  m_nRequestY = OffsetTruncated(windowY, kDialogDY);
  m_nPointerX = OffsetTruncated(m_nRequestX, kPointerDX);
  m_nPointerY = OffsetTruncated(m_nRequestY, kPointerDY);
  m_Radios.emplace_back(IDC_STARTUP_D3D, &m_Boot.nDrawMode, 1);
  m_Radios.emplace_back(IDC_STARTUP_DDRAW, &m_Boot.nDrawMode, 0);
  m_Checks.emplace_back(IDC_STARTUP_NOASK, &m_Boot.bNoAsk);
  m_Plains.emplace_back(IDC_STARTUP_NOTE);
}

template <typename Control>
Control* cStartupDlg::FindControl(std::vector<Control>& controls, int id) {
  for (Control& control : controls)
    if (control.m_nID == id) return &control;
  DebugBoxF(Cp932Literal("コントロールID 【%u】 が見つかりません！"), static_cast<unsigned>(id));
  platform::RequestClose();
  return nullptr;
}

void cStartupDlg::OnInitDialog(std::uintptr_t wParam, std::intptr_t lParam) {
  cDialog::OnInitDialog(wParam, lParam);
  Window()->SetCaption(m_strTitle);
  for (cRadioCtrl& radio : m_Radios) {
    radio.Bind(this, radio.m_nID);
    AddControl(&radio);
  }
  for (cCheckCtrl& check : m_Checks) {
    check.Bind(this, check.m_nID);
    AddControl(&check);
  }
  for (cControl& plain : m_Plains) {
    plain.Bind(this, plain.m_nID);
    AddControl(&plain);
  }
  DataToCtrlAll();
  if (m_bEnglish) {
    SetDlgItemString(*this, IDC_STARTUP_GROUP, kEnglishGroup);
    SetDlgItemString(*this, IDC_DIALOG_OK, kEnglishStart);
    SetDlgItemString(*this, IDC_DIALOG_CANCEL, kEnglishCancel);
    if (cControl* note = FindControl(m_Plains, IDC_STARTUP_NOTE)) note->SetText(kEnglishNote);
    if (cCheckCtrl* noAsk = FindControl(m_Checks, IDC_STARTUP_NOASK)) noAsk->SetText(kEnglishNoAsk);
  }
  PutPointerOnTheStartButton();
}

void cStartupDlg::PutPointerOnTheStartButton() {
  // The pointer's place is counted from the window's frame, whose corner a
  // window manager puts where the dialog opened. Measured against a thicker
  // title bar than most, it is moved onto the button where a thin frame (or
  // none) would leave it just below.
  const DialogRect window = Window()->WindowRect();
  const platform::WindowFrame frame = platform::OwnWindowFrame();
  int x = m_nPointerX - window.x - frame.left;
  int y = m_nPointerY - window.y - frame.top;
  if (const DialogItem* start = Window()->Item(IDC_DIALOG_OK)) {
    const DialogRect button = start->Rect();
    x = std::clamp(x, button.x, button.x + button.w - 1);
    y = std::clamp(y, button.y, button.y + button.h - 1);
  }
  platform::WarpPointer(platform::UiSurface::OwnWindow, x, y);
}

void cStartupDlg::OnCommand(std::uintptr_t wParam, std::intptr_t lParam) {
  cDialog::OnCommand(wParam, lParam);
  const int id = static_cast<int>(wParam & 0xFFFF);
  if (id == IDC_DIALOG_OK) {
    CtrlToDataAll();
    // A failed save only means the answer holds for this run.
    SaveFile(m_Boot, g_Paths[PATH_BOOT]);
    EndDialog(1);
  } else if (id == IDC_DIALOG_CANCEL) {
    EndDialog(0);
  }
}

bool ChooseDrawingMode(int english, const std::string& title, int* direct3D) {
  LoadFile(g_BootData, g_Paths[PATH_BOOT]);
  if (!g_BootData.bNoAsk) {
    // Unanswerable, the question takes its close box's answer: the game
    // does not start.
    if (platform::TerminationRaised()) return false;
    if (platform::VideoDriverShowsNothing()) {
      SayUnseenDialog(english, title);
      return false;
    }
    const platform::WindowRect window = platform::MainWindowRect();
    cStartupDlg dialog(g_BootData, title, english, window.x, window.y);
    if (dialog.DoModal(0) == 0) return false;
  }
  *direct3D = g_BootData.nDrawMode == 1 ? 1 : 0;
  return true;
}
