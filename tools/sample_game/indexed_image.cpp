#include "tools/sample_game/indexed_image.h"

#include <algorithm>
#include <cstdlib>

namespace sample_game {

IndexedImage::IndexedImage(int width, int height, std::uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

std::uint8_t IndexedImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void IndexedImage::Set(int x, int y, std::uint8_t colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

void IndexedImage::FillRect(int x, int y, int w, int h, std::uint8_t colour) {
  const int left = std::max(x, 0), right = std::min(x + w, width_);
  const int top = std::max(y, 0), bottom = std::min(y + h, height_);
  for (int row = top; row < bottom; ++row)
    std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(row) * width_ + left,
              pixels_.begin() + static_cast<std::ptrdiff_t>(row) * width_ + std::max(left, right), colour);
}

void IndexedImage::FrameRect(int x, int y, int w, int h, std::uint8_t colour) {
  FillRect(x, y, w, 1, colour);
  FillRect(x, y + h - 1, w, 1, colour);
  FillRect(x, y, 1, h, colour);
  FillRect(x + w - 1, y, 1, h, colour);
}

void IndexedImage::Line(int x0, int y0, int x1, int y1, std::uint8_t colour) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  while (true) {
    Set(x0, y0, colour);
    if (x0 == x1 && y0 == y1) return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

void IndexedImage::FillCircle(int cx, int cy, int radius, std::uint8_t colour) {
  FillEllipse(cx, cy, radius, radius, colour);
}

void IndexedImage::FillEllipse(int cx, int cy, int rx, int ry, std::uint8_t colour) {
  if (rx <= 0 || ry <= 0) return;
  // Integer test of (x/rx)^2 + (y/ry)^2 <= 1, with the half-dot margin that
  // keeps small circles round rather than diamond-shaped.
  const long long rx2 = static_cast<long long>(rx) * rx, ry2 = static_cast<long long>(ry) * ry;
  for (int y = -ry; y <= ry; ++y)
    for (int x = -rx; x <= rx; ++x)
      if (4 * (x * x * ry2 + y * y * rx2) <= 4 * rx2 * ry2 + rx2 + ry2) Set(cx + x, cy + y, colour);
}

void IndexedImage::VerticalRamp(int x, int y, int w, int h, std::uint8_t first, int steps) {
  for (int row = 0; row < h; ++row)
    FillRect(x, y + row, w, 1, static_cast<std::uint8_t>(first + row * steps / std::max(h, 1)));
}

void IndexedImage::Paste(const IndexedImage& source, int x, int y) {
  for (int row = 0; row < source.height_; ++row)
    for (int col = 0; col < source.width_; ++col)
      if (std::uint8_t c = source.At(col, row)) Set(x + col, y + row, c);
}

void IndexedImage::PasteMirrored(const IndexedImage& source, int x, int y) {
  for (int row = 0; row < source.height_; ++row)
    for (int col = 0; col < source.width_; ++col)
      if (std::uint8_t c = source.At(source.width_ - 1 - col, row)) Set(x + col, y + row, c);
}

IndexedImage Enlarged(const IndexedImage& source, int scale) {
  IndexedImage big(source.Width() * scale, source.Height() * scale);
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x)
      if (auto c = source.At(x, y)) big.FillRect(x * scale, y * scale, scale, scale, c);
  return big;
}

IndexedImage SpriteFromRows(const SpriteRows& rows, const SpriteKey& key) {
  std::size_t width = 0;
  for (auto row : rows) width = std::max(width, row.size());
  IndexedImage image(static_cast<int>(width), static_cast<int>(rows.size()));
  for (std::size_t y = 0; y < rows.size(); ++y)
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      auto found = std::find_if(key.begin(), key.end(), [&](const SpriteColour& k) { return k.symbol == rows[y][x]; });
      if (found != key.end()) image.Set(static_cast<int>(x), static_cast<int>(y), found->colour);
    }
  return image;
}

IndexedImage ScaledSprite(const SpriteRows& rows, const SpriteKey& key, int scale) {
  return Enlarged(SpriteFromRows(rows, key), scale);
}

}  // namespace sample_game
