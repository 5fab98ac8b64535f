#pragma once
// Where a graphic cell comes from: the sheet of a graphic kind (0 blocks,
// 1 the character sheets, 2 items, 3 shots from the padded shot sheets with
// 30 cells to a column), the left-right mirrored twin for the other facing, and the cell's
// place: 32 x 32 cells, 15 to a column. Kinds without a sheet here give no
// source and draw nothing.

#include <array>
#include <cstdint>

struct DDSURFACEDATA;

struct GraphicSource {
  DDSURFACEDATA* surface = nullptr;
  int x = 0;
  int y = 0;
  // A colour pair {draw colour, colour operation} blended over the cell.
  bool tinted = false;
  std::array<std::uint32_t, 2> tint{};
  const std::uint32_t* ColourPair() const { return tinted ? tint.data() : nullptr; }
};

// Character sheets hold 8 columns of 15 cells; cell n of kind 1 lies on
// sheet n / 120 (bmp\Character1.bmp onward).
inline constexpr int kCellsPerCharacterSheet = 120;

// `mirrored` picks the sheet's mirrored twin (a character facing right).
GraphicSource GetGraphicSource(int graphicKind, int cell, int mirrored);

// Draws one 32 x 32 cell centred on (x, y).
void DrawGraphicCell(DDSURFACEDATA* surface, int x, int y, int graphicKind, int cell);
