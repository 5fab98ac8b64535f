#pragma once
// Every picture of the sample game, drawn by code in the sample palette.
// Each group returns its pictures with the stored paths they are written to;
// the sizes and cell layouts are the ones the player's screens read:
//   32 x 32 graphic cells, 15 to a column (cell n at x = n / 15 * 32,
//   y = n % 15 * 32) for blocks, characters, items and marks; 16 x 16 shot
//   cells; the system picture's cursor, icons, figure and gauges at their
//   fixed places; the time digits as a row of 32 x 32 cells.

#include <string>
#include <vector>

#include "tools/sample_game/indexed_image.h"

namespace sample_game {

struct Picture {
  std::string path;  // stored path, relative to the game folder
  IndexedImage image;
};
using Pictures = std::vector<Picture>;

// Graphic cell n of a sheet of 32 x 32 cells, 15 to a column.
inline int CellX(int n) { return n / 15 * 32; }
inline int CellY(int n) { return n % 15 * 32; }

// Graphic cells of the sheets. Graphic number 0 means "none", so every sheet
// starts at cell 1; the numbers are the graphic numbers the definitions use.
enum BlockCell : int {
  kGrassCell = 1, kDirtCell, kBrickCell, kStoneCell, kOneWayCell,
  kSpringCell, kSpringPressedCell, kSpikesCell,
  kBeltLeftCell, kBeltLeftCell2, kBeltRightCell, kBeltRightCell2,
  kItemBoxCell, kUsedBoxCell, kIceCell, kWaterCell, kLavaCell, kFlagCell,
};
// First cells of the characters on Character1.bmp, one column of 15 each.
inline constexpr int kHeroCell = 1, kWalkerCell = 16, kFlyerCell = 31, kShooterCell = 46, kBossCell = 61;
inline constexpr int kCoinCell = 1, kHeartCell = 5, kKeyCell = 6, kGemCell = 7;
// Shot cells (16 x 16, 30 to a row).
inline constexpr int kPelletShot = 1, kFireballShot = 2, kEnemyShot = 4, kArrowShot = 5, kStarShot = 6,
                     kBossShot = 7;
// Marks above characters, from cell 1.
inline constexpr int kFirstMark = 1;

// bmp\plt\Palette.bmp, Debug.bmp, Symbol.bmp, Window.bmp, StatusWindow.bmp,
// Accessory.bmp, Word.bmp, Mark.bmp.
Pictures SystemPictures();
// Character1.bmp and the extra character bitmap of the boss.
Pictures CharacterPictures();
// Block.bmp, Shot.bmp, Item.bmp, Item_Mini.bmp and the stage backgrounds.
Pictures StagePictures();
// Effects, pictures and sword bitmaps that the database names.
Pictures DatabasePictures();
// Title.bmp, WorldMapChip.bmp, WorldEvent.bmp, WorldBack.bmp.
Pictures ScreenPictures();

}  // namespace sample_game
