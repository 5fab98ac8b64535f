#include "graphics/images/image.h"

#include <string_view>

#include "foundation/game_files.h"

bool ImageSizeAcceptable(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImageArea;
}

bool DecodeImage(const std::uint8_t* data, std::size_t size, cImage& out) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return DecodeBmp(data, size, out);
  if (size >= 8 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G')
    return DecodePng(data, size, out);
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return DecodeJpeg(data, size, out);
  return false;
}

bool LoadImageFile(const char* storedPath, cImage& out) {
  std::vector<unsigned char> bytes;
  if (!storedPath || !ReadGameFile(storedPath, bytes)) return false;
  return DecodeImage(bytes.data(), bytes.size(), out);
}
