#include "stage/draw/chara/graphic_source.h"

#include "graphics/blits/blit.h"
#include "graphics/images/bitmap_table.h"

namespace {

constexpr int kCell = 32;

// The plain and mirrored bitmap of character sheet s (0..7).
int CharacterSheetBitmap(int sheet, int mirrored) {
  const int plain = sheet == 0 ? 4 : 6 + 2 * (sheet - 1);
  return plain + (mirrored ? 1 : 0);
}

}  // namespace

GraphicSource GetGraphicSource(int graphicKind, int cell, int mirrored) {
  if (cell < 0) return {};
  int bitmap = -1;
  int perColumn = 15;
  switch (graphicKind) {
    case 0: bitmap = mirrored ? 3 : 2; break;
    case 1: {
      const int sheet = cell / kCellsPerCharacterSheet;
      if (sheet > 7) return {};
      bitmap = CharacterSheetBitmap(sheet, mirrored);
      cell %= kCellsPerCharacterSheet;
      break;
    }
    case 2: bitmap = mirrored ? 41 : 40; break;
    case 3:  // shots, through the padded sheets
      bitmap = mirrored ? 64 : 63;
      perColumn = 30;
      break;
    default: return {};
  }
  return {&g_BmpSD[bitmap], cell / perColumn * kCell, cell % perColumn * kCell};
}

void DrawGraphicCell(DDSURFACEDATA* surface, int x, int y, int graphicKind, int cell) {
  const GraphicSource source = GetGraphicSource(graphicKind, cell, 0);
  if (source.surface == nullptr) return;
  DDBlt(surface, x - 16, y - 16, kCell, kCell, source.surface, source.x, source.y, 1);
}
