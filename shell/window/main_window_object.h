#pragma once
// The main window as an object over the window service: the client size it
// asks for with its limits, fitting the window to a client size, centring
// and moving it, and the size limits that a DirectDraw window keeps. A
// desktop window here is sized by its client area and framed by the window
// manager, so every frame metric of the window is 0.

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
  // ((desktop width - window width) / 2, (desktop height - window height) / 2),
  // halves rounded toward zero.
  void Centre();
  platform::WindowRect GetClientRect() const;
  // A sizing border on or off.
  void SetSizingBorder(bool on);
  // The minimum and maximum sizes held to (a window that is not resized).
  void KeepSizeLimits();

  int ClientWidth() const { return m_clientWidth; }
  int ClientHeight() const { return m_clientHeight; }

 private:
  int m_clientWidth = 0, m_clientHeight = 0;
  int m_minWidth = 0, m_minHeight = 0;
  int m_maxWidth = 0, m_maxHeight = 0;
};

extern cMainWindow g_MainWindow;
