#include "tools/sample_game/sample_palette.h"

#include <algorithm>

namespace sample_game {
namespace {

// The middle colour of each ramp; the ramp runs from a deep shade of it to a
// pale one.
constexpr Rgb kRampBase[kRampCount] = {
    {40, 90, 220},  {60, 170, 60},  {210, 40, 40},  {240, 150, 90}, {240, 210, 40},  {140, 60, 200},
    {30, 170, 170}, {140, 90, 40},  {110, 120, 140}, {240, 110, 170}, {160, 220, 60}, {90, 170, 240},
};

// Brightest first: each group shimmers as the menus rotate it.
constexpr Rgb kCycleBase[8] = {{255, 220, 60}, {80, 230, 255}, {255, 110, 200}, {110, 240, 110},
                               {255, 160, 60}, {110, 140, 255}, {240, 240, 240}, {255, 80, 80}};

std::uint8_t Mix(int from, int to, int num, int den) { return static_cast<std::uint8_t>(from + (to - from) * num / den); }

Rgb RampShade(const Rgb& base, int shade) {
  // Shades 0..7 climb from 12 % of the base to the base, 8..15 from the base
  // toward a pale tint of it.
  if (shade < 8) {
    const int num = 12 + (100 - 12) * shade / 7;
    return {Mix(0, base.r, num, 100), Mix(0, base.g, num, 100), Mix(0, base.b, num, 100)};
  }
  const int num = 85 * (shade - 7) / 8;
  return {Mix(base.r, 255, num, 100), Mix(base.g, 255, num, 100), Mix(base.b, 255, num, 100)};
}

Palette BuildPalette() {
  Palette p{};
  p[pal::kClear] = {255, 0, 255};
  for (int level = 0; level < 15; ++level) {
    const auto v = static_cast<std::uint8_t>(level * 17);
    p[pal::Grey(level)] = {v, v, v};
  }
  for (int ramp = 0; ramp < kRampCount; ++ramp)
    for (int shade = 0; shade < kRampLength; ++shade)
      p[kRampFirst + ramp * kRampLength + shade] = RampShade(kRampBase[ramp], shade);
  for (int group = 0; group < 8; ++group)
    for (int k = 0; k < 4; ++k) {
      const Rgb& c = kCycleBase[group];
      p[pal::kCycleFirst + group * 4 + k] = {Mix(0, c.r, 10 - 2 * k, 10), Mix(0, c.g, 10 - 2 * k, 10),
                                             Mix(0, c.b, 10 - 2 * k, 10)};
    }
  p[pal::kFrame] = {190, 200, 255};
  p[pal::kText] = {255, 255, 255};
  p[pal::kWindowDark] = {16, 24, 72};
  p[pal::kWindowMid] = {40, 56, 140};
  p[pal::kShadow] = {10, 10, 30};
  p[pal::kHighlight] = {250, 240, 150};
  for (int k = 0; k < 10; ++k) {
    const auto v = static_cast<std::uint8_t>(8 + k * 17);
    p[246 + k] = {v, v, static_cast<std::uint8_t>(v + 4)};
  }
  // Any two entries that came out alike are told apart by their blue.
  for (std::size_t i = 1; i < p.size(); ++i)
    while (std::find(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(i), p[i]) != p.begin() + static_cast<std::ptrdiff_t>(i))
      p[i].b = static_cast<std::uint8_t>(p[i].b + 1);
  return p;
}

int Distance(const Rgb& c, int r2, int g2, int b2) {
  // Colours compared at double scale so the mean needs no rounding.
  const int dr = 2 * c.r - r2, dg = 2 * c.g - g2, db = 2 * c.b - b2;
  return dr * dr + dg * dg + db * db;
}

}  // namespace

const Palette& SamplePalette() {
  static const Palette palette = BuildPalette();
  return palette;
}

Palette PaletteVariant(int n) {
  const Palette& base = SamplePalette();
  Palette p = base;
  constexpr int kLast = kRampFirst + kRampCount * kRampLength;
  for (int i = kRampFirst; i < kLast; ++i) {
    const int offset = i - kRampFirst;
    if (n < kRampCount) {
      const int shifted = (offset + kRampLength * n) % (kLast - kRampFirst);
      p[kRampFirst + shifted] = base[i];
    } else {
      p[i] = base[kRampFirst + kRampLength * (n - kRampCount) + offset % kRampLength];
    }
  }
  return p;
}

std::vector<std::uint8_t> BlendTable(const Palette& palette) {
  std::vector<std::uint8_t> table(256 * 256, 0);
  for (int a = 0; a < 256; ++a)
    for (int b = a; b < 256; ++b) {
      if (a == 0 && b == 0) continue;
      const int r2 = palette[a].r + palette[b].r, g2 = palette[a].g + palette[b].g,
                b2 = palette[a].b + palette[b].b;
      int best = 1, bestDistance = Distance(palette[1], r2, g2, b2);
      for (int c = 2; c < 256 && bestDistance > 0; ++c) {
        const int d = Distance(palette[c], r2, g2, b2);
        if (d < bestDistance) {
          best = c;
          bestDistance = d;
        }
      }
      table[a * 256 + b] = table[b * 256 + a] = static_cast<std::uint8_t>(best);
    }
  return table;
}

}  // namespace sample_game
