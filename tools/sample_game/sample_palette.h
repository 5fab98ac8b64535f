#pragma once
// The one palette every picture of the sample game is drawn in, laid out the
// way the player's palette functions expect:
//   0        the transparent colour (also the top-left dot of Palette.bmp)
//   1-15     greys from black upward
//   16-207   twelve ramps of 16 shades, dark to light, one hue each; the
//            colour variants of the options screen rotate or repeat these rows
//   208-239  eight groups of four shades that the menus cycle
//   240, 241 the frame colour and text colour of the fonts
//   242-245  window blues, shadow and highlight
//   246-255  more greys
// All 256 colours differ, so an 8-bit picture maps back to its numbers by colour.

#include <array>
#include <cstdint>
#include <vector>

namespace sample_game {

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};
using Palette = std::array<Rgb, 256>;

// Named shades. A ramp colour is its first entry plus a shade 0 (darkest) to 15.
namespace pal {
inline constexpr std::uint8_t kClear = 0;
inline constexpr std::uint8_t kBlack = 1;
inline constexpr std::uint8_t Grey(int level) { return static_cast<std::uint8_t>(1 + level); }  // 0..14
inline constexpr std::uint8_t kBlue = 16, kGreen = 32, kRed = 48, kSkin = 64, kYellow = 80, kPurple = 96,
                              kTeal = 112, kBrown = 128, kStone = 144, kPink = 160, kLime = 176, kSky = 192;
inline constexpr std::uint8_t Shade(std::uint8_t ramp, int shade) { return static_cast<std::uint8_t>(ramp + shade); }
inline constexpr std::uint8_t kCycleFirst = 208;  // 8 groups of 4
inline constexpr std::uint8_t kFrame = 240, kText = 241, kWindowDark = 242, kWindowMid = 243, kShadow = 244,
                              kHighlight = 245;
inline constexpr std::uint8_t kWhite = kText;
}  // namespace pal

inline constexpr int kRampFirst = 16;
inline constexpr int kRampCount = 12;
inline constexpr int kRampLength = 16;
inline constexpr int kColourVariants = 24;

const Palette& SamplePalette();

// The palette as the options screen's colour variant n (0..23) shows it:
// n below 12 rotates the twelve ramps by n rows toward higher numbers; from
// 12 on every ramp row repeats ramp n - 11.
Palette PaletteVariant(int n);

// The 256 x 256 table of mixed colours for one palette: entry (a, b) at
// a * 256 + b is the number whose colour is nearest to the mean of colours a
// and b (ties to the lower number; 0 only for the mix of 0 with itself).
std::vector<std::uint8_t> BlendTable(const Palette& palette);

}  // namespace sample_game
