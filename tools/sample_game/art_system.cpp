// The pictures that start-up and every screen share: the palette swatches,
// the letter sheets, the window and panel images, the system picture of
// cursors, icons and gauges, the words and time digits, and the marks.
#include <string>
#include <string_view>

#include "tools/sample_game/art.h"
#include "tools/sample_game/pixel_font.h"
#include "tools/sample_game/sample_palette.h"
#include "tools/sample_game/sprites.h"

namespace sample_game {
namespace {

using pal::Shade;

// Dot (0, 0) is colour 0, the transparent colour; rows 8-23 hold the 16 x 16
// swatch block that true-colour modes read the palette from.
IndexedImage PaletteSwatches() {
  IndexedImage image(16, 24);
  for (int i = 0; i < 256; ++i) image.Set(i % 16, 8 + i / 16, static_cast<std::uint8_t>(i));
  return image;
}

// 8 x 8 cells, 16 columns; the cell of byte c is column c & 15, row c >> 4.
IndexedImage DebugLetters() {
  IndexedImage image(128, 128);
  const TextStyle style{pal::kText, pal::kShadow, 1};
  for (int c = 0x20; c < 0x7F; ++c) DrawText(image, (c & 15) * 8, (c >> 4) * 8, std::string(1, static_cast<char>(c)), style);
  return image;
}

// Letters a to z in 16 x 16 cells side by side, for the letter overlay of the text font.
IndexedImage LetterSheet() {
  IndexedImage image(26 * 16, 16);
  const TextStyle style{Shade(pal::kYellow, 11), Shade(pal::kRed, 4), 2};
  for (int i = 0; i < 26; ++i) DrawText(image, i * 16 + 2, 1, std::string(1, static_cast<char>('a' + i)), style);
  return image;
}

// Screen-sized, so a box of any size takes its top-left part: deep blue
// fading downward, with a faint diagonal weave.
IndexedImage WindowImage() {
  IndexedImage image(640, 480);
  image.VerticalRamp(0, 0, 640, 480, Shade(pal::kBlue, 4), -3);
  for (int y = 0; y < 480; ++y)
    for (int x = (y % 8); x < 640; x += 8) image.Set(x, y, Shade(pal::kBlue, 5));
  return image;
}

IndexedImage StatusStrip() {
  IndexedImage image(640, 20);
  image.VerticalRamp(0, 0, 640, 20, Shade(pal::kBlue, 4), -3);
  image.FillRect(0, 0, 640, 1, pal::kFrame);
  image.FillRect(0, 19, 640, 1, pal::kShadow);
  return image;
}

void DrawCursorArrow(IndexedImage& image, int x, int y, int scale) {
  image.Paste(ScaledSprite(
                  {
                      "........",  //
                      ".kk.....",  //
                      ".kyk....",  //
                      ".kyhk...",  //
                      ".kyyyk..",  //
                      ".kyyYk..",  //
                      ".kyYk...",  //
                      ".kYk....",  //
                      ".kk.....",  //
                  },
                  CastKey(), scale),
              x, y);
}

IndexedImage StarSprite(int scale) {
  return ScaledSprite(
      {
          ".......k........",  //
          "......kyk.......",  //
          "......kyk.......",  //
          ".....kyhyk......",  //
          "kkkkkkyhyykkkkkk",  //
          ".kyyyyyyyyyyyYk.",  //
          "..kyyyyyyyyyYk..",  //
          "...kyyyyyyyYk...",  //
          "....kyyyyyYk....",  //
          "....kyyykyyk....",  //
          "...kyyk.kyYk....",  //
          "...kyk...kYk....",  //
          "..kk......kk....",  //
      },
      CastKey(), scale);
}

// The 16 x 16 pointer that marks a chosen line while the cursor moves on.
void DrawPointer(IndexedImage& image, int x, int y) {
  image.Paste(ScaledSprite(
                  {
                      "...kk...",  //
                      "..kyyk..",  //
                      ".kyhyyk.",  //
                      "kyhyyyYk",  //
                      "kyyyyYYk",  //
                      ".kyyYYk.",  //
                      "..kYYk..",  //
                      "...kk...",  //
                  },
                  CastKey(), 2),
              x, y);
}

void DrawGaugeFrame(IndexedImage& image, int x, int y) {
  image.FillRect(x, y, 50, 16, Shade(pal::kStone, 1));
  image.FrameRect(x, y, 50, 16, pal::kFrame);
  image.FrameRect(x + 1, y + 1, 48, 14, pal::kShadow);
}

void DrawGaugeBar(IndexedImage& image, int x, int y, std::uint8_t ramp) {
  image.FillRect(x, y + 2, 50, 12, Shade(ramp, 7));
  image.FillRect(x, y + 3, 50, 3, Shade(ramp, 11));
  image.FillRect(x, y + 11, 50, 3, Shade(ramp, 4));
}

// The system picture: menu cursor (0, 0), slot cursor (64, 0), the chosen
// line's pointer (80, 0), the cleared mark (96, 0), panel icons at (0..64,
// 32), the lives icon (0, 48), the new ranking row's pointer (16, 48), the
// world-map figure from (0, 64),
// gauge frames at (0, 128) and (64, 128), bars at rows 144 (normal) and 160
// (low), and the character gauges' 2-dot rows from row 208.
IndexedImage SystemPicture() {
  IndexedImage image(128, 224);
  DrawCursorArrow(image, 0, 0, 4);
  DrawCursorArrow(image, 64, 0, 2);
  DrawPointer(image, 80, 0);
  image.Paste(StarSprite(2), 96, 3);
  image.Paste(ItemSprite(ItemKind::Coin, 0, 1), 0, 32);
  image.Paste(StarSprite(1), 16, 33);
  image.Paste(ItemSprite(ItemKind::Heart, 0, 1), 32, 32);
  image.Paste(ScaledSprite(
                  {
                      ".......kk.......",  //
                      "......kbk.......",  //
                      ".....kbbk.......",  //
                      "....kbbk........",  //
                      "...kbbbkkkkk....",  //
                      "..kbbbbbbbbk....",  //
                      "..kkkkkbbbk.....",  //
                      ".....kbbbk......",  //
                      "....kbbbk.......",  //
                      "....kbbk........",  //
                      "...kbbk.........",  //
                      "...kbk..........",  //
                      "...kk...........",  //
                  },
                  CastKey(), 1),
              48, 33);
  image.Paste(HeroSprite(HeroPose::Stand, 1), 64, 32);
  image.Paste(HeroSprite(HeroPose::Stand, 1), 0, 48);
  DrawPointer(image, 16, 48);
  for (int step = 0; step < 2; ++step) {
    image.Paste(HeroFrontBackSprite(false, step, 2), 32 * step, 64);      // facing down
    image.Paste(HeroFrontBackSprite(true, step, 2), 64 + 32 * step, 64);  // facing up
    const IndexedImage side = HeroSprite(step == 0 ? HeroPose::StepA : HeroPose::StepB, 2);
    image.PasteMirrored(side, 64 + 32 * step, 96);  // facing left
    image.Paste(side, 32 * step, 96);               // facing right
  }
  DrawGaugeFrame(image, 0, 128);
  DrawGaugeFrame(image, 64, 128);
  DrawGaugeBar(image, 0, 144, pal::kGreen);
  DrawGaugeBar(image, 64, 144, pal::kSky);
  DrawGaugeBar(image, 0, 160, pal::kRed);
  DrawGaugeBar(image, 64, 160, pal::kPurple);
  const std::uint8_t rows[2][5] = {
      {pal::kShadow, Shade(pal::kGreen, 9), Shade(pal::kRed, 9), Shade(pal::kYellow, 12), pal::kWhite},
      {pal::kShadow, Shade(pal::kSky, 9), Shade(pal::kPurple, 9), Shade(pal::kYellow, 12), pal::kWhite}};
  for (int gauge = 0; gauge < 2; ++gauge)
    for (int row = 0; row < 5; ++row) image.FillRect(64 * gauge, 208 + 2 * row, 50, 2, rows[gauge][row]);
  return image;
}

// A word centred in a banner cell of the word sheet, 32 dots high.
void DrawBannerWord(IndexedImage& image, int cellX, int cellY, int cellWidth, std::string_view word, int scale) {
  const TextStyle style{Shade(pal::kYellow, 11), Shade(pal::kRed, 3), scale};
  // The shadow adds one dot right and below.
  const int x = cellX + (cellWidth - TextWidth(word, scale) - scale) / 2;
  const int y = cellY + (32 - (kGlyphHeight + 1) * scale) / 2;
  DrawText(image, x, y, word, style);
}

// A row of ten 32 x 32 digit cells, 0 to 9.
void DrawDigitRow(IndexedImage& image, int y) {
  const TextStyle digits{pal::kText, Shade(pal::kBlue, 3), 4};
  for (int d = 0; d < 10; ++d) DrawText(image, 32 * d + 5, y + 1, std::string(1, static_cast<char>('0' + d)), digits);
}

// The stage's banners in the cells it draws them from: the start banner
// (0, 0) with the stage number's digits from (0, 128) right of it, the
// second banner (160, 0), the replay banner (0, 32), the clear banner
// (0, 64) and the game-over banner (0, 96); the time digits from (0, 160).
IndexedImage WordSheet() {
  IndexedImage image(320, 192);
  DrawBannerWord(image, 0, 0, 128, "STAGE", 4);
  DrawBannerWord(image, 160, 0, 80, "GO!", 4);
  DrawBannerWord(image, 0, 32, 128, "REPLAY", 3);
  DrawBannerWord(image, 0, 64, 128, "CLEAR", 4);
  DrawBannerWord(image, 0, 96, 144, "GAME OVER", 2);
  DrawDigitRow(image, 128);
  DrawDigitRow(image, 160);
  return image;
}

// Marks shown above characters, in graphic cells: speech bubbles with a sign.
IndexedImage MarkSheet() {
  IndexedImage image(64, 480);
  const char* const kSigns[] = {"!", "?", "+", "*", "#", "~", "z", "v"};
  const std::uint8_t kInks[] = {Shade(pal::kRed, 7),   Shade(pal::kBlue, 7),  Shade(pal::kGreen, 6),
                                Shade(pal::kYellow, 6), Shade(pal::kRed, 5),   Shade(pal::kSky, 7),
                                Shade(pal::kPurple, 7), Shade(pal::kBrown, 6)};
  for (int n = 0; n < 8; ++n) {
    const int x = CellX(kFirstMark + n), y = CellY(kFirstMark + n);
    image.FillEllipse(x + 16, y + 13, 13, 11, pal::kShadow);
    image.FillEllipse(x + 16, y + 13, 12, 10, pal::kWhite);
    image.Line(x + 12, y + 23, x + 9, y + 30, pal::kShadow);
    image.Line(x + 13, y + 23, x + 10, y + 29, pal::kWhite);
    DrawText(image, x + 11, y + 6, kSigns[n], TextStyle{kInks[n], 0, 2});
  }
  return image;
}

}  // namespace

Pictures SystemPictures() {
  Pictures pictures;
  pictures.push_back({"bmp\\plt\\Palette.bmp", PaletteSwatches()});
  pictures.push_back({"bmp\\Debug.bmp", DebugLetters()});
  pictures.push_back({"bmp\\Symbol.bmp", LetterSheet()});
  pictures.push_back({"bmp\\Window.bmp", WindowImage()});
  pictures.push_back({"bmp\\StatusWindow.bmp", StatusStrip()});
  pictures.push_back({"bmp\\Accessory.bmp", SystemPicture()});
  pictures.push_back({"bmp\\Word.bmp", WordSheet()});
  pictures.push_back({"bmp\\Mark.bmp", MarkSheet()});
  return pictures;
}

}  // namespace sample_game
