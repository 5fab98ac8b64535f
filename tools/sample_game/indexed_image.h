#pragma once
// A picture of palette numbers, the form every bitmap of the sample game is
// drawn in before it is written as an 8-bit BMP. Palette number 0 is the
// transparent colour, so a new image is fully see-through and art is laid
// onto it shape by shape. Drawing outside the image is clipped silently,
// which lets shapes run off an edge the way hand-drawn art does.

#include <cstdint>
#include <string_view>
#include <vector>

namespace sample_game {

class IndexedImage {
 public:
  IndexedImage(int width, int height, std::uint8_t fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

  std::uint8_t At(int x, int y) const;
  void Set(int x, int y, std::uint8_t colour);

  void FillRect(int x, int y, int w, int h, std::uint8_t colour);
  // A frame one dot thick just inside the rectangle.
  void FrameRect(int x, int y, int w, int h, std::uint8_t colour);
  void Line(int x0, int y0, int x1, int y1, std::uint8_t colour);
  void FillCircle(int cx, int cy, int radius, std::uint8_t colour);
  void FillEllipse(int cx, int cy, int rx, int ry, std::uint8_t colour);
  // Rows top to bottom from `top` to `top + h`, ramp colours spread evenly.
  void VerticalRamp(int x, int y, int w, int h, std::uint8_t first, int steps);
  // Copies another image at (x, y); its colour 0 stays see-through.
  void Paste(const IndexedImage& source, int x, int y);
  // The same, flipped left to right.
  void PasteMirrored(const IndexedImage& source, int x, int y);

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
};

// Each dot becomes a scale x scale block.
IndexedImage Enlarged(const IndexedImage& source, int scale);

// A small picture written as rows of characters, each character a colour
// from a key ("." is transparent). Rows may be shorter than the widest one.
//   const SpriteKey key = {{'#', kInk}, {'o', kSkin}};
//   StampSprite(image, 4, 4, {"..##..", ".#oo#."}, key);
struct SpriteColour {
  char symbol;
  std::uint8_t colour;
};
using SpriteKey = std::vector<SpriteColour>;
using SpriteRows = std::vector<std::string_view>;

IndexedImage SpriteFromRows(const SpriteRows& rows, const SpriteKey& key);
// Each sprite dot becomes a scale x scale block.
IndexedImage ScaledSprite(const SpriteRows& rows, const SpriteKey& key, int scale);

}  // namespace sample_game
