#include "graphics/text/glyph_cache.h"

#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/text/glyph_painter.h"

GlyphCache::GlyphCache(int kind, int cellWidth, int cellHeight, int columns, int rows)
    : m_nKind(kind),
      m_nCellWidth(cellWidth),
      m_nCellHeight(cellHeight),
      m_nColumns(std::max(columns, 0)),
      m_nRows(std::max(rows, 0)),
      m_nCapacity(m_nColumns * m_nRows),
      m_Lookup(256 * 256, -1) {}

GlyphCache::~GlyphCache() { DDReleaseSurface(&m_Sheet); }

bool GlyphCache::CreateSheet() {
  if (m_nCapacity < 1 || m_nCellWidth < 1 || m_nCellHeight < 1) return false;
  return DDCreateSurface(&m_Sheet, m_nColumns * m_nCellWidth, m_nRows * m_nCellHeight, 1, 1, DTMEMORYTYPE_VIDEO_RT, 0,
                         0);
}

int GlyphCache::LookupKey(std::string_view character) {
  if (character.empty() || character.size() > 2) return -1;
  const auto first = static_cast<unsigned char>(character[0]);
  return character.size() == 1 ? first : first << 8 | static_cast<unsigned char>(character[1]);
}

int GlyphCache::Add(std::string_view character) {
  const int key = LookupKey(character);
  if (key < 0) return 0;
  if (m_Lookup[key] >= 0) return 1;
  int index;
  if (m_nKind == kSingleByte) {
    // A byte has its own cell: code c at (c mod 16, c / 16).
    if (character.size() != 1 || key >= m_nCapacity) return 0;
    index = key;
  } else {
    if (m_nNextIndex >= m_nCapacity) return 0;
    index = m_nNextIndex++;
  }
  m_Lookup[key] = static_cast<int>(m_Entries.size());
  m_Pending.push_back(false);
  m_Entries.push_back(
      {std::string(character), index, (index % m_nColumns) * m_nCellWidth, (index / m_nColumns) * m_nCellHeight});
  return 1;
}

const GlyphCache::Entry* GlyphCache::Find(std::string_view character) const {
  const int key = LookupKey(character);
  return key < 0 || m_Lookup[key] < 0 ? nullptr : &m_Entries[m_Lookup[key]];
}

void GlyphCache::DrawByIndex(DDSURFACEDATA* lpDst, int x, int y, int index, int flags) {
  if (index < 0 || index >= m_nCapacity) return;
  // A single byte's cell is its code; double-byte cells are numbered as added.
  RenderIfPending(m_nKind == kSingleByte ? m_Lookup[index] : index);
  DDBltText(lpDst, x, y, m_nCellWidth, m_nCellHeight, &m_Sheet, (index % m_nColumns) * m_nCellWidth,
            (index / m_nColumns) * m_nCellHeight, flags);
}

int GlyphCache::DrawChar(DDSURFACEDATA* lpDst, int x, int y, std::string_view character, int flags) {
  const Entry* entry = Find(character);
  if (!entry) return 0;
  RenderIfPending(m_Lookup[LookupKey(character)]);
  DDBltText(lpDst, x, y, m_nCellWidth, m_nCellHeight, &m_Sheet, entry->x, entry->y, flags);
  return 1;
}

void GlyphCache::Render(const platform::FontFace& face, std::uint32_t textPixel) {
  DDFillSurface(&m_Sheet, 0);
  m_pPendingFace = &face;
  m_nPendingPixel = textPixel;
  m_Pending.assign(m_Entries.size(), true);
}

void GlyphCache::RenderIfPending(int number) {
  if (number < 0 || std::size_t(number) >= m_Pending.size() || !m_Pending[std::size_t(number)]) return;
  m_Pending[std::size_t(number)] = false;
  RenderEntry(m_Entries[std::size_t(number)], *m_pPendingFace, m_nPendingPixel);
}

DDSURFACEDATA& GlyphCache::Sheet() {
  for (std::size_t number = 0; number < m_Pending.size(); ++number) RenderIfPending(static_cast<int>(number));
  return m_Sheet;
}

bool GlyphCache::HasSheet() { return SurfacePixels(&m_Sheet) != nullptr; }

void GlyphCache::RenderEntry(const Entry& entry, const platform::FontFace& face, std::uint32_t textPixel) {
  // Centred in the cell like a character drawn without the cache, so that
  // cached and directly drawn text line up.
  const glyph_painter::Box cell{entry.x, entry.y, m_nCellWidth, m_nCellHeight};
  const glyph_painter::CharExtent extent = glyph_painter::MeasureChar(face, entry.character);
  glyph_painter::PaintChar(&m_Sheet, entry.x + m_nCellWidth / 2 - extent.width / 2,
                           entry.y + m_nCellHeight / 2 - extent.height / 2, entry.character, face, textPixel, &cell);
}

void GlyphCache::RenderChar(std::string_view character, const platform::FontFace& face, std::uint32_t textPixel) {
  const Entry* entry = Find(character);
  if (!entry) return;
  m_Pending[std::size_t(m_Lookup[LookupKey(character)])] = false;
  RenderEntry(*entry, face, textPixel);
}
