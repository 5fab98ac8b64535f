#include "shell/window/window_pos.h"

#include <algorithm>

#include "project/data_paths.h"
#include "shell/init/graphics_start.h"

cWindowPos g_WindowPos;

void cWindowPos::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&m_nX);
  fields.AddField4(&m_nY);
  fields.AddField4(&m_nWidth);
  fields.AddField4(&m_nHeight);
  fields.AddField4(&m_bZoomed);
}

void cWindowPos::Load(DataReader& in) {
  cRecord::Load(in);
  KeepAWindowSize(platform::WholeDesktopBounds());
  ClampInto(platform::WorkAreaHolding({m_nX, m_nY, m_nWidth, m_nHeight}));
}

void cWindowPos::Set(int x, int y, int width, int height, int zoomed) {
  m_nX = x;
  m_nY = y;
  m_nWidth = width;
  m_nHeight = height;
  m_bZoomed = zoomed;
}

namespace {
std::int32_t ClampAxis(std::int32_t position, std::int32_t size, int areaStart, int areaSize) {
  const std::int64_t last = std::int64_t(areaStart) + areaSize - std::clamp<std::int64_t>(size, 0, areaSize);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(position, areaStart, last));
}

// A window manager keeps a window at least this many pixels a side.
constexpr std::int64_t kShortestSide = 100;
// How many times the whole desktop's width or height a window may reach.
constexpr std::int64_t kMostDesktops = 4;
// How many times as wide as tall, or as tall as wide, a window may be.
constexpr std::int64_t kMostStretch = 8;

bool SideAWindowCouldHave(std::int64_t side, int desktopSide) {
  return side >= kShortestSide && (desktopSide <= 0 || side <= kMostDesktops * desktopSide);
}
}  // namespace

void cWindowPos::KeepAWindowSize(const platform::WindowRect& wholeDesktop) {
  const std::int64_t width = m_nWidth, height = m_nHeight;
  if (SideAWindowCouldHave(width, wholeDesktop.width) && SideAWindowCouldHave(height, wholeDesktop.height) &&
      width <= kMostStretch * height && height <= kMostStretch * width)
    return;
  m_nWidth = kScreenWidth;
  m_nHeight = kScreenHeight;
}

void cWindowPos::ClampInto(const platform::WindowRect& area) {
  // A size saved on a larger desktop: the largest of its shape that fits,
  // so that the whole picture shows.
  const platform::WindowRect fitted =
      platform::ShrinkToFit({m_nX, m_nY, m_nWidth, m_nHeight}, area.width, area.height);
  m_nWidth = fitted.width;
  m_nHeight = fitted.height;
  m_nX = ClampAxis(m_nX, m_nWidth, area.x, area.width);
  m_nY = ClampAxis(m_nY, m_nHeight, area.y, area.height);
}

int LoadWindowPos() { return LoadFile(g_WindowPos, g_Paths[PATH_WINDOW]); }

int SaveWindowPos() {
  const platform::WindowRect rect = platform::MainWindowRect();
  g_WindowPos.Set(rect.x, rect.y, rect.width, rect.height, platform::MainWindowMaximised() ? 1 : 0);
  return SaveFile(g_WindowPos, g_Paths[PATH_WINDOW]);
}
