#pragma once
// Where a graphic cell comes from: the sheet of a graphic kind (0 blocks,
// 1 the character sheets, 2 items, 3 shots from the padded shot sheets with
// 30 cells to a column), the left-right mirrored twin for the other facing, and the cell's
// place: 32 x 32 cells, 15 to a column. Kinds without a sheet here give no
// source and draw nothing.
//
// Kind 4 draws from the exchangeable character bitmaps of the database
// (Bmp_CharaExc.dat), which carry their own cell size: the graphic number
// names the bitmap record, and the cell within it comes from the character's
// graphic offset, its animation set's offsets and the animation frame. A
// bitmap lays its cells out in rows, as the editor shows it: 32 x 32 cells,
// 16 to a row, or with the big-cell setting cells of scale x 32 dots, 16 /
// scale to a row; cell n lies at column n mod (cells per row), row n div
// (cells per row). A character facing right draws from the bitmap's twin,
// each cell mirrored in its place, as the character sheets have theirs.
// A character draws the whole cell, times its size factor, centred
// on its draw box and standing on the box's bottom edge. Blocks and items
// of kind 4 show the first cell's top-left 32 x 32 dots.

#include <array>
#include <cstdint>

struct DDSURFACEDATA;

struct GraphicSource {
  DDSURFACEDATA* surface = nullptr;
  int x = 0;
  int y = 0;
  // The other facing's twin (its cells mirrored in their places, so the
  // cell sits at the same x and y there): the picture seen from behind, as
  // a turn in depth shows it. Null when the sheet has no twin.
  DDSURFACEDATA* backSurface = nullptr;
  // A colour pair {draw colour, colour operation} blended over the cell.
  bool tinted = false;
  std::array<std::uint32_t, 2> tint{};
  // Kind 4: the size of the cell on its bitmap; 0 for the 32 x 32 sheets.
  int ownCellSize = 0;
  const std::uint32_t* ColourPair() const { return tinted ? tint.data() : nullptr; }
};

// Character sheets hold 8 columns of 15 cells; cell n of kind 1 lies on
// sheet n / 120 (bmp\Character1.bmp onward).
inline constexpr int kCellsPerCharacterSheet = 120;
inline constexpr int kGraphicKindExchangeable = 4;

// `mirrored` picks the sheet's mirrored twin (a character facing right).
GraphicSource GetGraphicSource(int graphicKind, int cell, int mirrored);
// Cell `cell` of exchangeable bitmap `record` (kind 4); no source for a
// record outside the list or a bitmap that did not load.
GraphicSource GetExchangeableSource(int record, int cell, int mirrored);

// Draws one 32 x 32 cell centred on (x, y).
void DrawGraphicCell(DDSURFACEDATA* surface, int x, int y, int graphicKind, int cell);
