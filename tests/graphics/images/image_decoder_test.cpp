// The BMP reader over every depth, RLE and row order; PNG and JPEG through
// their libraries; damaged files refused. The tests write their own files.
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "graphics/images/image.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v);
  Put16(b, at + 2, v >> 16);
}

// A bitmap with an info header; `pixel(x, y)` gives the stored value of
// each pixel (palette index, 16-bit word or 0xRRGGBB), y counted from the top.
Bytes MakeBmp(int w, int h, int bpp, const std::vector<std::uint32_t>& table,
              const std::function<std::uint32_t(int, int)>& pixel, bool topDown = false,
              std::uint32_t compression = 0, const Bytes& rle = {}) {
  const std::size_t stride = ((std::size_t(w) * bpp + 31) / 32) * 4;
  const std::size_t offset = 54 + table.size() * 4;
  const std::size_t dataSize = compression ? rle.size() : stride * h;
  Bytes b(offset + dataSize, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, std::uint32_t(b.size()));
  Put32(b, 10, std::uint32_t(offset));
  Put32(b, 14, 40);
  Put32(b, 18, std::uint32_t(w));
  Put32(b, 22, std::uint32_t(topDown ? -h : h));
  Put16(b, 26, 1);
  Put16(b, 28, std::uint32_t(bpp));
  Put32(b, 30, compression);
  Put32(b, 46, std::uint32_t(table.size()));
  for (std::size_t i = 0; i < table.size(); ++i) Put32(b, 54 + 4 * i, table[i]);
  if (compression) {
    std::copy(rle.begin(), rle.end(), b.begin() + offset);
    return b;
  }
  for (int y = 0; y < h; ++y) {
    const std::size_t row = offset + std::size_t(topDown ? y : h - 1 - y) * stride;
    for (int x = 0; x < w; ++x) {
      const std::uint32_t v = pixel(x, y);
      switch (bpp) {
        case 1: b[row + x / 8] |= std::uint8_t(v << (7 - x % 8)); break;
        case 4: b[row + x / 2] |= std::uint8_t(x % 2 ? v : v << 4); break;
        case 8: b[row + x] = std::uint8_t(v); break;
        case 16: Put16(b, row + 2 * x, v); break;
        case 24:
          b[row + 3 * x] = std::uint8_t(v);
          b[row + 3 * x + 1] = std::uint8_t(v >> 8);
          b[row + 3 * x + 2] = std::uint8_t(v >> 16);
          break;
        case 32: Put32(b, row + 4 * x, v); break;
      }
    }
  }
  return b;
}

bool Decode(const Bytes& b, cImage& image) { return DecodeImage(b.data(), b.size(), image); }

const std::vector<std::uint32_t> kTable{0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x808080,
                                        0x123456, 0x654321, 0x111111, 0x222222, 0x333333, 0x444444,
                                        0x555555, 0x666666, 0x777777, 0x888888};

TEST(BmpDecoderTest, IndexedDepthsKeepIndicesAndColourTable) {
  for (int bpp : {1, 4, 8}) {
    const std::uint32_t mod = bpp == 1 ? 2 : 16;
    const std::vector<std::uint32_t> table(kTable.begin(), kTable.begin() + mod);
    const Bytes b = MakeBmp(13, 3, bpp, table, [&](int x, int y) { return std::uint32_t(x + y) % mod; });
    cImage image;
    ASSERT_TRUE(Decode(b, image)) << bpp;
    EXPECT_TRUE(image.indexed);
    EXPECT_EQ(image.fileBitsPerPixel, bpp);
    EXPECT_EQ(image.indices[2 * 13 + 12], (12u + 2) % mod) << bpp;
    EXPECT_EQ(image.Pixel(1, 0), 0xFF000000u | kTable[1]) << bpp;
  }
}

