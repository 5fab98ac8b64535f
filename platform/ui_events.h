#pragma once
// Keyboard, text and mouse events for the program's own dialogs, which are
// drawn inside the game window (or, before the game window is shown, in a
// small window of their own). The backends turn their events into these:
// keys as the Windows virtual-key numbers that the dialog code is written
// against, typed and composed text as UTF-8, pointer positions in the pixels
// of the picture that the window shows (the 640x480 frame, or the dialog's
// own picture), whatever the window's scale.
//
// The headless backend has no keyboard: a test queues a script of events,
// which the event pump hands out one per pass.

#include <string>
#include <vector>

namespace platform {

// The virtual-key numbers the dialogs use; letters and digits are their
// upper-case ASCII codes.
enum VirtualKey : int {
  kVkBack = 8,
  kVkTab = 9,
  kVkReturn = 13,
  kVkShift = 16,
  kVkControl = 17,
  kVkMenu = 18,
  kVkEscape = 27,
  kVkSpace = 32,
  kVkPrior = 33,
  kVkNext = 34,
  kVkEnd = 35,
  kVkHome = 36,
  kVkLeft = 37,
  kVkUp = 38,
  kVkRight = 39,
  kVkDown = 40,
  kVkInsert = 45,
  kVkDelete = 46,
  kVkF1 = 112,
  kVkF12 = 123,
};

// Which picture an event belongs to.
enum class UiSurface { GameWindow, OwnWindow };

enum class UiEventKind {
  KeyDown,
  KeyUp,
  Text,         // text typed (after any composition), UTF-8
  Composition,  // the text being composed; empty when composition ends
  MouseMove,
  MouseDown,
  MouseUp,
  MouseWheel,
  Close,  // the window's close box
};

struct UiEvent {
  UiEventKind kind = UiEventKind::KeyDown;
  UiSurface surface = UiSurface::GameWindow;
  int key = 0;  // virtual key (KeyDown, KeyUp)
  bool ctrl = false;
  bool shift = false;
  std::string text;  // Text, Composition
  int cursor = 0;    // Composition: caret position in characters
  int x = 0;         // pointer position in the picture's pixels
  int y = 0;
  int button = 0;  // 1 left, 2 right
  int wheel = 0;   // lines, positive away from the user
};

// Small constructors for scripts and tests.
UiEvent KeyDownEvent(int key, bool ctrl = false, bool shift = false);
UiEvent KeyUpEvent(int key, bool ctrl = false, bool shift = false);
UiEvent TextEvent(std::string utf8);
UiEvent CompositionEvent(std::string utf8, int cursor = 0);
UiEvent MouseEvent(UiEventKind kind, int x, int y, int button = 1, UiSurface surface = UiSurface::GameWindow);
UiEvent CloseEvent(UiSurface surface);

// Text input: while on, typed characters arrive as Text events and the input
// method may compose; the area (picture pixels) is where it shows its
// candidates. Main thread.
void StartTextInput(UiSurface surface, int x, int y, int width, int height);
void StopTextInput();

// Headless script: events handed out in order by the headless event pump.
void QueueHeadlessUiEvents(const std::vector<UiEvent>& events);
bool HeadlessUiScriptEmpty();
void ClearHeadlessUiScript();
// The next scripted event, taken; false when the script is empty.
bool TakeHeadlessUiEvent(UiEvent& event);

}  // namespace platform
