// Feeds arbitrary bytes to the BMP, PNG and JPEG decoders and reads every
// pixel of what they accept.
#include <cstddef>
#include <cstdint>

#include "graphics/images/image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  cImage image;
  // The first byte picks the decoder so that each sees every input, not
  // only inputs that start with its signature.
  if (size < 1) return 0;
  const std::uint8_t* body = data + 1;
  const std::size_t length = size - 1;
  switch (data[0] % 4) {
    case 0: DecodeBmp(body, length, image); break;
    case 1: DecodePng(body, length, image); break;
    case 2: DecodeJpeg(body, length, image); break;
    default: DecodeImage(body, length, image); break;
  }
  if (image.width > 0) {
    // Every pixel must be readable.
    volatile std::uint32_t sum = 0;
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) sum = sum + image.Pixel(x, y);
  }
  return 0;
}
