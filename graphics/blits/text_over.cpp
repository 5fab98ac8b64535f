#include "graphics/blits/text_over.h"

#include "graphics/device/device.h"

bool KeepsTextAlpha(const DDSURFACEDATA* surface) { return surface != &BackBuffer && surface != &VirBackBuffer; }

std::uint32_t LayTextOver(std::uint32_t text, std::uint32_t pixel) {
  const std::uint32_t a = text >> 24;
  if (a == 0) return pixel;
  if (a == 255) return text;
  // Both weights in 255ths of 255ths; their sum is 255 times the new alpha.
  const std::uint32_t textWeight = a * 255;
  const std::uint32_t pixelWeight = (pixel >> 24) * (255 - a);
  const std::uint32_t total = textWeight + pixelWeight;
  const auto mix = [&](int shift) {
    const std::uint32_t t = (text >> shift) & 0xFF, p = (pixel >> shift) & 0xFF;
    return (t * textWeight + p * pixelWeight + total / 2) / total;
  };
  return ((total + 127) / 255) << 24 | mix(16) << 16 | mix(8) << 8 | mix(0);
}
