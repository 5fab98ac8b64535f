#include "graphics/text/font.h"

#include <algorithm>
#include <cstdarg>

#include "foundation/log.h"
#include "foundation/message_box.h"
#include "foundation/sjis.h"
#include "graphics/blits/batch.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/blits/fill.h"
#include "graphics/blits/frame_rect.h"
#include "platform/text_encoding.h"

namespace {

// The proportional face whose brackets are shifted to sit in fixed cells.
constexpr std::string_view kProportionalGothicUtf8 = "ＭＳ Ｐゴシック";
constexpr int kCentred = 10000;

// The characters pre-loaded into the double-byte cache, in this order.
constexpr const char* kFullWidthSetUtf8 =
    "０１２３４５６７８９ー～、。．！？「」（）｛｝・…※→↑↓←＋－＝○●×ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹ"
    "Ｚａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむ"
    "めもやゆよらりるれろわをんがぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉっゃゅょアイウエオカキクケコサシ"
    "スセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲンガギグゲゴザジズゼゾダヂヅデトバビブベボヴパピプペポ"
    "ァィゥェォッャュョ□■☆★％＆＜＞：";

bool HasPixels(DDSURFACEDATA* lpSD) { return lpSD && SurfacePixels(lpSD) != nullptr; }

std::string FormatArgs(std::size_t capacity, const char* format, std::va_list args) {
  return format ? text_layout::FormatBounded(capacity, format, args) : std::string();
}

}  // namespace

void Font::Release() {
  ReleaseCaches();
  DDReleaseSurface(&m_WorkSD);
  g_FontList.remove(this);
  // Back to a font never created: text measured after a shutdown does not
  // depend on the face and sizes of an earlier start.
  m_dwSerial = 0;
  m_strFace.clear();
  m_lpFace.reset();
  m_nWidth = m_nHeight = m_nCellWidth = m_nLineHeight = m_nColorNum = 0;
  m_dwTextColor = 0;
  m_bNoBracketShift = 0;
  m_lpBoxImage = m_lpLetterSheet = nullptr;
  m_nFrame = m_nFrameColor = m_bUseLetterSheet = m_nUseCaches = 0;
}

void Font::Create(const char* face, int width, int height, int cellWidth, int lineHeight, int colorNumber,
                  DDSURFACEDATA* boxImage, int frame, int frameColor, DDSURFACEDATA* letterSheet, int useCaches) {
  m_strFace = face ? face : "";
  m_nWidth = width;
  m_nHeight = height;
  m_nCellWidth = cellWidth;
  m_nLineHeight = lineHeight;
  m_nColorNum = colorNumber;
  m_lpBoxImage = boxImage;
  m_nFrame = frame;
  m_nFrameColor = frameColor;
  m_lpLetterSheet = letterSheet;
  m_bUseLetterSheet = letterSheet ? 1 : 0;
  m_nUseCaches = useCaches;
  m_dwTextColor = glyph_painter::TextPixel(colorNumber);
  m_lpFace = platform::FontFace::Open(platform::Utf8FromCp932(m_strFace), std::max(height, 1), std::max(width, 0));
  if (!m_lpFace) DebugLogF("Font face not found: %s", m_strFace.c_str());
  if (lpDTCon)
    m_dwSerial = lpDTCon->dwNextFontSerial++;
  else if (lpDDCon)
    m_dwSerial = lpDDCon->dwNextFontSerial++;
  if (std::find(g_FontList.begin(), g_FontList.end(), this) == g_FontList.end()) g_FontList.push_back(this);
  CreateCaches();
}

void Font::ReleaseCaches() {
  m_lpFastFont_Half.reset();
  m_lpFastFont_FullAdd.reset();
}

void Font::CreateCaches() {
  ReleaseCaches();
  if (!m_nUseCaches) return;
  if (m_nCellWidth <= 0 || m_nLineHeight <= 0) {
    DebugLog(Cp932Literal("※フォントクラスで文字間が未設定！"));
    return;
  }
  auto half = std::make_unique<GlyphCache>(GlyphCache::kSingleByte, m_nCellWidth, m_nLineHeight, 16, 16);
  if (!half->CreateSheet()) {
    DebugLogAndClose("m_lpFastFont_Half Err");
    return;
  }
  // Direct3D sheets may be 1024 pixels wide; DirectDraw ones as large as the screen.
  const int spanX = lpDTCon ? 1024 : g_DDState.nWidth;
  const int spanY = lpDTCon ? 1024 : g_DDState.nHeight;
  auto full = std::make_unique<GlyphCache>(GlyphCache::kDoubleByte, m_nCellWidth, m_nLineHeight,
                                           std::min(spanX / m_nCellWidth, 32),
                                           std::min(spanY / m_nLineHeight, lpDTCon ? 32 : 30));
  if (!full->CreateSheet()) {
    DebugLogAndClose("m_lpFastFont_FullAdd Err");
    return;
  }
  // Every byte that is a character of its own gets its cell; 0, the line
  // feed and lead bytes have none.
  for (int code = 1; code < 256; ++code)
    if (code != '\n' && !sjis::IsLeadByte(static_cast<unsigned char>(code)))
      half->Add(std::string(1, static_cast<char>(code)));
  const std::string_view set = Cp932Literal(kFullWidthSetUtf8);
  bool room = true;
  sjis::ForEachChar(set, [&](std::size_t pos, std::size_t length) {
    if (room) room = full->Add(set.substr(pos, length)) != 0;
  });
  m_lpFastFont_Half = std::move(half);
  m_lpFastFont_FullAdd = std::move(full);
  Restore();
}

