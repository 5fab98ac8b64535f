#include "shell/dialogs/dialog_font.h"

#include <algorithm>

#include "foundation/sjis.h"
#include "platform/text_encoding.h"

namespace {

constexpr const char* kDialogFace = "ＭＳ Ｐゴシック";
constexpr int kDialogPixelHeight = 12;  // 9 points at 96 dpi
constexpr std::string_view kLatinLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The first code point of UTF-8 text; U+FFFD for none.
char32_t FirstCodePoint(std::string_view utf8) {
  if (utf8.empty()) return U'\uFFFD';
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return lead;
  int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (utf8.size() < static_cast<std::size_t>(length)) return U'\uFFFD';
  char32_t point = lead & (0xFF >> (length + 1));
  for (int i = 1; i < length; ++i) point = point << 6 | (byte(i) & 0x3F);
  return point;
}

}  // namespace

DialogFont& DialogFont::Get() {
  static DialogFont font;
  return font;
}

DialogFont::DialogFont() : m_face(platform::FontFace::Open(kDialogFace, kDialogPixelHeight)) {
  if (!m_face) return;
  int total = 0;
  for (char letter : kLatinLetters) total += m_face->Advance(static_cast<unsigned char>(letter));
  m_baseX = (total / 26 + 1) / 2;
  m_baseY = m_face->LineHeight();
}

int DialogFont::LineHeight() const { return m_face ? m_face->LineHeight() : kDialogPixelHeight; }

int DialogFont::Ascent() const { return m_face ? m_face->Ascent() : kDialogPixelHeight - 2; }

char32_t CodePointOfCp932(std::string_view cp932Char) {
  if (cp932Char.size() == 1 && static_cast<unsigned char>(cp932Char[0]) < 0x80)
    return static_cast<unsigned char>(cp932Char[0]);
  return FirstCodePoint(platform::Utf8FromCp932(cp932Char));
}

const platform::GlyphBitmap& DialogFont::Glyph(std::string_view cp932Char) const {
  auto found = m_glyphs.find(cp932Char);
  if (found != m_glyphs.end()) return found->second;
  platform::GlyphBitmap glyph;
  if (m_face) glyph = m_face->Render(CodePointOfCp932(cp932Char), platform::GlyphRendering::Coverage);
  return m_glyphs.emplace(std::string(cp932Char), std::move(glyph)).first->second;
}

int DialogFont::CharWidth(std::string_view cp932Char) const { return Glyph(cp932Char).advance; }

int DialogFont::TextWidth(std::string_view cp932) const {
  int width = 0;
  sjis::ForEachChar(cp932, [&](std::size_t pos, std::size_t length) { width += CharWidth(cp932.substr(pos, length)); });
  return width;
}

int DialogFont::InkBottom(std::string_view cp932) const {
  int bottom = 0;
  sjis::ForEachChar(cp932, [&](std::size_t pos, std::size_t length) {
    const platform::GlyphBitmap& glyph = Glyph(cp932.substr(pos, length));
    if (glyph.height > 0) bottom = std::max(bottom, Ascent() + glyph.top + glyph.height);
  });
  return bottom;
}