TEST(BmpDecoderTest, TrueColourDepthsBecomeArgb) {
  cImage image;
  ASSERT_TRUE(Decode(MakeBmp(3, 2, 24, {}, [](int x, int y) { return std::uint32_t(x * 0x10 + y * 0x100000); }),
                     image));
  EXPECT_EQ(image.Pixel(2, 1), 0xFF100020u);
  ASSERT_TRUE(Decode(MakeBmp(3, 2, 32, {}, [](int x, int) { return 0xAB000000u | std::uint32_t(x); }), image));
  EXPECT_EQ(image.Pixel(2, 0), 0xFF000002u);  // plain 32-bit: the fourth byte is not alpha
  // 16 bits default to 5-5-5: 0x7C00 is full red.
  ASSERT_TRUE(Decode(MakeBmp(2, 1, 16, {}, [](int x, int) { return x ? 0x001Fu : 0x7C00u; }), image));
  EXPECT_EQ(image.Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(image.Pixel(1, 0), 0xFF0000FFu);
}

TEST(BmpDecoderTest, BitFieldsSelectTheChannels) {
  // 5-6-5 in 16 bits: masks follow the 40-byte header.
  Bytes b = MakeBmp(1, 1, 16, {0xF800, 0x07E0, 0x001F}, [](int, int) { return 0x07E0u; }, false, 3);
  b.resize(54 + 12 + 4, 0);
  Put32(b, 10, 66);
  Put16(b, 66, 0x07E0);
  cImage image;
  ASSERT_TRUE(Decode(b, image));
  EXPECT_EQ(image.Pixel(0, 0), 0xFF00FF00u);
}

TEST(BmpDecoderTest, TopDownAndBottomUpGiveTheSamePicture) {
  auto pixel = [](int x, int y) { return std::uint32_t(y * 4 + x); };
  cImage up, down;
  ASSERT_TRUE(Decode(MakeBmp(4, 3, 8, kTable, pixel, false), up));
  ASSERT_TRUE(Decode(MakeBmp(4, 3, 8, kTable, pixel, true), down));
  EXPECT_EQ(up.indices, down.indices);
  EXPECT_EQ(up.indices[4], 4u);  // row 1 from the top
}

TEST(BmpDecoderTest, Rle8RunsAbsoluteRunsAndDeltas) {
  // Bottom row: run of 3 x index 2, absolute 1 5 (padded); end of line;
  // next row up: delta (2, 0) then 1 x index 7; end of bitmap.
  const Bytes rle{3, 2, 0, 3, 1, 5, 9, 0, 0, 0, 0, 2, 2, 0, 1, 7, 0, 1};
  cImage image;
  ASSERT_TRUE(Decode(MakeBmp(6, 2, 8, kTable, {}, false, 1, rle), image));
  const std::vector<std::uint8_t> expected{0, 0, 7, 0, 0, 0,   // top row
                                           2, 2, 2, 1, 5, 9};  // bottom row
  EXPECT_EQ(image.indices, expected);
}

TEST(BmpDecoderTest, Rle4AlternatesNibbles) {
  const Bytes rle{5, 0x12, 0, 3, 0x34, 0x50, 0, 1};
  cImage image;
  ASSERT_TRUE(Decode(MakeBmp(8, 1, 4, kTable, {}, false, 2, rle), image));
  const std::vector<std::uint8_t> expected{1, 2, 1, 2, 1, 3, 4, 5};
  EXPECT_EQ(image.indices, expected);
}

TEST(BmpDecoderTest, RunsPastTheEdgeAreDroppedAndTruncatedRunsRefused) {
  cImage image;
  ASSERT_TRUE(Decode(MakeBmp(2, 1, 8, kTable, {}, false, 1, {200, 3, 0, 1}), image));
  EXPECT_EQ(image.indices, (std::vector<std::uint8_t>{3, 3}));
  EXPECT_FALSE(Decode(MakeBmp(2, 1, 8, kTable, {}, false, 1, {0, 40, 1, 2}), image));
}

TEST(BmpDecoderTest, DamagedHeadersAreRefused) {
  const Bytes good = MakeBmp(4, 4, 8, kTable, [](int, int) { return 1u; });
  cImage image;
  ASSERT_TRUE(Decode(good, image));
  auto damaged = [&](const std::function<void(Bytes&)>& damage) {
    Bytes b = good;
    damage(b);
    return !Decode(b, image);
  };
  EXPECT_TRUE(damaged([](Bytes& b) { b.resize(b.size() - 1); }));           // pixel rows cut short
  EXPECT_TRUE(damaged([](Bytes& b) { Put32(b, 10, 0x7FFFFFFF); }));        // offset past the end
  EXPECT_TRUE(damaged([](Bytes& b) { Put32(b, 18, 0); }));                 // zero width
  EXPECT_TRUE(damaged([](Bytes& b) { Put32(b, 18, 100000); }));            // absurd width
  EXPECT_TRUE(damaged([](Bytes& b) { Put32(b, 22, 0x80000000u); }));       // height INT_MIN
  EXPECT_TRUE(damaged([](Bytes& b) { Put32(b, 46, 300); }));               // colour table too large
  EXPECT_TRUE(damaged([](Bytes& b) { Put16(b, 28, 7); }));                 // unknown depth
  EXPECT_TRUE(damaged([](Bytes& b) { Put32(b, 30, 1); Put16(b, 28, 24); })); // RLE8 at 24 bits
  EXPECT_TRUE(damaged([](Bytes& b) { Put32(b, 14, 5000); }));              // header larger than the file
  EXPECT_TRUE(damaged([](Bytes& b) { b.resize(20); }));
}

// --- PNG and JPEG files written by the tests through their libraries ---

struct Buffer {
  Bytes bytes;
};

void AppendPng(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Buffer*>(png_get_io_ptr(png));
  out->bytes.insert(out->bytes.end(), data, data + length);
}

Bytes MakePng(int w, int h, int colourType, const std::vector<std::uint8_t>& samples, int channels) {
  Buffer out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendPng, nullptr);
  png_set_IHDR(png, info, w, h, 8, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < h; ++y) png_write_row(png, samples.data() + std::size_t(y) * w * channels);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out.bytes;
}

