#include "shell/window/window_pos.h"

#include <algorithm>

#include "project/data_paths.h"

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
  ClampInto(platform::DesktopWorkArea());
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
