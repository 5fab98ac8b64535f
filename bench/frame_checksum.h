#pragma once
// What the drawing benchmarks check before timing: a checksum of the drawn
// frame against a value pinned per drawing mode, so that a change that
// draws other pixels (or none) cannot pass for a faster one. Text is drawn
// with the machine's fonts, so a frame with text is pinned together with
// the font files its faces resolve to.

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/device/device.h"
#include "graphics/surfaces/surface_lock.h"
#include "platform/fonts/font_rasterizer.h"

inline std::uint64_t Fnv1a(const void* data, std::size_t size, std::uint64_t hash = 14695981039346656037ull) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash;
}

// The back buffer's visible pixels, row by row; 0 when it cannot be read.
inline std::uint64_t BackBufferChecksum() {
  cSurfaceLock lock;
  if (!lock.LockForReading(&BackBuffer)) return 0;
  const bool eightBits = lock.BitsPerPixel() == 8;
  std::uint64_t hash = Fnv1a(nullptr, 0);
  for (int y = 0; y < BackBuffer.nHeight; ++y)
    hash = eightBits ? Fnv1a(lock.Row8(y), std::size_t(BackBuffer.nWidth), hash)
                     : Fnv1a(lock.Row32(y), std::size_t(BackBuffer.nWidth) * 4, hash);
  return hash;
}

// The bytes of the font files that the game's fixed and proportional
// faces resolve to on this machine.
inline std::uint64_t FontFilesChecksum() {
  std::uint64_t hash = Fnv1a(nullptr, 0);
  for (const char* face : {"", "\xEF\xBC\xB0"}) {  // the fixed face, and one whose name holds a full-width P
    std::ifstream file(platform::FindFontFile(platform::FontFamilyForFaceName(face)), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    hash = Fnv1a(bytes.data(), bytes.size(), hash);
  }
  return hash;
}

// Empty when the frame's checksum is the pinned one, else why not (with
// the value found, to pin after a deliberate change of the drawing).
inline std::string CheckFrameChecksum(std::uint64_t found, std::uint64_t pinned) {
  if (found == pinned) return {};
  char text[96];
  std::snprintf(text, sizeof text, "the drawn frame's checksum is %016" PRIx64 ", not the pinned one", found);
  return text;
}

// The font pin for frames with text, checked like a frame checksum.
constexpr std::uint64_t kPinnedFontFiles = 0x9b814d80c1eeea79;
inline std::string CheckFontFiles() {
  const std::uint64_t found = FontFilesChecksum();
  if (found == kPinnedFontFiles) return {};
  char text[128];
  std::snprintf(text, sizeof text, "the font files are not the pinned ones (checksum %016" PRIx64 "): text differs",
                found);
  return text;
}