TEST(PngDecoderTest, RgbaGreyAndDamagedFiles) {
  cImage image;
  ASSERT_TRUE(Decode(MakePng(2, 1, PNG_COLOR_TYPE_RGBA, {1, 2, 3, 4, 250, 251, 252, 253}, 4), image));
  EXPECT_EQ(image.width, 2);
  EXPECT_FALSE(image.indexed);
  EXPECT_EQ(image.Pixel(0, 0), 0x04010203u);
  EXPECT_EQ(image.Pixel(1, 0), 0xFDFAFBFCu);
  ASSERT_TRUE(Decode(MakePng(1, 2, PNG_COLOR_TYPE_GRAY, {7, 9}, 1), image));
  EXPECT_EQ(image.Pixel(0, 1), 0xFF090909u);
  Bytes cut = MakePng(8, 8, PNG_COLOR_TYPE_RGB, std::vector<std::uint8_t>(8 * 8 * 3, 77), 3);
  cut.resize(cut.size() / 2);
  EXPECT_FALSE(Decode(cut, image));
}

Bytes MakeJpeg(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  jpeg_compress_struct jpeg;
  jpeg_error_mgr errors;
  jpeg.err = jpeg_std_error(&errors);
  jpeg_create_compress(&jpeg);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&jpeg, &buffer, &size);
  jpeg.image_width = JDIMENSION(w);
  jpeg.image_height = JDIMENSION(h);
  jpeg.input_components = 3;
  jpeg.in_color_space = JCS_RGB;
  jpeg_set_defaults(&jpeg);
  jpeg_set_quality(&jpeg, 95, TRUE);
  jpeg_start_compress(&jpeg, TRUE);
  std::vector<std::uint8_t> row(std::size_t(w) * 3);
  for (int x = 0; x < w; ++x) {
    row[3 * x] = r;
    row[3 * x + 1] = g;
    row[3 * x + 2] = b;
  }
  while (jpeg.next_scanline < jpeg.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&jpeg, &p, 1);
  }
  jpeg_finish_compress(&jpeg);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&jpeg);
  std::free(buffer);
  return out;
}

TEST(JpegDecoderTest, FlatColourSurvivesAndDamagedFilesFail) {
  cImage image;
  ASSERT_TRUE(Decode(MakeJpeg(16, 8, 200, 100, 50), image));
  EXPECT_EQ(image.width, 16);
  EXPECT_EQ(image.height, 8);
  const std::uint32_t p = image.Pixel(5, 5);
  EXPECT_EQ(p >> 24, 0xFFu);
  EXPECT_NEAR(int((p >> 16) & 0xFF), 200, 3);
  EXPECT_NEAR(int((p >> 8) & 0xFF), 100, 3);
  EXPECT_NEAR(int(p & 0xFF), 50, 3);
  Bytes cut = MakeJpeg(16, 8, 1, 2, 3);
  cut.resize(cut.size() / 3);
  EXPECT_FALSE(Decode(cut, image));
  EXPECT_FALSE(Decode(Bytes{0xFF, 0xD8, 0xFF}, image));
}

}  // namespace
