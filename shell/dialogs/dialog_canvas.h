#pragma once
// The picture a dialog draws itself into: 0x00RRGGBB pixels with a clip
// rectangle, filled areas, the sunken and raised edges of controls, and text
// in the dialog font blended over what lies below.

#include <cstdint>
#include <string_view>
#include <vector>

struct DialogRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;

  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
  DialogRect Inset(int d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
};

namespace dialog_colors {
inline constexpr std::uint32_t kFace = 0xF0F0F0;
inline constexpr std::uint32_t kText = 0x000000;
inline constexpr std::uint32_t kGrayText = 0x6D6D6D;
inline constexpr std::uint32_t kWindow = 0xFFFFFF;
inline constexpr std::uint32_t kHighlight = 0x0078D7;
inline constexpr std::uint32_t kHighlightText = 0xFFFFFF;
inline constexpr std::uint32_t kLight = 0xFFFFFF;
inline constexpr std::uint32_t kShadow = 0xA0A0A0;
inline constexpr std::uint32_t kDarkShadow = 0x696969;
inline constexpr std::uint32_t kFrame = 0x646464;
inline constexpr std::uint32_t kCaption = 0x1F4E79;
inline constexpr std::uint32_t kCaptionText = 0xFFFFFF;
inline constexpr std::uint32_t kComposition = 0x0050A0;
}  // namespace dialog_colors

class DialogCanvas {
 public:
  DialogCanvas(int width, int height, std::uint32_t background);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  const std::vector<std::uint32_t>& Pixels() const { return m_pixels; }
  std::uint32_t At(int x, int y) const { return m_pixels[static_cast<std::size_t>(y) * m_width + x]; }

  // Drawing stays inside the clip (and the canvas).
  void SetClip(const DialogRect& clip);
  void ResetClip();

  void Fill(const DialogRect& rect, std::uint32_t color);
  void HLine(int x, int y, int w, std::uint32_t color);
  void VLine(int x, int y, int h, std::uint32_t color);
  // A one-pixel outline.
  void Outline(const DialogRect& rect, std::uint32_t color);
  // Two-pixel edges: sunken (edit boxes, lists) or raised (buttons).
  void SunkenEdge(const DialogRect& rect);
  void RaisedEdge(const DialogRect& rect);
  // A dotted outline (the keyboard focus).
  void FocusOutline(const DialogRect& rect);

  // Copies another canvas with its top-left at (x, y), clipped.
  void Paste(const DialogCanvas& source, int x, int y);

  // CP932 text on one line with its top at y; returns the width drawn.
  int Text(int x, int y, std::string_view cp932, std::uint32_t color);

 private:
  void Blend(int x, int y, std::uint32_t color, int coverage);

  int m_width;
  int m_height;
  std::vector<std::uint32_t> m_pixels;
  DialogRect m_clip;
};
