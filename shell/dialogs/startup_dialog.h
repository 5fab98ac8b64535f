#pragma once
// The start-up question for the drawing back end (Direct3D or DirectDraw),
// asked before the graphics device exists, in a small window of its own.
// "ゲーム開始" saves the answer to "user_data\Boot.dat" and ends with 1;
// "ゲーム中止" or the close box end with 0 (the game does not start).

#include <string>
#include <vector>

#include "shell/dialogs/boot_record.h"
#include "shell/dialogs/dialog.h"
#include "shell/dialogs/dialog_controls.h"

inline constexpr int IDC_STARTUP_GROUP = 1006;
inline constexpr int IDC_STARTUP_D3D = 1002;
inline constexpr int IDC_STARTUP_DDRAW = 1003;
inline constexpr int IDC_STARTUP_NOTE = 1005;
inline constexpr int IDC_STARTUP_NOASK = 1004;

class cStartupDlg final : public cDialog {
 public:
  // boot: the record the answer goes to; title: the game's title (CP932);
  // windowX/Y: the game window's screen position.
  cStartupDlg(cBootData& boot, std::string title, int english, int windowX, int windowY);

  std::vector<cRadioCtrl> m_Radios;
  std::vector<cCheckCtrl> m_Checks;
  std::vector<cControl> m_Plains;

  // Where the pointer goes on the desktop (counted from the dialog's frame).
  int m_nPointerX = 0;
  int m_nPointerY = 0;

 private:
  void OnInitDialog(std::uintptr_t wParam, std::intptr_t lParam) override;
  void OnCommand(std::uintptr_t wParam, std::intptr_t lParam) override;
  void PutPointerOnTheStartButton();
  // A control of one vector by id, or the debug report and the close request.
  template <typename Control>
  Control* FindControl(std::vector<Control>& controls, int id);

  cBootData& m_Boot;
  std::string m_strTitle;
  int m_bEnglish;
};

const DialogTemplate& StartupTemplate();

// An offset added to a screen position in floating point and truncated
// toward zero, as the dialog places itself and the pointer.
int OffsetTruncated(int base, double offset);

// Start-up, with the Direct3D setting 2: loads Boot.dat, asks unless it says
// not to, and gives the drawing mode (1 Direct3D, 0 DirectDraw); false when
// the player cancelled the game, or could not be asked (after a termination;
// under a video driver that shows nothing, which gets the question on stderr).
bool ChooseDrawingMode(int english, const std::string& title, int* direct3D);
