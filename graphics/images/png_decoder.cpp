// PNG files through libpng, read from memory; every form becomes 32-bit ARGB.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "graphics/images/image.h"

namespace {

struct MemoryReader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (length > reader->size - reader->pos) png_error(png, "read past the end");
  std::memcpy(out, reader->data + reader->pos, length);
  reader->pos += length;
}

void IgnoreWarning(png_structp, png_const_charp) {}

// The functions that may jump back hold no C++ objects.
bool ReadHeader(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  int bitDepth = 0, colourType = 0;
  png_get_IHDR(png, info, width, height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return png_get_rowbytes(png, info) == std::size_t(*width) * 4;
}

bool ReadRows(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  return true;
}

}  // namespace

bool DecodePng(const std::uint8_t* data, std::size_t size, cImage& out) {
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  MemoryReader reader{data, size, 0};
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_uint_32 width = 0, height = 0;
  bool ok = ReadHeader(png, info, &width, &height) && ImageSizeAcceptable(width, height);
  cImage image;
  if (ok) {
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.fileBitsPerPixel = 32;
    image.pixels.assign(std::size_t(width) * height, 0);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y)
      rows[y] = reinterpret_cast<png_bytep>(image.pixels.data() + std::size_t(y) * width);
    ok = ReadRows(png, rows.data());
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (ok) out = std::move(image);
  return ok;
}
