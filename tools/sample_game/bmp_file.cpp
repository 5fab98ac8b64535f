#include "tools/sample_game/bmp_file.h"

#include "tools/sample_game/byte_writer.h"

namespace sample_game {

std::vector<std::uint8_t> EncodeBmp8(const IndexedImage& image, const Palette& palette) {
  constexpr std::uint32_t kHeaderBytes = 14 + 40 + 256 * 4;
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.Width()) + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.Height());

  ByteWriter out;
  out.Text("BM");
  out.U32(kHeaderBytes + pixelBytes);
  out.U32(0);  // reserved
  out.U32(kHeaderBytes);
  out.U32(40);  // info header size
  out.I32(image.Width());
  out.I32(image.Height());  // positive: bottom-up
  out.U16(1);               // planes
  out.U16(8);               // bits per pixel
  out.U32(0);               // uncompressed
  out.U32(pixelBytes);
  out.I32(2835);  // 72 dots per inch
  out.I32(2835);
  out.U32(256);  // colours used
  out.U32(0);    // all important
  for (const Rgb& c : palette) {
    out.U8(c.b);
    out.U8(c.g);
    out.U8(c.r);
    out.U8(0);
  }
  for (int y = image.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.Width(); ++x) out.U8(image.At(x, y));
    for (std::uint32_t pad = static_cast<std::uint32_t>(image.Width()); pad < rowBytes; ++pad) out.U8(0);
  }
  return out.Take();
}

}  // namespace sample_game
