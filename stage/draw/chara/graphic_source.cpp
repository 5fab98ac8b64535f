#include "stage/draw/chara/graphic_source.h"

#include "graphics/blits/blit.h"
#include "graphics/images/bitmap_table.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/draw/resources/special_surfaces.h"

namespace {

constexpr int kCell = 32;
constexpr int kExchangeableCellsPerRow = 16;
constexpr int kExchangeablePlaces = 4;

// The plain and mirrored bitmap of character sheet s (0..7).
int CharacterSheetBitmap(int sheet, int mirrored) {
  const int plain = sheet == 0 ? 4 : 6 + 2 * (sheet - 1);
  return plain + (mirrored ? 1 : 0);
}

}  // namespace

GraphicSource GetGraphicSource(int graphicKind, int cell, int mirrored) {
  if (cell < 0) return {};
  // The plain sheet and its mirrored twin.
  std::array<int, 2> bitmaps{};
  int perColumn = 15;
  switch (graphicKind) {
    case 0: bitmaps = {2, 3}; break;
    case 1: {
      const int sheet = cell / kCellsPerCharacterSheet;
      if (sheet > 7) return {};
      bitmaps = {CharacterSheetBitmap(sheet, 0), CharacterSheetBitmap(sheet, 1)};
      cell %= kCellsPerCharacterSheet;
      break;
    }
    case 2: bitmaps = {40, 41}; break;
    case 3:  // shots, through the padded sheets
      bitmaps = {63, 64};
      perColumn = 30;
      break;
    case kGraphicKindExchangeable: return GetExchangeableSource(cell, 0, mirrored);
    default: return {};
  }
  GraphicSource source{&g_BmpSD[bitmaps[mirrored ? 1 : 0]], cell / perColumn * kCell, cell % perColumn * kCell};
  source.backSurface = &g_BmpSD[bitmaps[mirrored ? 0 : 1]];
  return source;
}

GraphicSource GetExchangeableSource(int record, int cell, int mirrored) {
  if (cell < 0 || record < 1 || !g_Database.IsStarted()) return {};
  const auto& records = g_Database->m_vBmpCharaExc;
  if (record >= static_cast<long long>(records.size())) return {};
  const long long plainPlace = static_cast<long long>(record - 1) * kExchangeablePlaces;
  DDSURFACEDATA* surface = BmpCharaExcSurface(plainPlace + (mirrored ? 1 : 0));
  if (surface == nullptr) return {};
  const int size = records[record].CellSize();
  const int perRow = kExchangeableCellsPerRow * kCell / size;
  // A cell below the picture has nothing to show (and its row would overflow).
  const long long top = static_cast<long long>(cell / perRow) * size;
  if (top >= surface->nHeight) return {};
  GraphicSource source{surface, cell % perRow * size, static_cast<int>(top)};
  source.ownCellSize = size;
  source.backSurface = BmpCharaExcSurface(plainPlace + (mirrored ? 0 : 1));
  return source;
}

void DrawGraphicCell(DDSURFACEDATA* surface, int x, int y, int graphicKind, int cell) {
  const GraphicSource source = GetGraphicSource(graphicKind, cell, 0);
  if (source.surface == nullptr) return;
  DDBlt(surface, x - 16, y - 16, kCell, kCell, source.surface, source.x, source.y, 1);
}
