#pragma once
// The font every dialog is laid out and drawn with: the templates name
// "ＭＳ Ｐゴシック" at 9 points, which is 12 pixels on a 96-dpi desktop and
// maps to the proportional IPA Gothic. The dialog base units (how many
// pixels a dialog unit is) follow from it as a desktop derives them: the
// average width of the Latin letters and the font's height.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/fonts/font_rasterizer.h"

// The Unicode character of one CP932 character (U+FFFD for none).
char32_t CodePointOfCp932(std::string_view cp932Char);

class DialogFont {
 public:
  // The one dialog font (opened on first use).
  static DialogFont& Get();

  bool Ready() const { return m_face != nullptr; }
  int LineHeight() const;
  int Ascent() const;
  // Pixels of 4 horizontal and of 8 vertical dialog units.
  int BaseUnitX() const { return m_baseX; }
  int BaseUnitY() const { return m_baseY; }
  int DluToPixelsX(int units) const { return units * m_baseX / 4; }
  int DluToPixelsY(int units) const { return units * m_baseY / 8; }

  // Text is CP932. Width of the text on one line.
  int TextWidth(std::string_view cp932) const;
  // How far below a line's top the text's glyphs reach: past LineHeight
  // where descenders ("g", "y") hang out of the cell.
  int InkBottom(std::string_view cp932) const;
  // Width of one CP932 character.
  int CharWidth(std::string_view cp932Char) const;
  const platform::GlyphBitmap& Glyph(std::string_view cp932Char) const;

 private:
  DialogFont();

  std::unique_ptr<platform::FontFace> m_face;
  int m_baseX = 6;
  int m_baseY = 12;
  mutable std::map<std::string, platform::GlyphBitmap, std::less<>> m_glyphs;
};
