// Windows bitmap files: core (12-byte) and info (40 to 124-byte) headers;
// 1, 4 and 8 bits with colour tables, 16 and 32 bits with or without bit
// fields, 24 bits; RLE8 and RLE4; bottom-up and top-down rows.
#include <bit>
#include <cstring>

#include "graphics/images/image.h"

namespace {

std::uint32_t Le16(const std::uint8_t* p) { return p[0] | p[1] << 8; }
std::uint32_t Le32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

struct BmpHeader {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: top-down
  std::uint32_t bitCount = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colorsUsed = 0;
  std::size_t tableOffset = 0;
  std::size_t tableEntrySize = 4;
  std::uint32_t masks[4] = {};  // red, green, blue, alpha
  bool hasMasks = false;
};

// A channel of a bit-field pixel scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint64_t max = 0;
  explicit Channel(std::uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  std::uint32_t Get(std::uint32_t v, std::uint32_t missing) const {
    if (mask == 0) return missing;
    return static_cast<std::uint32_t>((std::uint64_t((v & mask) >> shift) * 255 + max / 2) / max);
  }
};

bool ReadHeader(const std::uint8_t* data, std::size_t size, BmpHeader& h) {
  if (size < 26 || data[0] != 'B' || data[1] != 'M') return false;
  const std::uint32_t headerSize = Le32(data + 14);
  if (headerSize == 12) {
    h.width = Le16(data + 18);
    h.height = static_cast<std::int16_t>(Le16(data + 20));
    if (Le16(data + 22) != 1) return false;
    h.bitCount = Le16(data + 24);
    h.tableEntrySize = 3;
    h.tableOffset = 26;
    return true;
  }
  if (headerSize < 40 || headerSize > 1024 || size < 14 + std::size_t(headerSize)) return false;
  h.width = static_cast<std::int32_t>(Le32(data + 18));
  h.height = static_cast<std::int32_t>(Le32(data + 22));
  if (Le16(data + 26) != 1) return false;
  h.bitCount = Le16(data + 28);
  h.compression = Le32(data + 30);
  h.colorsUsed = Le32(data + 46);
  h.tableOffset = 14 + headerSize;
  if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
    const int count = h.compression == kAlphaBitFields || headerSize >= 56 ? 4 : 3;
    const std::size_t at = headerSize >= 52 ? 54 : h.tableOffset;
    if (at + 4 * count > size) return false;
    for (int i = 0; i < count; ++i) h.masks[i] = Le32(data + at + 4 * i);
    if (headerSize < 52) h.tableOffset += 4 * count;
    h.hasMasks = true;
  }
  return true;
}

bool ValidHeader(const BmpHeader& h) {
  if (h.height == INT32_MIN) return false;
  const std::int64_t height = h.height < 0 ? -h.height : h.height;
  if (!ImageSizeAcceptable(h.width, height)) return false;
  switch (h.compression) {
    case kRgb: return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
                      h.bitCount == 24 || h.bitCount == 32;
    case kRle8: return h.bitCount == 8 && h.height > 0;
    case kRle4: return h.bitCount == 4 && h.height > 0;
    case kBitFields:
    case kAlphaBitFields: return h.bitCount == 16 || h.bitCount == 32;
    default: return false;
  }
}

bool ReadColourTable(const std::uint8_t* data, std::size_t size, const BmpHeader& h, cImage& out) {
  const std::uint32_t capacity = 1u << h.bitCount;
  const std::uint32_t count = h.colorsUsed ? h.colorsUsed : capacity;
  if (count > capacity) return false;
  if (h.tableOffset + std::size_t(count) * h.tableEntrySize > size) return false;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* e = data + h.tableOffset + i * h.tableEntrySize;
    out.palette[i] = 0xFF000000u | std::uint32_t(e[2]) << 16 | std::uint32_t(e[1]) << 8 | e[0];
  }
  return true;
}

