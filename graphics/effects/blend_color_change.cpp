#include <array>
#include <cmath>

#include "graphics/effects/blend.h"
#include "graphics/device/device.h"
#include "graphics/effects/effect_quad.h"

namespace {

using namespace effect_pixels;
using ChannelMap = std::array<std::uint8_t, 256>;

// The DirectDraw 8-bit pull toward a colour, `count` times, as one index map.
// Composed by repeated squaring so that huge counts cost no more than small ones.
ChannelMap RepeatedTableMap(const BYTE* table, int color, int count) {
  ChannelMap result;
  ChannelMap step;
  for (int p = 0; p < 256; ++p) {
    result[p] = static_cast<std::uint8_t>(p);
    step[p] = table[p * 256 + color];
  }
  for (unsigned n = static_cast<unsigned>(count); n > 0; n >>= 1) {
    if (n & 1)
      for (auto& v : result) v = step[v];
    ChannelMap squared;
    for (int p = 0; p < 256; ++p) squared[p] = step[step[p]];
    step = squared;
  }
  return result;
}

// The DirectDraw pull of one channel: v = (v + target) >> 1, count times.
// After eight steps a channel has reached its fixed point (target, or
// target - 1 from below), so larger counts change nothing more.
ChannelMap HalvingMap(int target, int count) {
  ChannelMap map;
  const int steps = std::min(count, 9);
  for (int v = 0; v < 256; ++v) {
    int c = v;
    for (int n = 0; n < steps; ++n) c = (c + target) >> 1;
    map[v] = static_cast<std::uint8_t>(c);
  }
  return map;
}

// The Direct3D pixel-path mix of one channel after the colour-pair add: one
// step halves; two to four steps mix by the float weight 64, 32 or 16 of 255
// of the pixel, more steps give the target itself. (The quad path has its
// own weights.)
ChannelMap WeightedMap(int target, int count, int add) {
  static constexpr int kWeights[] = {128, 64, 32, 16};
  const int weight = count <= 4 ? kWeights[count - 1] : 0;
  const float a = static_cast<float>(weight) / 255.0f;
  ChannelMap map;
  for (int v = 0; v < 256; ++v) {
    const int c = std::min(255, v + add);
    map[v] = count == 1 ? static_cast<std::uint8_t>((c + target) >> 1)
                        : static_cast<std::uint8_t>(static_cast<int>(static_cast<float>(c) * a +
                                                                      static_cast<float>(target) * (1.0f - a)));
  }
  return map;
}

// The Direct3D quad's stage: the texel blended with the colour by a factor
// alpha, texel x factor / 255 + colour x (1 - factor / 255), rounded.
ChannelMap FactorMap(int target, int factor) {
  ChannelMap map;
  for (int t = 0; t < 256; ++t) map[t] = static_cast<std::uint8_t>((t * factor + target * (255 - factor) + 127) / 255);
  return map;
}

struct RgbMaps {
  ChannelMap red, green, blue;
  std::uint32_t operator()(std::uint32_t p) const {
    return static_cast<std::uint32_t>(red[Red(p)]) << 16 | static_cast<std::uint32_t>(green[Green(p)]) << 8 |
           blue[Blue(p)];
  }
};

template <typename Pixel, typename Write>
bool ForEachCopiedPixel(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY,
                        int flags, Write&& write) {
  LockedPair locks;
  if (!locks.Lock(lpDst, lpSrc)) return false;
  const Plane<Pixel> dst = PlaneOf<Pixel>(locks.Dst());
  const Plane<Pixel> src = PlaneOf<Pixel>(locks.Src());
  const TransparencyTest transparent = TransparencyTest::ForFlags(flags);
  const CopyRange r = ClipCopy(dst, x, y, w, h, src, srcX, srcY);
  for (int j = r.j0; j < r.j1; ++j) {
    Pixel* out = dst.Row(y + j) + x;
    const Pixel* in = src.Row(srcY + j) + srcX;
    for (int i = r.i0; i < r.i1; ++i)
      if (!transparent(in[i])) out[i] = write(in[i], out[i]);
  }
  return true;
}

}  // namespace

bool DDBltColorChange(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY,
                      int flags, const PALETTEENTRY* lpPalette, BYTE* lpBlendTable, int nColor, int nCount,
                      const std::uint32_t* lpColorPair) {
  // A colour number outside the palette would index past it: nothing to pull toward.
  if (!lpDst || !lpSrc || !lpPalette || nColor < 0 || nColor > 255 || nCount == 0) return true;
  const PALETTEENTRY& target = lpPalette[nColor];
  if (!lpDTCon) {
    if (g_DDState.nBpp == 8) {
      const ChannelMap map = RepeatedTableMap(lpBlendTable ? lpBlendTable : g_BlendTable, nColor, std::max(nCount, 0));
      return ForEachCopiedPixel<std::uint8_t>(lpDst, x, y, w, h, lpSrc, srcX, srcY, flags,
                                               [&](std::uint8_t s, std::uint8_t) { return map[s]; });
    }
    const int steps = std::max(nCount, 0);
    const RgbMaps maps{HalvingMap(target.peRed, steps), HalvingMap(target.peGreen, steps),
                       HalvingMap(target.peBlue, steps)};
    return ForEachCopiedPixel<std::uint32_t>(lpDst, x, y, w, h, lpSrc, srcX, srcY, flags,
                                              [&](std::uint32_t s, std::uint32_t d) { return (d & 0xFF000000) | maps(s); });
  }
  if (nCount < 0) return true;
  const effect_quad::QuadOperands ops = effect_quad::ResolveOperands(lpDst, lpSrc, srcX, srcY, w, h, true);
  if (ops.quad) {
    // Stage 0 blends the texture with the colour by a factor alpha.
    static constexpr int kFactors[] = {128, 80, 48, 16};
    const int factor = nCount <= 4 ? kFactors[nCount - 1] : 0;
    const RgbMaps maps{FactorMap(target.peRed, factor), FactorMap(target.peGreen, factor),
                       FactorMap(target.peBlue, factor)};
    effect_quad::DrawQuad(ops, x, y, w, h,
                          [&](std::uint32_t texel) { return (texel & 0xFF000000) | maps(texel); });
    return true;
  }
  const ColourAdd add = ColourAdd::FromPair(lpColorPair);
  const RgbMaps maps{WeightedMap(target.peRed, nCount, add.red), WeightedMap(target.peGreen, nCount, add.green),
                     WeightedMap(target.peBlue, nCount, add.blue)};
  return ForEachCopiedPixel<std::uint32_t>(ops.dst, x, y, w, h, ops.src, srcX, srcY, flags,
                                            [&](std::uint32_t s, std::uint32_t) { return kOpaque | maps(s); });
}
