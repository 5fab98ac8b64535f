#pragma once
// The textured quad of Direct3D mode, computed on the CPU.
//
// Sampling: point sampling with wrap addressing. Destination pixel
// (dx + i, dy + j) takes texel
//   (sx + floor((2i + 1) * sw / (2 dw)), sy + floor((2j + 1) * sh / (2 dh)))
// wrapped into the texture, which is where the centre of that pixel lands
// on a quad whose corners are moved by -0.5 as the device draws it. Negative
// sw or sh therefore read the rectangle mirrored, starting left of sx.
//
// Texture stage 0: arg1 = texel, arg2 = diffuse (the draw colour). Colour
// and alpha operations: 1 disable (colour: the diffuse colour; alpha: the
// diffuse alpha), 2 arg1, 3 arg2, 4 modulate, 5 modulate 2x, 6 modulate 4x,
// 7 add, 8 add signed, 9 add signed 2x, 10 subtract, 11 add smooth; any
// other value is drawn as modulate. Products are rounded: mul(a, b) =
// round(a * b / 255); sums clamp to 0..255.
//
// Blending (source alpha, inverse source alpha, also on the alpha channel):
//   out = round((c * a + d * (255 - a)) / 255) for red, green, blue with the
//   stage's colour c and alpha a, and outA = round((a * a + dA * (255 - a)) / 255).
// So alpha 0 leaves the destination unchanged and alpha 255 replaces it.

#include <cstdint>
#include <optional>

#include "graphics/surfaces/pixel_buffer.h"

struct QuadStage {
  std::uint32_t dwDiffuse = 0xFFFFFFFF;
  std::uint32_t dwColorOp = 4;
  std::uint32_t dwAlphaOp = 2;
};

// One texture-stage operation (the numbering above) on one channel value:
// t from the texel, d from the diffuse colour.
std::uint32_t ApplyStageOp(std::uint32_t op, std::uint32_t t, std::uint32_t d);

// Draws the source rectangle of a 32-bit texture onto the destination
// rectangle of a 32-bit target, clipped to the target. With `clearUnder`
// the result is that of ClearRect with that value first: pixels that the
// quad replaces outright are written once, the rest are cleared and then
// drawn (so texels that blend still see the clear value).
void DrawTexturedQuad(cPixelBuffer* dst, int dx, int dy, int dw, int dh, const cPixelBuffer* src, int sx, int sy,
                      int sw, int sh, const QuadStage& stage, std::optional<std::uint32_t> clearUnder = std::nullopt);
// The same quad laid on the target as text (LayTextOver,
// graphics/blits/text_over.h) instead of blended: a glyph cell drawn on a
// surface that keeps its alpha.
void DrawTextQuad(cPixelBuffer* dst, int dx, int dy, int dw, int dh, const cPixelBuffer* src, int sx, int sy, int sw,
                  int sh, const QuadStage& stage);
// An untextured quad of one colour: colour and alpha both from `dwColor`.
void DrawColouredRect(cPixelBuffer* dst, int x, int y, int w, int h, std::uint32_t dwColor);
// Overwrites the rectangle (clipped) with a value, as a device clear does.
void ClearRect(cPixelBuffer* dst, int x, int y, int w, int h, std::uint32_t value);

// Nearest-neighbour source offset of destination pixel i of n when n
// pixels show `span` source pixels: floor((2i + 1) * span / (2n)).
inline long long FloorDiv(long long num, long long den) {
  long long q = num / den;
  if ((num % den != 0) && ((num < 0) != (den < 0))) --q;
  return q;
}
inline int SampleOffset(int i, int span, int n) { return static_cast<int>(FloorDiv((2LL * i + 1) * span, 2LL * n)); }

// The same offsets for i = first, first + 1, ... without a division per step.
class cSampleStepper {
 public:
  cSampleStepper(int first, int span, int n) : m_den(2LL * n) {
    if (span == n) {  // 1:1, the common case: no division
      m_stepQ = 1;
      m_stepR = 0;
      m_q = first;
      m_r = n;
      return;
    }
    m_stepQ = FloorDiv(2LL * span, m_den);
    m_stepR = 2LL * span - m_stepQ * m_den;
    m_q = FloorDiv((2LL * first + 1) * span, m_den);
    m_r = (2LL * first + 1) * span - m_q * m_den;
  }
  int Current() const { return static_cast<int>(m_q); }
  void Advance() {
    m_q += m_stepQ;
    m_r += m_stepR;
    if (m_r >= m_den) {
      m_r -= m_den;
      ++m_q;
    }
  }

 private:
  long long m_den, m_stepQ, m_stepR, m_q, m_r;
};
