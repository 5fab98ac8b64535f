#pragma once
// The main window as an object over the window service: the client size it
// asks for with its limits, fitting the window to a client size, centring
// and moving it, and the size limits that a DirectDraw window keeps. A
// desktop window here is sized by its client area and framed by the window
// manager, so every frame metric of the window is 0.

#include "input/mouse_buttons.h"
#include "platform/window.h"

class cMainWindow {
 public:
  // The wanted client size and the sizes the user may give the window.
  void SetGeometry(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth, int maxHeight);
  // The window placed at (x, y) with a client area of the size.
  void FitClientAt(int x, int y, int width, int height);
  // The same at the window's current position.
  void FitClient(int width, int height);
  void Move(int x, int y);
  // Centred on the primary monitor: its corner plus ((monitor width - window
  // width) / 2, (monitor height - window height) / 2), halves rounded toward zero.
  void Centre();
  platform::WindowRect GetClientRect() const;
  // A sizing border on or off.
  void SetSizingBorder(bool on);
  // The minimum and maximum sizes held to (a window that is not resized).
  void KeepSizeLimits();

  // The pointer seen at (x, y) of the game picture: outside the picture
  // nothing changes (0) unless `always`; otherwise it becomes the mouse
  // position and the buttons are read with the mode mask (1).
  int QueryMouse(int always, int mask, int x, int y);
  const MOUSESTATE& Mouse() const { return m_Mouse; }
  const MOUSESTATE& PrevMouse() const { return m_PrevMouse; }
  // The mouse position on the desktop.
  int MouseScreenX() const { return m_nMouseScreenX; }
  int MouseScreenY() const { return m_nMouseScreenY; }

  int ClientWidth() const { return m_clientWidth; }
  int ClientHeight() const { return m_clientHeight; }

 private:
  MOUSESTATE m_Mouse;
  MOUSESTATE m_PrevMouse;
  int m_nMouseScreenX = 0, m_nMouseScreenY = 0;
  int m_clientWidth = 0, m_clientHeight = 0;
  int m_minWidth = 0, m_minHeight = 0;
  int m_maxWidth = 0, m_maxHeight = 0;
};

extern cMainWindow g_MainWindow;
