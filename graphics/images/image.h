#pragma once
// A decoded picture, independent of any surface: indexed with its colour
// table (BMP files of 1, 4 and 8 bits) or 32-bit 0xAARRGGBB.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct cImage {
  int width = 0;
  int height = 0;
  int fileBitsPerPixel = 0;           // bit depth stored in the file
  bool indexed = false;
  std::vector<std::uint8_t> indices;  // indexed: width * height palette numbers, top row first
  std::array<std::uint32_t, 256> palette{};  // indexed: colour table as 0xFFRRGGBB (missing entries 0)
  std::vector<std::uint32_t> pixels;  // true colour: width * height 0xAARRGGBB, top row first

  // The colour of pixel (x, y) as 0xAARRGGBB in either form.
  std::uint32_t Pixel(int x, int y) const {
    const std::size_t i = std::size_t(y) * width + x;
    return indexed ? palette[indices[i]] : pixels[i];
  }
};

// Each decoder refuses damaged data (sizes, offsets, colour tables, runs
// that do not fit) and never reads outside the buffer.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, cImage& out);
bool DecodePng(const std::uint8_t* data, std::size_t size, cImage& out);
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, cImage& out);
// Picks the decoder by the file's signature.
bool DecodeImage(const std::uint8_t* data, std::size_t size, cImage& out);
// Reads a game file by its stored path (CP932) and decodes it.
bool LoadImageFile(const char* storedPath, cImage& out);

// Pictures larger than this on a side, or in area, are refused.
inline constexpr int kMaxImageSide = 16384;
inline constexpr std::int64_t kMaxImageArea = 16LL * 1024 * 1024;
bool ImageSizeAcceptable(std::int64_t width, std::int64_t height);
