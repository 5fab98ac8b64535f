#pragma once
// Text drawing for screens, menus and the status panel: Shift-JIS text laid
// out one cell per character, with optional glyph caches (sheets of rendered
// characters drawn by blits), a framed box image behind text boxes, and a
// sheet of letter pictures laid over lowercase ASCII letters.

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/text_format.h"
#include "graphics/text/glyph_cache.h"
#include "graphics/text/glyph_painter.h"
#include "graphics/surfaces/surface.h"
#include "graphics/text/text_layout.h"
#include "platform/fonts/font_rasterizer.h"

class Font {
 public:
  Font() = default;
  ~Font() { Release(); }
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // face: CP932 face name of the data; colour numbers are palette numbers;
  // useCaches non-zero builds the two glyph caches.
  void Create(const char* face, int width, int height, int cellWidth, int lineHeight, int colorNumber,
              DDSURFACEDATA* boxImage, int frame, int frameColor, DDSURFACEDATA* letterSheet, int useCaches);

  // Draws text with "\n" line breaks at (x, y); bPlain leaves the letter
  // sheet out (lowercase letters are then drawn from the font).
  int Draw(DDSURFACEDATA* lpDst, int x, int y, const char* text, int bPlain = 0);
  // Draws text as the platform lays it out, the way MeasureTextGDI measures
  // it: each character at the face's own advance, lines at the line height;
  // no cells, caches or letter sheet.
  int DrawAtAdvances(DDSURFACEDATA* lpDst, int x, int y, const char* text);
  // Formats into 256 bytes (cut on a whole character), then Draw.
  void Printf(DDSURFACEDATA* lpDst, int x, int y, const char* format, ...) PLAYER_PRINTF(5, 6);
  // The box image with its frame; x or y = 10000 centres the box against the
  // box image's width or height.
  void DrawBox(DDSURFACEDATA* lpDst, int x, int y, int w, int h);
  // A box (sized to the text when w or h is 0) with the text in it.
  int DrawBoxText(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* text, int nMargin);
  int DrawBoxTextColor(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* text, int nMargin,
                       int colorNumber);
  // Formats into 1024 bytes, then DrawBoxText without margin.
  void PrintfBox(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* format, ...) PLAYER_PRINTF(7, 8);
  // Releases the caches, the work surface and the face, leaves g_FontList and
  // is again as constructed; the shutdown calls it for the global fonts
  // before the device is released.
  void Release();
  // Brings the font back after lost surfaces: caches are re-rendered from
  // their own lists of characters.
  void Restore();

  bool UsesLetterSheet() const;

  std::uint32_t m_dwSerial = 0;
  std::string m_strFace;  // CP932
  std::unique_ptr<platform::FontFace> m_lpFace;
  int m_nWidth = 0, m_nHeight = 0;
  int m_nCellWidth = 0;   // 0: proportional text measured by the face
  int m_nLineHeight = 0;
  int m_nColorNum = 0;
  std::uint32_t m_dwTextColor = 0;  // pixel value of the text colour (glyph_painter::TextPixel)
  int m_bNoBracketShift = 0;
  DDSURFACEDATA m_WorkSD;
  DDSURFACEDATA* m_lpBoxImage = nullptr;
  int m_nFrame = 0, m_nFrameColor = 0;
  DDSURFACEDATA* m_lpLetterSheet = nullptr;
  int m_bUseLetterSheet = 0;
  int m_nUseCaches = 0;
  std::unique_ptr<GlyphCache> m_lpFastFont_Half;
  std::unique_ptr<GlyphCache> m_lpFastFont_FullAdd;

 private:
  // How one call draws: colour, whether the caches and the letter sheet take
  // part, and whether characters sit in cells (when the font has them) or
  // follow each other at the face's advances.
  struct Pass {
    std::uint32_t textPixel;
    bool caches;
    bool letterSheet;
    bool cells;
  };

  text_layout::TextSize MeasureText(std::string_view text, bool cells) const;
  // The screen-sized surface text is drawn on before a keyed copy to a
  // destination that is not a render target; made at its first use.
  DDSURFACEDATA* WorkSurface();
  int DrawWith(DDSURFACEDATA* lpDst, int x, int y, std::string_view text, const Pass& pass);
  void DrawTextLines(DDSURFACEDATA* lpDst, int x, int y, std::string_view text, const Pass& pass);
  void DrawOneChar(DDSURFACEDATA* lpDst, int x, int y, std::string_view character, const Pass& pass);
  void DrawCharDirect(DDSURFACEDATA* lpDst, int x, int y, std::string_view character, const Pass& pass);
  void DrawLetterSheet(DDSURFACEDATA* lpDst, int x, int y, std::string_view text);
  void CreateCaches();
  void ReleaseCaches();
  void CentreBox(int* x, int* y, int w, int h) const;
};

// Every created font (the restore operations bring each back); defined
// with the global fonts so that it outlives them.
extern std::list<Font*> g_FontList;

// Characters in the longest line times the cell width, lines times the line height.
text_layout::TextSize MeasureTextBlock(const Font* font, const char* text);
// Widest line by the face's advances, lines times the line height.
text_layout::TextSize MeasureTextGDI(const Font* font, const char* text);
