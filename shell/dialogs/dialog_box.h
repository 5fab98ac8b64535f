#pragma once
// The window of a dialog, drawn by the toolkit: the controls of a template
// laid out in pixels from dialog units, a frame and caption, the keyboard
// focus with Tab order, Enter for the default button, the mouse for every
// control, text input with composition, and the modal loop that runs it on
// the main thread.
//
// A dialog is drawn over the last game frame (UiSurface::GameWindow, in the
// 640x480 picture, so it follows the window's scale and full screen) or,
// before the game window is shown, in a window of its own. While it runs the
// main thread keeps serving requests; a termination ends the dialog with 0,
// and every close taken while it runs is raised again once it is gone.
//
// Keys pass the key hook (input/key_hook.h) before the dialog manager sees
// them: a bound dialog receives the hook's re-posted key messages.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "input/key_hook.h"
#include "platform/ui_events.h"
#include "shell/dialogs/dialog_canvas.h"
#include "shell/dialogs/dialog_item.h"
#include "shell/dialogs/dialog_template.h"

// What the dialog's owner does with its messages.
class DialogHandler {
 public:
  virtual ~DialogHandler() = default;
  // WM_INITDIALOG: the controls exist, the dialog is not shown yet.
  virtual void InitDialog() = 0;
  // WM_COMMAND: a control's notification, or a button pressed.
  virtual void Command(int id, int code) = 0;
  // WM_CLOSE: the close box (or the end of a headless script).
  virtual void CloseDialog() = 0;
  // WM_KEYDOWN re-posted to the dialog window by the key hook.
  virtual void WindowKeyDown(int, std::uint32_t) {}
};

class DialogBox final : public cHookWindow, private ItemHost {
 public:
  // texts of the template are converted to CP932 here; caption is CP932.
  DialogBox(const DialogTemplate& layout, DialogHandler& handler);
  ~DialogBox() override;

  // Where the dialog's window goes: top-left in picture pixels (game window)
  // or on the desktop (own window); unset centres it.
  void RequestPosition(int x, int y) { m_requested = Point{x, y}; }
  void SetCaption(std::string cp932);
  const std::string& Caption() const { return m_caption; }

  // Runs the dialog modally; the result given to End.
  int Run(platform::UiSurface surface);
  void End(int result);
  bool Ended() const { return m_ended; }

  DialogItem* Item(int id) const;
  const std::vector<std::unique_ptr<DialogItem>>& Items() const { return m_items; }
  void SetItemText(int id, std::string cp932);
  std::string ItemText(int id) const;
  void SetCheck(int id, int check);
  int GetCheck(int id) const;
  void SetFocus(int id);
  int FocusedId() const;
  // A user's press of a button (as a click would do).
  void Click(int id);
  // Handles one event as the loop does (tests may feed events directly).
  void HandleEvent(const platform::UiEvent& event);
  // Whether a key is held down, as the dialog's key events left it.
  bool KeyHeld(int key) const;

  // The window's place on its surface and size, once running.
  DialogRect WindowRect() const { return {m_x, m_y, m_width, m_height}; }
  // The client area's origin in the picture the window's surface shows
  // (where pointer positions are given).
  int ClientOriginX() const;
  int ClientOriginY() const;
  // Draws the dialog now (and shows it).
  void Redraw();

  // cHookWindow
  void PostKeyMessage(unsigned message, int key, std::uint32_t data) override;
  bool IsComposing() const override;

 private:
  struct Point {
    int x, y;
  };

  void Notify(int id, int code) override;
  void RadioChosen(int id) override;

  void Place(platform::UiSurface surface);
  void LoopPass();
  void Dispatch(const platform::UiEvent& event);
  void KeyDown(const platform::UiEvent& event);
  void DialogManagerKey(const platform::UiEvent& event);
  void MouseDown(const platform::UiEvent& event);
  void MoveFocus(int step);
  void FocusItem(DialogItem* item, bool byKeyboard);
  void UpdateTextInput();
  void RunPostedMessages();
  DialogItem* ItemAt(int x, int y) const;
  DialogItem* DefaultButton() const;
  void Show(const DialogCanvas& canvas);
  void TakeBackground();
  void RestoreBackground();
  // A picture of the background's size shown in the game window.
  void SubmitToGameWindow(const std::vector<std::uint32_t>& picture);

  DialogHandler& m_handler;
  std::string m_caption;
  bool m_hasCaption;
  bool m_visible;
  std::vector<std::unique_ptr<DialogItem>> m_items;
  DialogItem* m_focus = nullptr;
  DialogItem* m_capture = nullptr;
  std::optional<Point> m_requested;
  platform::UiSurface m_surface = platform::UiSurface::GameWindow;
  int m_x = 0, m_y = 0, m_width = 0, m_height = 0;
  int m_clientLeft = 0, m_clientTop = 0;
  int m_clientWidth = 0, m_clientHeight = 0;
  bool m_running = false;
  bool m_ended = false;
  int m_result = 0;
  bool m_dirty = true;
  std::vector<std::uint32_t> m_background;
  int m_backgroundW = 0, m_backgroundH = 0;
  struct Posted {
    unsigned message;
    int key;
    std::uint32_t data;
  };
  std::vector<Posted> m_posted;
  std::vector<int> m_heldKeys;
  std::uint64_t m_lastClickTime = 0;
  int m_lastClickId = -1;
};

// True while any dialog runs (requests that would open another are refused).
bool DialogIsRunning();

// For tests and tools: called once with each dialog after it is shown; it may
// press buttons or set controls. A dialog still open afterwards runs on
// (headless: until its script of events ends, which closes it).
using DialogObserver = std::function<void(DialogBox&)>;
void SetDialogObserver(DialogObserver observer);
