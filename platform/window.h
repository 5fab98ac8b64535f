#pragma once
// The game window and the main thread's event loop. The SDL backend shows a
// real window; the headless backend has none and is always active. All of
// these run on the main thread.

#include <functional>
#include <string_view>

#include "platform/main_thread.h"
#include "platform/ui_events.h"

namespace platform {

struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Creates the hidden window with a client area of the given size at (100, 100).
bool CreateMainWindow(int clientWidth, int clientHeight);
void DestroyMainWindow();
bool MainWindowExists();
// The title is CP932 bytes.
void SetMainWindowTitle(std::string_view cp932Title);
void CentreMainWindow();
void ShowMainWindow(bool maximised);
void MoveMainWindow(int x, int y);
WindowRect MainWindowRect();
// The desktop's usable area (without panels and docks), in screen coordinates.
WindowRect DesktopWorkArea();

// What the event loop reports to the window procedure of the shell.
struct EventHandlers {
  std::function<void(CloseReason)> onClose;
  std::function<void(bool active)> onActivate;
  // Keyboard, text and mouse events (the dialogs' loops take them).
  std::function<void(const UiEvent&)> onInput;
};

// Runs the event loop until PostQuit: each pass handles window events, the
// close request and the main thread's requests and tasks, then sleeps 1 ms;
// while the application is inactive it waits for an event instead.
// Returns the code given to PostQuit.
int RunEventLoop(const EventHandlers& handlers);

// One pass of a modal loop of the main thread (a dialog): the window events
// that arrived, then the main thread's requests and tasks. Close requests
// stay pending for the caller to take.
void PumpEvents(const EventHandlers& handlers);

}  // namespace platform
