// JPEG files through libjpeg, read from memory, as opaque 32-bit ARGB.
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <csetjmp>

#include "graphics/images/image.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
void OnMessage(j_common_ptr) {}

// The functions that may jump back hold no C++ objects.
bool ReadHeader(jpeg_decompress_struct* jpeg, ErrorManager* errors, const std::uint8_t* data, std::size_t size) {
  if (setjmp(errors->jump)) return false;
  jpeg_mem_src(jpeg, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(jpeg, TRUE) != JPEG_HEADER_OK) return false;
  if (!ImageSizeAcceptable(jpeg->image_width, jpeg->image_height)) return false;
  jpeg->out_color_space = JCS_RGB;
  jpeg_start_decompress(jpeg);
  return jpeg->output_components == 3;
}

bool ReadRows(jpeg_decompress_struct* jpeg, ErrorManager* errors, std::uint8_t* rgb, std::uint32_t* pixels) {
  if (setjmp(errors->jump)) return false;
  const JDIMENSION width = jpeg->output_width;
  while (jpeg->output_scanline < jpeg->output_height) {
    const JDIMENSION y = jpeg->output_scanline;
    JSAMPROW row = rgb;
    if (jpeg_read_scanlines(jpeg, &row, 1) != 1) return false;
    std::uint32_t* out = pixels + std::size_t(y) * width;
    for (JDIMENSION x = 0; x < width; ++x)
      out[x] = 0xFF000000u | std::uint32_t(rgb[3 * x]) << 16 | std::uint32_t(rgb[3 * x + 1]) << 8 | rgb[3 * x + 2];
  }
  jpeg_finish_decompress(jpeg);
  return true;
}

}  // namespace

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, cImage& out) {
  if (size < 4) return false;
  jpeg_decompress_struct jpeg;
  ErrorManager errors;
  jpeg.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.output_message = OnMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&jpeg);
    return false;
  }
  jpeg_create_decompress(&jpeg);
  bool ok = ReadHeader(&jpeg, &errors, data, size);
  cImage image;
  if (ok) {
    image.width = static_cast<int>(jpeg.output_width);
    image.height = static_cast<int>(jpeg.output_height);
    image.fileBitsPerPixel = 24;
    image.pixels.assign(std::size_t(image.width) * image.height, 0);
    std::vector<std::uint8_t> rgb(std::size_t(image.width) * 3);
    ok = ReadRows(&jpeg, &errors, rgb.data(), image.pixels.data());
  }
  jpeg_destroy_decompress(&jpeg);
  if (ok) out = std::move(image);
  return ok;
}
