#pragma once
// Renders one CP932 character of a font face into a surface. DirectDraw
// surfaces get monochrome glyphs in the exact text colour (palette index at
// 8 bits) so that colour keys stay exact; Direct3D surfaces get the glyph's
// coverage as alpha, laid on as graphics/blits/text_over.h says: blended
// over the frame, laid over the pixels of any other surface.

#include <cstdint>
#include <string_view>

#include "graphics/surfaces/surface.h"
#include "platform/fonts/font_rasterizer.h"

namespace glyph_painter {

// The pixel value of a text colour in the current mode: the palette number
// at 8 bits, 0x00RRGGBB in DirectDraw, opaque 0xFFRRGGBB in Direct3D.
std::uint32_t TextPixel(int colourNumber);

// Width and height of a character's box: its advance and the face's line.
struct CharExtent {
  int width = 0;
  int height = 0;
};
CharExtent MeasureChar(const platform::FontFace& face, std::string_view character);

struct Box {
  int x = 0, y = 0, width = 0, height = 0;
};

// Draws the character with its box's top-left at (x, y), clipped to the
// surface and, when given, to `clip`. False when the surface cannot be locked.
bool PaintChar(DDSURFACEDATA* lpSD, int x, int y, std::string_view character, const platform::FontFace& face,
               std::uint32_t textPixel, const Box* clip = nullptr);

}  // namespace glyph_painter
