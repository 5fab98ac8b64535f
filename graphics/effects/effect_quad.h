#pragma once
// The Direct3D quad path of the pixel effects whose texture stage or shape
// the plain textured quad (graphics/blits/quad.h) does not cover: the same point
// sampling with wrap addressing, the same stage arithmetic and the same
// blend (source alpha, inverse source alpha, rounded), with a stage given by
// the effect, or a rotated quad.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "graphics/effects/effect_pixels.h"
#include "graphics/blits/quad.h"
#include "graphics/surfaces/surface.h"

namespace effect_quad {

// The device's blend of a stage result over a destination pixel: red, green
// and blue become round((c x a + d x (255 - a)) / 255), alpha
// round((a x a + dA x (255 - a)) / 255).
std::uint32_t BlendOver(std::uint32_t stage, std::uint32_t dst);

// Texture stage 0 with the context's draw colour and operations (arg1 the
// texel, arg2 the diffuse colour), as the blits use it; one table per
// channel, built once per draw.
class ContextStage {
 public:
  ContextStage();
  std::uint32_t operator()(std::uint32_t texel) const {
    return std::uint32_t(m_alpha[texel >> 24]) << 24 | std::uint32_t(m_red[(texel >> 16) & 0xFF]) << 16 |
           std::uint32_t(m_green[(texel >> 8) & 0xFF]) << 8 | m_blue[texel & 0xFF];
  }

 private:
  std::uint8_t m_alpha[256], m_red[256], m_green[256], m_blue[256];
};

inline int WrapTexel(int t, int size) {
  t %= size;
  return t < 0 ? t + size : t;
}

// The surfaces an effect draws with after alias resolution and the virtual
// back-buffer redirection, the source rectangle after the mirror-cell flip.
struct QuadOperands {
  DDSURFACEDATA* dst = nullptr;
  DDSURFACEDATA* src = nullptr;
  int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
  // A render-target destination and a source that is not a system-memory
  // texture take the quad path; anything else works on locked pixels.
  bool quad = false;
};
QuadOperands ResolveOperands(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int srcX, int srcY, int w, int h,
                             bool mirror);

// Opens the scene and makes the destination the render target; false (and
// nothing may be drawn) when either fails.
bool BeginQuad(DDSURFACEDATA* lpDst);
// Makes the context's default render target the target again; false when
// that fails.
bool EndQuad();

// Draws the quad (x, y, w, h) from the source rectangle of the operands with
// a stage the blits know (graphics/blits/quad.h), inside the scene on the
// destination as render target.
void DrawPlainQuad(const QuadOperands& ops, int x, int y, int w, int h, const QuadStage& stage);

// Draws the quad (x, y, w, h) from the source rectangle of the operands (a
// negative source width or height reads it mirrored): stage(texel) gives the
// stage-0 colour of each sampled texel, which is blended over the
// destination. Pixels outside the destination are skipped; texels wrap.
template <typename Stage>
void DrawQuad(const QuadOperands& ops, int x, int y, int w, int h, Stage&& stage) {
  using namespace effect_pixels;
  LockedPair locks;
  if (!BeginQuad(ops.dst)) return;
  if (locks.Lock(ops.dst, ops.src)) {
    const Plane<std::uint32_t> dst = PlaneOf<std::uint32_t>(locks.Dst());
    const cSurfaceLock& tex = locks.Src();
    const int i0 = std::max(0, -x), i1 = std::min(w, dst.width - x);
    const int j0 = std::max(0, -y), j1 = std::min(h, dst.height - y);
    // Equal sizes: pixel i shows texel srcX + i, or srcX - 1 - i mirrored.
    std::vector<int> columns;
    for (int i = i0; i < i1; ++i)
      columns.push_back(WrapTexel(ops.srcW < 0 ? ops.srcX - 1 - i : ops.srcX + i, tex.BufferWidth()));
    for (int j = j0; j < j1; ++j) {
      std::uint32_t* out = dst.Row(y + j) + x + i0;
      const std::uint32_t* in = tex.Row32(WrapTexel(ops.srcH < 0 ? ops.srcY - 1 - j : ops.srcY + j, tex.BufferHeight()));
      for (const int column : columns) {
        *out = BlendOver(stage(in[column]), *out);
        ++out;
      }
    }
  }
  EndQuad();
}

}  // namespace effect_quad
