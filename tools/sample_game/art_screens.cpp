// The pictures of the title and world-map screens, and the effect, picture
// and sword bitmaps that the database names.
#include <algorithm>
#include <string>

#include "tools/sample_game/art.h"
#include "tools/sample_game/pixel_font.h"
#include "tools/sample_game/sample_palette.h"
#include "tools/sample_game/sprites.h"

namespace sample_game {
namespace {

using pal::Shade;

// The game's own title over a meadow at dusk, with the hero and a walker.
IndexedImage TitleScreen() {
  IndexedImage image(640, 480, Shade(pal::kPurple, 12));
  image.VerticalRamp(0, 0, 640, 340, Shade(pal::kPurple, 3), 9);
  image.FillCircle(520, 250, 46, Shade(pal::kYellow, 12));
  image.FillCircle(520, 250, 38, Shade(pal::kYellow, 14));
  for (int x = 0; x < 640; ++x) {
    const int a = (x % 400) - 200;
    const int top = 300 + a * a / 900;
    image.FillRect(x, top, 1, 480 - top, Shade(pal::kGreen, 4));
  }
  image.FillRect(0, 400, 640, 80, Shade(pal::kBrown, 5));
  image.FillRect(0, 400, 640, 10, Shade(pal::kGreen, 8));
  image.FillRect(0, 400, 640, 3, Shade(pal::kGreen, 11));
  const std::string title = "MEADOW RUN";
  const TextStyle logo{Shade(pal::kYellow, 11), Shade(pal::kRed, 3), 8};
  DrawText(image, (640 - TextWidth(title, 8)) / 2, 56, title, logo);
  const std::string line = "a sample game";
  DrawText(image, (640 - TextWidth(line, 2)) / 2, 134, line, TextStyle{pal::kText, pal::kShadow, 2});
  // The title menu stands in the middle from y = 240 down, so the cast keeps
  // to the sides: the hero leaps on the left, the walker waits on the right.
  image.Paste(HeroSprite(HeroPose::Jump, 6), 40, 300);
  image.Paste(EnemySprite(EnemyKind::Walker, 0, 4), 540, 336);
  image.Paste(ItemSprite(ItemKind::Coin, 0, 3), 64, 232);
  return image;
}

// The title commands as pictures, one 32-dot strip per command number, for
// projects that show the title menu as pictures. The menu puts its rows 32
// dots apart, so each line (ink and shadow) stays inside its strip with a
// clear gap to the next; the strip is as wide as the widest command, which
// centres the menu's text under the logo.
IndexedImage TitleCommands() {
  const char* const kCommands[7] = {"NEW GAME", "CONTINUE", "CHALLENGE", "FREE PLAY", "REPLAY", "OPTIONS", "QUIT"};
  constexpr int kStrip = 32;
  constexpr int kScale = 3;
  constexpr int kLineHeight = (kGlyphHeight + 1) * kScale;  // the shadow adds one dot below
  int width = 0;
  for (const char* command : kCommands) width = std::max(width, TextWidth(command, kScale) + kScale);
  IndexedImage image(width, kStrip * 7);
  const TextStyle style{pal::kText, Shade(pal::kBlue, 3), kScale};
  for (int n = 0; n < 7; ++n) DrawText(image, 0, kStrip * n + (kStrip - kLineHeight) / 2, kCommands[n], style);
  return image;
}

void Chip(IndexedImage& image, int p, std::uint8_t ramp, int shade) {
  image.FillRect(p % 5 * 32, p / 5 * 32, 32, 32, Shade(ramp, shade));
}

// Map chips, five to a row: 0 sea, 1 grass, 2 road, 3 forest, 4 mountain,
// 5 sand, 6 bridge, 7 flowers, 8 snow, 9 rock.
IndexedImage MapChips() {
  IndexedImage image(160, 64);
  Chip(image, 0, pal::kBlue, 7);
  for (int x = 2; x < 32; x += 10) image.FillRect(x, 10 + x % 3 * 5, 6, 2, Shade(pal::kBlue, 11));
  Chip(image, 1, pal::kGreen, 8);
  for (int i = 0; i < 6; ++i) image.FillRect(32 + (i * 11) % 28, (i * 7) % 28 + 2, 2, 3, Shade(pal::kGreen, 6));
  Chip(image, 2, pal::kGreen, 8);
  image.FillRect(64 + 8, 0, 16, 32, Shade(pal::kBrown, 10));
  image.FillRect(64, 8, 32, 16, Shade(pal::kBrown, 10));
  Chip(image, 3, pal::kGreen, 8);
  for (int t = 0; t < 2; ++t) {
    image.FillCircle(96 + 9 + t * 14, 12 + t * 6, 8, Shade(pal::kGreen, 4));
    image.FillRect(96 + 8 + t * 14, 18 + t * 6, 3, 8, Shade(pal::kBrown, 4));
  }
  Chip(image, 4, pal::kGreen, 8);
  for (int row = 0; row < 26; ++row)
    image.FillRect(128 + 16 - row / 2, 4 + row, row + 1, 1, Shade(pal::kStone, row < 8 ? 14 : 7));
  Chip(image, 5, pal::kYellow, 12);
  Chip(image, 6, pal::kBlue, 7);
  image.FillRect(32 + 2, 32 + 6, 28, 20, Shade(pal::kBrown, 8));
  for (int x = 4; x < 32; x += 6) image.FillRect(32 + x, 32 + 6, 1, 20, Shade(pal::kBrown, 4));
  Chip(image, 7, pal::kGreen, 8);
  for (int i = 0; i < 5; ++i) image.FillCircle(64 + 5 + i * 6, 32 + 6 + (i * 9) % 20, 2, Shade(pal::kPink, 10));
  Chip(image, 8, pal::kStone, 14);
  Chip(image, 9, pal::kStone, 7);
  image.FillEllipse(128 + 16, 32 + 18, 11, 8, Shade(pal::kStone, 4));
  return image;
}

// Point icons: column 0 not cleared, column 32 cleared; rows: stage flag,
// castle, house, star.
IndexedImage PointIcons() {
  IndexedImage image(64, 128);
  for (int cleared = 0; cleared < 2; ++cleared) {
    const int x = cleared * 32;
    const std::uint8_t ramp = cleared ? pal::kYellow : pal::kRed;
    image.FillRect(x + 8, 4, 3, 26, Shade(pal::kStone, 12));
    image.FillRect(x + 11, 5, 16, 11, Shade(ramp, 8));
    image.FillEllipse(x + 16, 29, 10, 3, pal::kShadow);
    image.FillRect(x + 4, 40, 24, 20, Shade(pal::kStone, cleared ? 12 : 8));
    for (int b = 0; b < 3; ++b) image.FillRect(x + 4 + b * 9, 34, 6, 6, Shade(pal::kStone, cleared ? 12 : 8));
    image.FillRect(x + 13, 48, 6, 12, pal::kShadow);
    image.FillRect(x + 6, 80, 20, 14, Shade(pal::kBrown, cleared ? 11 : 8));
    for (int row = 0; row < 10; ++row) image.FillRect(x + 16 - row, 70 + row, 2 * row + 1, 1, Shade(ramp, 7));
    image.FillCircle(x + 16, 112, 9, Shade(ramp, cleared ? 13 : 9));
    image.FillCircle(x + 16, 112, 4, pal::kWhite);
  }
  return image;
}

// The sea under the world map, in rows of small waves.
IndexedImage WorldSea() {
  IndexedImage image(640, 480, Shade(pal::kBlue, 6));
  for (int y = 8; y < 480; y += 24)
    for (int x = (y / 24 % 2) * 20; x < 640; x += 40) {
      image.FillRect(x, y, 10, 2, Shade(pal::kBlue, 10));
      image.FillRect(x + 3, y - 2, 4, 2, Shade(pal::kBlue, 12));
    }
  return image;
}

// Six cells of 32 x 32 in one row: a burst that grows and fades.
IndexedImage BurstEffect() {
  IndexedImage image(192, 32);
  for (int f = 0; f < 6; ++f) {
    const int r = 4 + f * 2;
    image.FillCircle(32 * f + 16, 16, r + 2, Shade(pal::kRed, 8 - f));
    image.FillCircle(32 * f + 16, 16, r, Shade(pal::kYellow, 13 - f));
    if (f > 2) image.FillCircle(32 * f + 16, 16, r - 4, pal::kClear);
  }
  return image;
}

IndexedImage SparkleEffect() {
  IndexedImage image(128, 32);
  for (int f = 0; f < 4; ++f) {
    const int arm = 4 + (f % 2) * 6 + f;
    const int cx = 32 * f + 16;
    image.Line(cx - arm, 16, cx + arm, 16, Shade(pal::kYellow, 13));
    image.Line(cx, 16 - arm, cx, 16 + arm, Shade(pal::kYellow, 13));
    image.FillCircle(cx, 16, 2, pal::kWhite);
  }
  return image;
}

IndexedImage SignPicture() {
  IndexedImage image(160, 72);
  image.FillRect(74, 40, 12, 32, Shade(pal::kBrown, 5));
  image.FillRect(0, 0, 160, 48, Shade(pal::kBrown, 9));
  image.FrameRect(0, 0, 160, 48, Shade(pal::kBrown, 3));
  DrawText(image, 14, 12, "GO RIGHT!", TextStyle{pal::kText, Shade(pal::kBrown, 3), 3});
  return image;
}

IndexedImage ClearBanner() {
  IndexedImage image(400, 64);
  image.FillRect(0, 0, 400, 64, pal::kWindowDark);
  image.FrameRect(0, 0, 400, 64, pal::kFrame);
  const std::string text = "STAGE CLEAR";
  DrawText(image, (400 - TextWidth(text, 5)) / 2, 14, text, TextStyle{Shade(pal::kYellow, 11), Shade(pal::kRed, 3), 5});
  return image;
}

// Three frames of a sword swing, 32 x 32 each; the second file is the
// swing toward the other side.
IndexedImage SwordSwing(bool mirrored) {
  IndexedImage image(96, 32);
  for (int f = 0; f < 3; ++f) {
    IndexedImage frame(32, 32);
    const int reach = 10 + f * 6;
    for (int t = 0; t < 4; ++t) frame.Line(4, 28 - t, 4 + reach, 28 - reach - t + f * 4, Shade(pal::kStone, 13 - t));
    frame.FillRect(2, 26, 6, 4, Shade(pal::kBrown, 6));
    if (mirrored)
      image.PasteMirrored(frame, 32 * f, 0);
    else
      image.Paste(frame, 32 * f, 0);
  }
  return image;
}

}  // namespace

Pictures ScreenPictures() {
  Pictures pictures;
  pictures.push_back({"bmp\\Title.bmp", TitleScreen()});
  pictures.push_back({"bmp\\GameMode.bmp", TitleCommands()});
  pictures.push_back({"bmp\\WorldMapChip.bmp", MapChips()});
  pictures.push_back({"bmp\\WorldEvent.bmp", PointIcons()});
  pictures.push_back({"bmp\\WorldBack.bmp", WorldSea()});
  return pictures;
}

Pictures DatabasePictures() {
  Pictures pictures;
  pictures.push_back({"bmp\\effect\\Burst.bmp", BurstEffect()});
  pictures.push_back({"bmp\\effect\\Sparkle.bmp", SparkleEffect()});
  pictures.push_back({"bmp\\picture\\Sign.bmp", SignPicture()});
  pictures.push_back({"bmp\\picture\\Clear.bmp", ClearBanner()});
  pictures.push_back({"bmp\\sword\\Sword.bmp", SwordSwing(false)});
  pictures.push_back({"bmp\\sword\\Sword2.bmp", SwordSwing(true)});
  return pictures;
}

}  // namespace sample_game
