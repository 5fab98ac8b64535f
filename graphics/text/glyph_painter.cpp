#include "graphics/text/glyph_painter.h"

#include "graphics/blits/text_over.h"
#include "graphics/device/device.h"
#include "graphics/effects/effect_pixels.h"
#include "graphics/effects/effect_quad.h"
#include "graphics/images/palette.h"
#include "graphics/text/text_cp932_table.h"

namespace glyph_painter {

std::uint32_t TextPixel(int colourNumber) {
  if (colourNumber < 0 || colourNumber > 255) return 0;
  const PALETTEENTRY& e = g_PalEntries[colourNumber];
  const std::uint32_t rgb = std::uint32_t(e.peRed) << 16 | std::uint32_t(e.peGreen) << 8 | e.peBlue;
  if (lpDTCon) return effect_pixels::kOpaque | rgb;
  return g_DDState.nBpp == 8 ? static_cast<std::uint32_t>(colourNumber) : rgb;
}

CharExtent MeasureChar(const platform::FontFace& face, std::string_view character) {
  return {face.Advance(text_cp932::ToUnicode(character)), face.LineHeight()};
}

bool PaintChar(DDSURFACEDATA* lpSD, int x, int y, std::string_view character, const platform::FontFace& face,
               std::uint32_t textPixel, const Box* clip) {
  const char32_t code = text_cp932::ToUnicode(character);
  if (code == 0) return true;
  cSurfaceLock lock;
  if (!lock.Lock(lpSD)) return false;
  const bool direct3D = lpDTCon != nullptr;
  const platform::GlyphBitmap& glyph =
      face.Render(code, direct3D ? platform::GlyphRendering::Coverage : platform::GlyphRendering::Monochrome);
  const DDSURFACEDATA* locked = lock.Surface();
  const bool keepsAlpha = KeepsTextAlpha(locked);
  // The pixels that may be written: [left, right) x [top, bottom).
  int clipLeft = 0, clipTop = 0;
  int clipRight = std::min(locked->nWidth, lock.BufferWidth());
  int clipBottom = std::min(locked->nHeight, lock.BufferHeight());
  if (clip) {
    clipLeft = std::max(clipLeft, clip->x);
    clipTop = std::max(clipTop, clip->y);
    clipRight = std::min(clipRight, clip->x + clip->width);
    clipBottom = std::min(clipBottom, clip->y + clip->height);
  }
  const int left = x + glyph.left;
  const int top = y + face.Ascent() + glyph.top;
  for (int gy = 0; gy < glyph.height; ++gy) {
    const int py = top + gy;
    if (py < clipTop || py >= clipBottom) continue;
    for (int gx = 0; gx < glyph.width; ++gx) {
      const int px = left + gx;
      const std::uint8_t cover = glyph.At(gx, gy);
      if (px < clipLeft || px >= clipRight || cover == 0) continue;
      if (lock.BitsPerPixel() == 8) {
        lock.Row8(py)[px] = static_cast<std::uint8_t>(textPixel);
        continue;
      }
      std::uint32_t& pixel = lock.Row32(py)[px];
      if (!direct3D) {
        pixel = textPixel;
        continue;
      }
      const std::uint32_t stage = std::uint32_t(cover) << 24 | (textPixel & 0xFFFFFF);
      pixel = keepsAlpha ? LayTextOver(stage, pixel) : effect_quad::BlendOver(stage, pixel);
    }
  }
  return true;
}

}  // namespace glyph_painter
