// The pictures a stage draws from: blocks, characters, shots, items and the
// background layers.
#include <algorithm>
#include <string>

#include "tools/sample_game/art.h"
#include "tools/sample_game/sample_palette.h"
#include "tools/sample_game/sprites.h"

namespace sample_game {
namespace {

using pal::Shade;

void Bevel(IndexedImage& image, int x, int y, std::uint8_t ramp, int face) {
  image.FillRect(x, y, 32, 32, Shade(ramp, face));
  image.FillRect(x, y, 32, 2, Shade(ramp, face + 3));
  image.FillRect(x, y, 2, 32, Shade(ramp, face + 2));
  image.FillRect(x, y + 30, 32, 2, Shade(ramp, face - 3));
  image.FillRect(x + 30, y, 2, 32, Shade(ramp, face - 2));
}

void Dirt(IndexedImage& image, int x, int y) {
  image.FillRect(x, y, 32, 32, Shade(pal::kBrown, 6));
  for (int i = 0; i < 12; ++i) {  // pebbles at fixed, scattered places
    const int px = (i * 13 + 5) % 29, py = (i * 7 + 3) % 29;
    image.FillRect(x + px, y + py, 2 + i % 2, 2, Shade(pal::kBrown, i % 3 == 0 ? 9 : 4));
  }
}

void GrassTop(IndexedImage& image, int x, int y) {
  Dirt(image, x, y);
  image.FillRect(x, y, 32, 8, Shade(pal::kGreen, 8));
  image.FillRect(x, y, 32, 2, Shade(pal::kGreen, 11));
  for (int i = 0; i < 32; i += 4) image.FillRect(x + i, y + 8, 2, 2 + (i / 4) % 2 * 2, Shade(pal::kGreen, 6));
}

void Brick(IndexedImage& image, int x, int y) {
  image.FillRect(x, y, 32, 32, Shade(pal::kBrown, 2));
  for (int row = 0; row < 4; ++row) {
    const int shift = row % 2 * 8;
    for (int col = -1; col < 3; ++col) {
      const int bx = x + col * 16 + shift + 1, by = y + row * 8 + 1;
      const int left = std::max(bx, x), right = std::min(bx + 15, x + 32);
      image.FillRect(left, by, right - left, 7, Shade(pal::kRed, 6));
      image.FillRect(left, by, right - left, 1, Shade(pal::kRed, 9));
    }
  }
}

void OneWayFloor(IndexedImage& image, int x, int y) {
  image.FillRect(x, y + 2, 32, 10, Shade(pal::kBrown, 7));
  image.FillRect(x, y + 2, 32, 2, Shade(pal::kBrown, 10));
  image.FillRect(x, y + 11, 32, 1, Shade(pal::kBrown, 3));
  for (int i = 3; i < 32; i += 10) image.FillRect(x + i, y + 5, 1, 5, Shade(pal::kBrown, 5));
}

void Spring(IndexedImage& image, int x, int y, bool pressed) {
  const int top = pressed ? 16 : 6;
  for (int coil = top + 4; coil < 28; coil += 4) image.FillRect(x + 9, y + coil, 14, 2, Shade(pal::kStone, 11));
  image.FillRect(x + 4, y + top, 24, 4, Shade(pal::kRed, 8));
  image.FillRect(x + 4, y + top, 24, 1, Shade(pal::kRed, 11));
  image.FillRect(x + 4, y + 28, 24, 4, Shade(pal::kStone, 5));
}

void Spikes(IndexedImage& image, int x, int y) {
  for (int s = 0; s < 4; ++s)
    for (int row = 0; row < 16; ++row) {
      const int half = row / 2;
      image.FillRect(x + s * 8 + 4 - half / 2, y + 16 + row, std::max(1, half), 1,
                     Shade(pal::kStone, row < 4 ? 13 : 10 - row / 4));
    }
  image.FillRect(x, y + 30, 32, 2, Shade(pal::kStone, 4));
}

// A belt whose marks move `phase` dots each frame, toward `dir` (-1 left, 1 right).
void Conveyor(IndexedImage& image, int x, int y, int dir, int phase) {
  image.FillRect(x, y, 32, 32, Shade(pal::kStone, 3));
  image.FillRect(x, y + 2, 32, 6, Shade(pal::kStone, 8));
  for (int i = 0; i < 4; ++i) {
    const int mx = ((i * 8 + dir * phase * 4) % 32 + 32) % 32;
    image.FillRect(x + mx, y + 3, 3, 4, Shade(pal::kYellow, 9));
  }
  for (int wheel = 0; wheel < 2; ++wheel) image.FillCircle(x + 8 + wheel * 16, y + 20, 6, Shade(pal::kStone, 6));
}

void ItemBlock(IndexedImage& image, int x, int y, bool used) {
  Bevel(image, x, y, used ? pal::kBrown : pal::kYellow, 7);
  if (!used)  // a gem set into the block
    for (int row = 0; row < 12; ++row) {
      const int half = row < 6 ? row : 11 - row;
      image.FillRect(x + 15 - half, y + 10 + row, 2 * half + 2, 1, Shade(pal::kPink, row < 6 ? 12 : 8));
    }
}

void Water(IndexedImage& image, int x, int y, std::uint8_t ramp) {
  image.FillRect(x, y, 32, 32, Shade(ramp, 6));
  for (int wx = 0; wx < 32; wx += 8) image.FillRect(x + wx, y + 2 + (wx / 8) % 2, 5, 2, Shade(ramp, 12));
}

// Blocks by graphic cell (BlockCell).
IndexedImage BlockSheet() {
  IndexedImage image(256, 480);
  auto x = [](int cell) { return CellX(cell); };
  auto y = [](int cell) { return CellY(cell); };
  GrassTop(image, x(kGrassCell), y(kGrassCell));
  Dirt(image, x(kDirtCell), y(kDirtCell));
  Brick(image, x(kBrickCell), y(kBrickCell));
  Bevel(image, x(kStoneCell), y(kStoneCell), pal::kStone, 8);
  OneWayFloor(image, x(kOneWayCell), y(kOneWayCell));
  Spring(image, x(kSpringCell), y(kSpringCell), false);
  Spring(image, x(kSpringPressedCell), y(kSpringPressedCell), true);
  Spikes(image, x(kSpikesCell), y(kSpikesCell));
  for (int phase = 0; phase < 2; ++phase) {
    Conveyor(image, x(kBeltLeftCell + phase), y(kBeltLeftCell + phase), -1, phase);
    Conveyor(image, x(kBeltRightCell + phase), y(kBeltRightCell + phase), 1, phase);
  }
  ItemBlock(image, x(kItemBoxCell), y(kItemBoxCell), false);
  ItemBlock(image, x(kUsedBoxCell), y(kUsedBoxCell), true);
  Bevel(image, x(kIceCell), y(kIceCell), pal::kSky, 11);
  Water(image, x(kWaterCell), y(kWaterCell), pal::kBlue);
  Water(image, x(kLavaCell), y(kLavaCell), pal::kRed);
  const int fx = CellX(kFlagCell), fy = CellY(kFlagCell);
  image.FillRect(fx + 6, fy, 3, 32, Shade(pal::kStone, 12));
  image.FillRect(fx + 9, fy + 2, 18, 12, Shade(pal::kGreen, 9));
  image.FillRect(fx + 9, fy + 2, 18, 2, Shade(pal::kGreen, 12));
  return image;
}

// Characters in columns of 15 cells, from the second cell of a column (graphic
// number 0 means none): per character four cells of its base animation, four
// of its second state and four of its third.
IndexedImage CharacterSheet() {
  IndexedImage image(256, 480);
  const HeroPose base[4] = {HeroPose::Stand, HeroPose::StepA, HeroPose::Stand, HeroPose::StepB};
  for (int i = 0; i < 4; ++i) {
    image.Paste(HeroSprite(base[i], 2), CellX(kHeroCell + i), CellY(kHeroCell + i));
    image.Paste(HeroSprite(HeroPose::Jump, 2), CellX(kHeroCell + 4 + i), CellY(kHeroCell + 4 + i));
    image.Paste(HeroSprite(HeroPose::Hurt, 2), CellX(kHeroCell + 8 + i), CellY(kHeroCell + 8 + i));
  }
  const std::pair<EnemyKind, int> enemies[3] = {
      {EnemyKind::Walker, kWalkerCell}, {EnemyKind::Flyer, kFlyerCell}, {EnemyKind::Shooter, kShooterCell}};
  for (auto [kind, first] : enemies)
    for (int i = 0; i < 12; ++i) image.Paste(EnemySprite(kind, i % 2, 2), CellX(first + i), CellY(first + i));
  for (int i = 0; i < 4; ++i) image.Paste(BossSprite(i % 2, 1), CellX(kBossCell + i), CellY(kBossCell + i));
  return image;
}

// 16 x 16 cells, 30 to a row: hero pellet, fireball (two frames), enemy
// bullet, arrow, star, boss orb (two frames).
IndexedImage ShotSheet() {
  IndexedImage image(480, 480);
  auto cell = [](int n) { return std::pair{n % 30 * 16, n / 30 * 16}; };
  auto [px, py] = cell(kPelletShot);
  image.FillCircle(px + 8, py + 8, 4, Shade(pal::kYellow, 7));
  image.FillCircle(px + 7, py + 7, 2, Shade(pal::kYellow, 13));
  for (int f = 0; f < 2; ++f) {
    auto [fx, fy] = cell(kFireballShot + f);
    image.FillEllipse(fx + 8 - f, fy + 8, 6 + f, 5, Shade(pal::kRed, 7));
    image.FillEllipse(fx + 9, fy + 8, 3, 3, Shade(pal::kYellow, 11));
  }
  auto [bx, by] = cell(kEnemyShot);
  image.FillCircle(bx + 8, by + 8, 4, Shade(pal::kPurple, 6));
  image.FillCircle(bx + 8, by + 8, 2, Shade(pal::kPink, 12));
  auto [ax, ay] = cell(kArrowShot);
  image.FillRect(ax + 1, ay + 7, 12, 2, Shade(pal::kBrown, 9));
  for (int i = 0; i < 4; ++i) image.FillRect(ax + 11 + i / 2, ay + 4 + i, 4 - i, 8 - 2 * i, Shade(pal::kStone, 12));
  auto [sx, sy] = cell(kStarShot);
  image.Line(sx + 8, sy + 1, sx + 8, sy + 14, Shade(pal::kYellow, 12));
  image.Line(sx + 1, sy + 8, sx + 14, sy + 8, Shade(pal::kYellow, 12));
  image.FillCircle(sx + 8, sy + 8, 3, Shade(pal::kYellow, 9));
  for (int f = 0; f < 2; ++f) {
    auto [ox, oy] = cell(kBossShot + f);
    image.FillCircle(ox + 8, oy + 8, 6 - f, Shade(pal::kPurple, 5 + 3 * f));
    image.FillCircle(ox + 8, oy + 8, 3, pal::kWhite);
  }
  return image;
}

// Items in graphic cells: the turning coin, then heart, key and gem.
IndexedImage ItemSheet() {
  IndexedImage image(64, 480);
  for (int f = 0; f < 4; ++f) image.Paste(ItemSprite(ItemKind::Coin, f, 2), CellX(kCoinCell + f), CellY(kCoinCell + f));
  image.Paste(ItemSprite(ItemKind::Heart, 0, 2), CellX(kHeartCell), CellY(kHeartCell));
  image.Paste(ItemSprite(ItemKind::Key, 0, 2), CellX(kKeyCell), CellY(kKeyCell));
  image.Paste(ItemSprite(ItemKind::Gem, 0, 2), CellX(kGemCell), CellY(kGemCell));
  return image;
}

// The same items in 16 x 16 cells, one row.
IndexedImage MiniItemSheet() {
  IndexedImage image(128, 16);
  const ItemKind kinds[4] = {ItemKind::Coin, ItemKind::Heart, ItemKind::Key, ItemKind::Gem};
  for (int i = 0; i < 4; ++i) image.Paste(ItemSprite(kinds[i], 0, 1), 16 * i, 0);
  return image;
}

void Cloud(IndexedImage& image, int x, int y, int size) {
  image.FillEllipse(x, y, size, size / 2, Shade(pal::kSky, 14));
  image.FillEllipse(x - size / 2, y + 2, size / 2, size / 3, Shade(pal::kSky, 15));
  image.FillEllipse(x + size / 2, y + 3, size / 2, size / 3, Shade(pal::kSky, 13));
}

// The far layer: a sky that brightens toward the horizon, with clouds.
IndexedImage SkyBackground() {
  IndexedImage image(640, 480);
  image.VerticalRamp(0, 0, 640, 480, Shade(pal::kSky, 6), 7);
  Cloud(image, 120, 90, 44);
  Cloud(image, 380, 60, 56);
  Cloud(image, 560, 150, 36);
  Cloud(image, 260, 200, 30);
  return image;
}

// The near layer: rolling hills over a see-through sky.
IndexedImage HillBackground() {
  IndexedImage image(640, 480);
  for (int x = 0; x < 640; ++x) {
    // Two overlapping sine-like arches made of parabola pieces keep the bytes exact.
    const int a = (x % 320) - 160, b = ((x + 100) % 240) - 120;
    const int far = 300 + a * a / 400, near = 360 + b * b / 300;
    image.FillRect(x, far, 1, 480 - far, Shade(pal::kGreen, 4));
    image.FillRect(x, near, 1, 480 - near, Shade(pal::kGreen, 6));
    image.Set(x, near, Shade(pal::kGreen, 9));
  }
  return image;
}

}  // namespace

Pictures CharacterPictures() {
  Pictures pictures;
  pictures.push_back({"bmp\\Character1.bmp", CharacterSheet()});
  // The boss as an extra character bitmap of 64 x 64 cells, 8 to a row.
  IndexedImage boss(512, 64);
  for (int i = 0; i < 4; ++i) boss.Paste(BossSprite(i % 2, 2), 64 * i, 0);
  pictures.push_back({"bmp\\chara_sp\\Boss.bmp", std::move(boss)});
  return pictures;
}

Pictures StagePictures() {
  Pictures pictures;
  pictures.push_back({"bmp\\Block.bmp", BlockSheet()});
  pictures.push_back({"bmp\\Shot.bmp", ShotSheet()});
  pictures.push_back({"bmp\\Item.bmp", ItemSheet()});
  pictures.push_back({"bmp\\Item_Mini.bmp", MiniItemSheet()});
  pictures.push_back({"bmp\\back\\Sky.bmp", SkyBackground()});
  pictures.push_back({"bmp\\back\\Hills.bmp", HillBackground()});
  return pictures;
}

}  // namespace sample_game
