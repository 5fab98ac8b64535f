#pragma once
// A sheet of rendered characters, one per cell, so that text already drawn
// once costs one blit per character. The single-byte cache holds the codes
// 1 to 255 at cell (code mod 16, code / 16); the double-byte cache fills its
// cells in order as characters are added. A render of the whole sheet paints
// each cell when it is first drawn from (or the sheet is read), so a start
// does not wait for hundreds of characters the title never shows; each cell
// is clipped to itself, so the sheet is the same whatever the order.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/surfaces/surface.h"
#include "platform/fonts/font_rasterizer.h"

class GlyphCache {
 public:
  enum Kind { kSingleByte = 0, kDoubleByte = 1 };

  struct Entry {
    std::string character;  // the CP932 bytes
    int index = 0;
    int x = 0, y = 0;       // the cell's top-left on the sheet
  };

  GlyphCache(int kind, int cellWidth, int cellHeight, int columns, int rows);
  ~GlyphCache();
  GlyphCache(const GlyphCache&) = delete;
  GlyphCache& operator=(const GlyphCache&) = delete;

  // Creates the colour-keyed sheet surface; false when it cannot be made.
  bool CreateSheet();
  // Registers a character: a single byte in its code's cell, a double-byte
  // character in the next free cell. 1 when it is cached (also when it
  // already was), 0 when full or not a character of this cache.
  int Add(std::string_view character);
  // The cell of a cached character; null when it is not cached.
  const Entry* Find(std::string_view character) const;

  void DrawByIndex(DDSURFACEDATA* lpDst, int x, int y, int index, int flags);
  // 1 when drawn, 0 when the character is not cached.
  int DrawChar(DDSURFACEDATA* lpDst, int x, int y, std::string_view character, int flags);

  // Clears the sheet; every registered character is rendered into its cell
  // by the first draw from it. The face must outlive the cache.
  void Render(const platform::FontFace& face, std::uint32_t textPixel);
  // Renders one registered character into its cell.
  void RenderChar(std::string_view character, const platform::FontFace& face, std::uint32_t textPixel);

  int Kind() const { return m_nKind; }
  int Capacity() const { return m_nCapacity; }
  int Count() const { return static_cast<int>(m_Entries.size()); }
  const std::vector<Entry>& Entries() const { return m_Entries; }
  // The sheet with every registered character in its cell.
  DDSURFACEDATA& Sheet();
  bool HasSheet();
  void SetSheetLost(bool lost) { m_Sheet.bLost = lost ? 1 : 0; }

 private:
  static int LookupKey(std::string_view character);
  void RenderEntry(const Entry& entry, const platform::FontFace& face, std::uint32_t textPixel);
  // Paints entry `number` if the last whole render has not reached it yet.
  void RenderIfPending(int number);

  int m_nKind;
  int m_nCellWidth, m_nCellHeight;
  int m_nColumns, m_nRows;
  int m_nCapacity;
  DDSURFACEDATA m_Sheet;
  std::vector<Entry> m_Entries;
  int m_nNextIndex = 0;
  // Entry number of each character by its one or two bytes, -1 when absent.
  std::vector<int> m_Lookup;
  // What the last whole render paints with, and the entries it has not yet
  // painted (by entry number).
  const platform::FontFace* m_pPendingFace = nullptr;
  std::uint32_t m_nPendingPixel = 0;
  std::vector<bool> m_Pending;
};