void DecodeRows(const std::uint8_t* bits, std::size_t stride, const BmpHeader& h, bool topDown, cImage& out) {
  const int width = out.width, height = out.height;
  std::uint32_t masks[4] = {0x7C00, 0x3E0, 0x1F, 0};
  if (h.bitCount == 32) {
    masks[0] = 0xFF0000;
    masks[1] = 0xFF00;
    masks[2] = 0xFF;
  }
  if (h.hasMasks) std::memcpy(masks, h.masks, sizeof masks);
  const Channel r(masks[0]), g(masks[1]), b(masks[2]), a(masks[3]);
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* src = bits + std::size_t(row) * stride;
    const int y = topDown ? row : height - 1 - row;
    const std::size_t at = std::size_t(y) * width;
    for (int x = 0; x < width; ++x) {
      switch (h.bitCount) {
        case 1: out.indices[at + x] = (src[x >> 3] >> (7 - (x & 7))) & 1; break;
        case 4: out.indices[at + x] = (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF; break;
        case 8: out.indices[at + x] = src[x]; break;
        case 24: {
          const std::uint8_t* p = src + 3 * x;
          out.pixels[at + x] = 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
          break;
        }
        default: {
          const std::uint32_t v = h.bitCount == 16 ? Le16(src + 2 * x) : Le32(src + 4 * x);
          out.pixels[at + x] = a.Get(v, 255) << 24 | r.Get(v, 0) << 16 | g.Get(v, 0) << 8 | b.Get(v, 0);
        }
      }
    }
  }
}

// RLE8 / RLE4 (bottom-up only). Pixels a run puts outside the picture are
// dropped; absolute runs must lie inside the data.
bool DecodeRle(const std::uint8_t* p, const std::uint8_t* end, bool rle4, cImage& out) {
  long x = 0, row = 0;
  auto put = [&](std::uint8_t index) {
    if (x >= 0 && x < out.width && row >= 0 && row < out.height)
      out.indices[std::size_t(out.height - 1 - row) * out.width + x] = index;
    ++x;
  };
  while (end - p >= 2) {
    const std::uint8_t count = p[0], value = p[1];
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(rle4 ? ((i & 1) ? value & 0xF : value >> 4) : value);
      continue;
    }
    if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (end - p < 2) return false;
      x += p[0];
      row += p[1];
      p += 2;
    } else {
      const std::size_t bytes = rle4 ? (value + 1) / 2 : value;
      const std::size_t padded = (bytes + 1) & ~std::size_t(1);
      if (std::size_t(end - p) < bytes) return false;
      for (int i = 0; i < value; ++i) put(rle4 ? ((i & 1) ? p[i / 2] & 0xF : p[i / 2] >> 4) : p[i]);
      p += std::min(padded, std::size_t(end - p));
    }
    if (row >= out.height) return true;
  }
  return true;
}

}  // namespace

bool DecodeBmp(const std::uint8_t* data, std::size_t size, cImage& out) {
  BmpHeader h;
  if (!ReadHeader(data, size, h) || !ValidHeader(h)) return false;
  const std::size_t offset = Le32(data + 10);
  if (offset < h.tableOffset || offset >= size) return false;
  cImage image;
  image.width = static_cast<int>(h.width);
  image.height = static_cast<int>(h.height < 0 ? -h.height : h.height);
  image.fileBitsPerPixel = static_cast<int>(h.bitCount);
  image.indexed = h.bitCount <= 8;
  const std::size_t area = std::size_t(image.width) * image.height;
  if (image.indexed) {
    if (!ReadColourTable(data, size, h, image)) return false;
    image.indices.assign(area, 0);
  } else {
    image.pixels.assign(area, 0);
  }
  if (h.compression == kRle8 || h.compression == kRle4) {
    if (!DecodeRle(data + offset, data + size, h.compression == kRle4, image)) return false;
  } else {
    const std::size_t stride = ((std::size_t(image.width) * h.bitCount + 31) / 32) * 4;
    if (stride * image.height > size - offset) return false;
    DecodeRows(data + offset, stride, h, h.height < 0, image);
  }
  out = std::move(image);
  return true;
}
