#include "shell/dialogs/dialog_canvas.h"

#include <algorithm>

#include "foundation/sjis.h"
#include "shell/dialogs/dialog_font.h"

DialogCanvas::DialogCanvas(int width, int height, std::uint32_t background)
    : m_width(std::max(0, width)),
      m_height(std::max(0, height)),
      m_pixels(static_cast<std::size_t>(m_width) * m_height, background),
      m_clip{0, 0, m_width, m_height} {}

void DialogCanvas::SetClip(const DialogRect& clip) {
  const int left = std::max(0, clip.x), top = std::max(0, clip.y);
  const int right = std::min(m_width, clip.x + clip.w), bottom = std::min(m_height, clip.y + clip.h);
  m_clip = {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

void DialogCanvas::ResetClip() { m_clip = {0, 0, m_width, m_height}; }

void DialogCanvas::Fill(const DialogRect& rect, std::uint32_t color) {
  const int left = std::max(rect.x, m_clip.x), top = std::max(rect.y, m_clip.y);
  const int right = std::min(rect.x + rect.w, m_clip.x + m_clip.w);
  const int bottom = std::min(rect.y + rect.h, m_clip.y + m_clip.h);
  for (int y = top; y < bottom; ++y)
    std::fill_n(m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_width + left, std::max(0, right - left), color);
}

void DialogCanvas::HLine(int x, int y, int w, std::uint32_t color) { Fill({x, y, w, 1}, color); }

void DialogCanvas::VLine(int x, int y, int h, std::uint32_t color) { Fill({x, y, 1, h}, color); }

void DialogCanvas::Outline(const DialogRect& r, std::uint32_t color) {
  HLine(r.x, r.y, r.w, color);
  HLine(r.x, r.y + r.h - 1, r.w, color);
  VLine(r.x, r.y, r.h, color);
  VLine(r.x + r.w - 1, r.y, r.h, color);
}

void DialogCanvas::SunkenEdge(const DialogRect& r) {
  using namespace dialog_colors;
  HLine(r.x, r.y, r.w, kShadow);
  VLine(r.x, r.y, r.h, kShadow);
  HLine(r.x + 1, r.y + 1, r.w - 2, kDarkShadow);
  VLine(r.x + 1, r.y + 1, r.h - 2, kDarkShadow);
  HLine(r.x, r.y + r.h - 1, r.w, kLight);
  VLine(r.x + r.w - 1, r.y, r.h, kLight);
}

void DialogCanvas::RaisedEdge(const DialogRect& r) {
  using namespace dialog_colors;
  HLine(r.x, r.y, r.w, kLight);
  VLine(r.x, r.y, r.h, kLight);
  HLine(r.x, r.y + r.h - 1, r.w, kDarkShadow);
  VLine(r.x + r.w - 1, r.y, r.h, kDarkShadow);
  HLine(r.x + 1, r.y + r.h - 2, r.w - 2, kShadow);
  VLine(r.x + r.w - 2, r.y + 1, r.h - 2, kShadow);
}

void DialogCanvas::FocusOutline(const DialogRect& r) {
  for (int x = r.x; x < r.x + r.w; x += 2) {
    Fill({x, r.y, 1, 1}, dialog_colors::kText);
    Fill({x, r.y + r.h - 1, 1, 1}, dialog_colors::kText);
  }
  for (int y = r.y; y < r.y + r.h; y += 2) {
    Fill({r.x, y, 1, 1}, dialog_colors::kText);
    Fill({r.x + r.w - 1, y, 1, 1}, dialog_colors::kText);
  }
}

void DialogCanvas::Blend(int x, int y, std::uint32_t color, int coverage) {
  if (!m_clip.Contains(x, y) || coverage <= 0) return;
  std::uint32_t& pixel = m_pixels[static_cast<std::size_t>(y) * m_width + x];
  std::uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int below = (pixel >> shift) & 0xFF, above = (color >> shift) & 0xFF;
    result |= static_cast<std::uint32_t>((above * coverage + below * (255 - coverage) + 127) / 255) << shift;
  }
  pixel = result;
}

int DialogCanvas::Text(int x, int y, std::string_view cp932, std::uint32_t color) {
  const DialogFont& font = DialogFont::Get();
  const int baseline = y + font.Ascent();
  int pen = x;
  sjis::ForEachChar(cp932, [&](std::size_t pos, std::size_t length) {
    const platform::GlyphBitmap& glyph = font.Glyph(cp932.substr(pos, length));
    for (int gy = 0; gy < glyph.height; ++gy)
      for (int gx = 0; gx < glyph.width; ++gx) Blend(pen + glyph.left + gx, baseline + glyph.top + gy, color, glyph.At(gx, gy));
    pen += glyph.advance;
  });
  return pen - x;
}

void DialogCanvas::Paste(const DialogCanvas& source, int x, int y) {
  for (int row = 0; row < source.Height(); ++row) {
    const int ty = y + row;
    if (ty < m_clip.y || ty >= m_clip.y + m_clip.h) continue;
    for (int col = 0; col < source.Width(); ++col) {
      const int tx = x + col;
      if (tx >= m_clip.x && tx < m_clip.x + m_clip.w) m_pixels[std::size_t(ty) * m_width + tx] = source.At(col, row);
    }
  }
}
