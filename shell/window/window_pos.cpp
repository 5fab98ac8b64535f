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
  KeepAWindowSize(platform::DesktopBounds());
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
}  // namespace

void cWindowPos::KeepAWindowSize(const platform::WindowRect& desktop) {
  constexpr std::int64_t kMostStretch = 2;
  const std::int64_t width = m_nWidth, height = m_nHeight;
  // The width and the height in pictures' widths and heights, crosswise.
  const std::int64_t across = width * kScreenHeight, down = height * kScreenWidth;
  const bool large = width >= kScreenWidth && height >= kScreenHeight;
  if (large && across <= kMostStretch * down && down <= kMostStretch * across) return;
  m_nWidth = kScreenWidth;
  m_nHeight = kScreenHeight;
  m_nX = desktop.x + (desktop.width - kScreenWidth) / 2;
  m_nY = desktop.y + (desktop.height - kScreenHeight) / 2;
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