void Font::Restore() {
  for (GlyphCache* cache : {m_lpFastFont_Half.get(), m_lpFastFont_FullAdd.get()}) {
    if (!cache || !m_lpFace || !cache->HasSheet()) continue;
    cache->Render(*m_lpFace, m_dwTextColor);
    cache->SetSheetLost(false);
  }
}

DDSURFACEDATA* Font::WorkSurface() {
  // A screen-sized surface per font is made only when a text is first drawn
  // through it: in Direct3D mode most text goes straight to render targets,
  // and fonts the title does not use cost nothing.
  if (!HasPixels(&m_WorkSD)) {
    if (DDCreateSurface(&m_WorkSD, BackBuffer.nWidth, BackBuffer.nHeight, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0))
      SetSurfaceLabel(&m_WorkSD, "Font::Work");
    else if (!lpDTCon)
      DebugLogAndClose("DDCreateSurface Font::Work");
  }
  return &m_WorkSD;
}

bool Font::UsesLetterSheet() const {
  return m_bUseLetterSheet && m_nCellWidth > 0 && HasPixels(m_lpLetterSheet);
}

text_layout::TextSize Font::MeasureText(std::string_view text, bool cells) const {
  const std::string copy(text);
  return cells && m_nCellWidth > 0 ? MeasureTextBlock(this, copy.c_str()) : MeasureTextGDI(this, copy.c_str());
}

int Font::Draw(DDSURFACEDATA* lpDst, int x, int y, const char* text, int bPlain) {
  if (!text) return 0;
  const bool sheet = !bPlain && UsesLetterSheet();
  return DrawWith(lpDst, x, y, text, {m_dwTextColor, true, sheet, true});
}

int Font::DrawAtAdvances(DDSURFACEDATA* lpDst, int x, int y, const char* text) {
  if (!text) return 0;
  return DrawWith(lpDst, x, y, text, {m_dwTextColor, false, false, false});
}

int Font::DrawWith(DDSURFACEDATA* lpDst, int x, int y, std::string_view text, const Pass& pass) {
  if (!lpDst || !m_lpFace) return 0;
  DDSURFACEDATA* target = lpDst;
  if (lpDTCon) {
    ResolveAliasSurface(&target);
    RedirectToVirBackBuffer(&target);
  }
  if (lpDTCon && target->lpDT && target->lpDT->bRenderTarget) {
    DrawTextLines(target, x, y, text, pass);
  } else {
    // Through the work surface: cleared to the transparent colour, drawn, blitted with the key.
    const text_layout::TextSize size = MeasureText(text, pass.cells);
    DDSURFACEDATA* work = WorkSurface();
    DDFillRect(work, 0, 0, size.width, size.height, 0);
    DrawTextLines(work, 0, 0, text, pass);
    DDBlt(lpDst, x, y, size.width, size.height, work, 0, 0, 1);
  }
  if (pass.letterSheet) DrawLetterSheet(lpDst, x, y, text);
  return 1;
}

void Font::DrawTextLines(DDSURFACEDATA* lpDst, int x, int y, std::string_view text, const Pass& pass) {
  text_layout::LayoutRules rules;
  rules.cellWidth = pass.cells ? m_nCellWidth : 0;
  rules.lineHeight = m_nLineHeight;
  rules.bracketShift = !m_bNoBracketShift && m_strFace == Cp932Literal(kProportionalGothicUtf8.data());
  rules.letterSheet = pass.letterSheet;
  DDBeginBatch(1);
  text_layout::ForEachPlacedChar(
      text, rules, [&](std::string_view character) { return glyph_painter::MeasureChar(*m_lpFace, character).width; },
      [&](const text_layout::PlacedChar& placed) { DrawOneChar(lpDst, x + placed.x, y + placed.y, placed.character, pass); });
  DDEndBatch();
}

