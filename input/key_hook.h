#pragma once
// Key routing for the program's own dialogs. A dialog must see the
// navigation keys that would otherwise reach only its focused control, so
// every key event passes this hook before the dialog's controls: the hook
// re-posts the key to the dialog window it is bound to (and turns the
// navigation and function keys into one private message), lets Tab and a
// composing Enter through untouched, and on a window that is not bound to it
// swallows Escape, so that Escape never closes a window behind the dialog.
//
// There is no system hook here: the dialog toolkit calls KeyboardProc for
// every key event while the hook is installed and says which window is
// active. The window "property" that binds a window to its hook is a member
// of the window.

#include <cstdint>

// Key messages as the hook re-posts them.
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_KEYUP = 0x0101;
// A forwarded navigation or function key: wParam key, lParam key data.
inline constexpr unsigned WM_HOOK_FORWARDKEY = 0x0400 + 1000;

// Key data: bit 31 set = the key is going up.
inline constexpr std::uint32_t kKeyDataUp = 0x80000000u;

class cHook;

// A window as the hook sees it.
class cHookWindow {
 public:
  virtual ~cHookWindow() = default;
  virtual void PostKeyMessage(unsigned message, int key, std::uint32_t data) = 0;
  // True while the input method composes text in this window.
  virtual bool IsComposing() const = 0;

  cHook* m_pHook = nullptr;  // the window's "cHook" binding
};

class cHook {
 public:
  cHook() = default;
  ~cHook();
  cHook(const cHook&) = delete;
  cHook& operator=(const cHook&) = delete;

  // Binds the window to this hook and installs the hook if none is; 1.
  int SetHook(cHookWindow* window, int bCtrlFilter);
  // Removes the program's hook; 1 when one was installed, else 0.
  static int Unhook();
  static bool Installed();
  // Ctrl is held down, as the hook has seen it.
  static bool CtrlHeld();

  // Space, the arrows, Delete and F1 to F8.
  static bool IsForwardKey(int key);

  // One key event: code (negative or 3: not for the hook), virtual key, key
  // data. 1 when the key is swallowed, 0 when it goes on to the window.
  // Runs only while the hook is installed (otherwise 0).
  static int KeyboardProc(int code, int key, std::uint32_t data);

  // The window that has the keyboard (null: none), set by the toolkit.
  static void SetActiveWindow(cHookWindow* window);

  cHookWindow* m_hWnd = nullptr;
  int m_bCtrlFilter = 0;
};
