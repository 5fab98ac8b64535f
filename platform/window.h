#pragma once
// The game window and the main thread's event loop. The SDL backend shows a
// real window; the headless backend has none and is always active. All of
// these run on the main thread.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/main_thread.h"
#include "platform/ui_events.h"

namespace platform {

struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A monitor of the desktop: where it lies on the desktop, and its work area
// (the monitor without panels and docks).
struct Monitor {
  WindowRect bounds;
  WindowRect workArea;
};

// The frame a window manager draws around a window (title bar and borders),
// in pixels on each side.
struct WindowFrame {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Why no visible window can open here (no X11 or Wayland display, as over a
// plain SSH session, or one named that cannot be reached, where SDL would
// fall back to a driver that shows nothing), or nothing when one can. A
// video driver the user chose is taken as asked for. Tests run headless and
// have none of that problem.
std::optional<std::string> DisplayProblem();
// The display system and the renderer the window was made with, in one
// line, for the report (no renderer is named before the window exists).
std::string DisplayDescription();
// The video driver in use opens windows nobody can see (SDL's dummy and
// offscreen drivers, a script's or CI's choice): no one could answer a
// question in them. Never so headless.
bool VideoDriverShowsNothing();

// Creates the hidden window with a client area of the given size, centred on
// the primary monitor, and its renderer: the window appears only when shown,
// where it was placed (so full screen covers the primary monitor unless the
// window was placed on another).
bool CreateMainWindow(int clientWidth, int clientHeight);
void DestroyMainWindow();
bool MainWindowExists();
// The window exists and has been shown.
bool MainWindowShown();
// The title is CP932 bytes.
void SetMainWindowTitle(std::string_view cp932Title);
void ShowMainWindow(bool maximised);
// Positions are those of the window's inner (client) area on the desktop,
// whatever frame the window manager draws around it; a frame that would
// reach past the work area is brought inside it once it is known.
void MoveMainWindow(int x, int y);
// Moves the window and gives its client area the size.
void PlaceMainWindow(int x, int y, int clientWidth, int clientHeight);
// The window's client area: its position on the desktop and its size.
WindowRect MainWindowRect();
bool MainWindowMaximised();
bool MainWindowMinimised();
// A sizing border (the user may resize the window), and the client sizes
// the user may give it (0 x 0: no limit).
void SetMainWindowResizable(bool resizable);
void SetMainWindowSizeLimits(int minWidth, int minHeight, int maxWidth, int maxHeight);

// The desktop: its colour depth (16 or 32 here) and refresh rate.
int DesktopColourDepth();
int DesktopRefreshRate();
// The primary monitor's bounds, where a window opens the first time.
WindowRect DesktopBounds();
// The smallest rectangle that holds every monitor.
WindowRect WholeDesktopBounds();
// The work area of the monitor that holds the most of the rectangle (of the
// primary one when none holds any of it: a monitor since unplugged).
WindowRect WorkAreaHolding(const WindowRect& rect);
// The work area of the monitor that holds the most of the window (of the
// primary one before the window exists).
WindowRect DesktopWorkArea();

// Of the monitors (the primary one first), the one that holds the most of
// the rectangle, the primary one when none holds any of it; an empty
// monitor when there is none.
Monitor MonitorHolding(const WindowRect& rect, const std::vector<Monitor>& monitors);

// A window's size shrunk, its shape kept, to the largest that fits a room of
// that size; as it is when it fits (or is not a size at all).
WindowRect ShrinkToFit(const WindowRect& rect, int roomWidth, int roomHeight);

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