void Font::DrawOneChar(DDSURFACEDATA* lpDst, int x, int y, std::string_view character, const Pass& pass) {
  if (pass.caches && character.size() == 1 && m_lpFastFont_Half) {
    m_lpFastFont_Half->DrawByIndex(lpDst, x, y, static_cast<unsigned char>(character[0]), 1);
    return;
  }
  if (pass.caches && character.size() == 2 && m_lpFastFont_FullAdd) {
    GlyphCache& cache = *m_lpFastFont_FullAdd;
    // A new character takes the next cell and is rendered into it first.
    if (!cache.Find(character) && cache.Add(character)) cache.RenderChar(character, *m_lpFace, m_dwTextColor);
    if (cache.DrawChar(lpDst, x, y, character, 1)) return;
  }
  DrawCharDirect(lpDst, x, y, character, pass);
}

void Font::DrawCharDirect(DDSURFACEDATA* lpDst, int x, int y, std::string_view character, const Pass& pass) {
  int left = x, top = y;
  if (pass.cells && m_nCellWidth > 0) {
    // Centred in its cell by the character's own extent.
    const glyph_painter::CharExtent extent = glyph_painter::MeasureChar(*m_lpFace, character);
    left = x + m_nCellWidth / 2 - extent.width / 2;
    top = y + m_nLineHeight / 2 - extent.height / 2;
  }
  glyph_painter::PaintChar(lpDst, left, top, character, *m_lpFace, pass.textPixel);
}

void Font::DrawLetterSheet(DDSURFACEDATA* lpDst, int x, int y, std::string_view text) {
  DDBeginBatch(1);
  text_layout::ForEachSheetLetter(text, m_nCellWidth, m_nLineHeight, [&](int lx, int ly, int letter) {
    DDBlt(lpDst, x + lx, y + ly, m_nCellWidth, m_nLineHeight, m_lpLetterSheet, letter * m_nCellWidth, 0, 1);
  });
  DDEndBatch();
}

void Font::Printf(DDSURFACEDATA* lpDst, int x, int y, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  const std::string text = FormatArgs(256, format, args);
  va_end(args);
  Draw(lpDst, x, y, text.c_str());
}

void Font::CentreBox(int* x, int* y, int w, int h) const {
  if (!m_lpBoxImage) return;
  if (*x == kCentred) *x = (m_lpBoxImage->nWidth - w) / 2;
  if (*y == kCentred) *y = (m_lpBoxImage->nHeight - h) / 2;
}

void Font::DrawBox(DDSURFACEDATA* lpDst, int x, int y, int w, int h) {
  if (!m_lpBoxImage) return;
  CentreBox(&x, &y, w, h);
  DDBltFramed(lpDst, x, y, w, h, m_lpBoxImage, m_nFrame, m_nFrameColor);
}

int Font::DrawBoxText(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* text, int nMargin) {
  return DrawBoxTextColor(lpDst, x, y, w, h, text, nMargin, m_nColorNum);
}

int Font::DrawBoxTextColor(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* text, int nMargin,
                           int colorNumber) {
  if (!text) return 0;
  if (w == 0 || h == 0) {
    const text_layout::TextSize size = MeasureText(text, true);
    w = size.width + nMargin;
    h = size.height;
  }
  DrawBox(lpDst, x, y, w, h);
  CentreBox(&x, &y, w, h);
  // The caches hold the font's own colour: another colour is drawn directly.
  const bool ownColour = colorNumber == m_nColorNum;
  const Pass pass{glyph_painter::TextPixel(colorNumber), ownColour, UsesLetterSheet(), true};
  return DrawWith(lpDst, x + nMargin, y, text, pass);
}

void Font::PrintfBox(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  const std::string text = FormatArgs(1024, format, args);
  va_end(args);
  DrawBoxText(lpDst, x, y, w, h, text.c_str(), 0);
}

text_layout::TextSize MeasureTextBlock(const Font* font, const char* text) {
  if (!font || !text) return {};
  return text_layout::MeasureCells(text, font->m_nCellWidth, font->m_nLineHeight);
}

text_layout::TextSize MeasureTextGDI(const Font* font, const char* text) {
  if (!font || !text) return {};
  int lines = 1, width = 0, widest = 0;
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    const std::string_view character(text + pos, length);
    if (character == "\n") {
      ++lines;
      width = 0;
      return;
    }
    if (font->m_lpFace) width += glyph_painter::MeasureChar(*font->m_lpFace, character).width;
    widest = std::max(widest, width);
  });
  return {widest, lines * font->m_nLineHeight};
}
