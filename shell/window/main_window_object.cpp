#include "shell/window/main_window_object.h"

cMainWindow g_MainWindow;

void cMainWindow::SetGeometry(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth,
                              int maxHeight) {
  m_clientWidth = clientWidth;
  m_clientHeight = clientHeight;
  m_minWidth = minWidth;
  m_minHeight = minHeight;
  m_maxWidth = maxWidth;
  m_maxHeight = maxHeight;
}

void cMainWindow::FitClientAt(int x, int y, int width, int height) {
  m_clientWidth = width;
  m_clientHeight = height;
  platform::PlaceMainWindow(x, y, width, height);
}

void cMainWindow::FitClient(int width, int height) {
  const platform::WindowRect rect = platform::MainWindowRect();
  FitClientAt(rect.x, rect.y, width, height);
}

void cMainWindow::Move(int x, int y) { platform::MoveMainWindow(x, y); }

void cMainWindow::Centre() {
  const platform::WindowRect desktop = platform::DesktopBounds();
  const platform::WindowRect window = platform::MainWindowRect();
  Move(desktop.x + (desktop.width - window.width) / 2, desktop.y + (desktop.height - window.height) / 2);
}

platform::WindowRect cMainWindow::GetClientRect() const {
  const platform::WindowRect window = platform::MainWindowRect();
  return {0, 0, window.width, window.height};
}

void cMainWindow::SetSizingBorder(bool on) { platform::SetMainWindowResizable(on); }

void cMainWindow::KeepSizeLimits() {
  platform::SetMainWindowSizeLimits(m_minWidth, m_minHeight, m_maxWidth, m_maxHeight);
}

int cMainWindow::QueryMouse(int always, int mask, int x, int y) {
  constexpr int kPictureWidth = 640, kPictureHeight = 480;
  if (!always && (x < 0 || y < 0 || x >= kPictureWidth || y >= kPictureHeight)) return 0;
  m_PrevMouse = m_Mouse;
  m_Mouse.x = x;
  m_Mouse.y = y;
  const platform::WindowRect window = platform::MainWindowRect();
  // The picture fills the client area, scaled to its width.
  const int scaled = window.width > 0 ? window.width : kPictureWidth;
  m_nMouseScreenX = window.x + x * scaled / kPictureWidth;
  m_nMouseScreenY = window.y + y * scaled / kPictureWidth;
  UpdateMouseButtons(&m_Mouse, mask);
  return 1;
}
