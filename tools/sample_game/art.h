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
