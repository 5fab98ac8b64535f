#pragma once
// Four-pixel arithmetic through the compiler's vector extensions (GCC and
// Clang), so the hot loops run on SSE2 / NEON without intrinsics. Every
// function gives exactly what its one-pixel form gives.

#include <cstdint>
#include <cstring>

typedef std::uint32_t u32x4 __attribute__((vector_size(16)));
typedef std::uint16_t u16x8 __attribute__((vector_size(16)));
typedef std::uint8_t u8x16 __attribute__((vector_size(16)));
typedef std::uint64_t u64x2 __attribute__((vector_size(16)));

inline u32x4 Load4(const std::uint32_t* p) {
  u32x4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store4(std::uint32_t* p, u32x4 v) { std::memcpy(p, &v, sizeof v); }
inline u8x16 Load16(const std::uint8_t* p) {
  u8x16 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store16(std::uint8_t* p, u8x16 v) { std::memcpy(p, &v, sizeof v); }

// round(x / 255) for x <= 255 * 255 in each 16-bit lane.
inline u16x8 Div255(u16x8 x) {
  x += 0x80;
  return (x + (x >> 8)) >> 8;
}

// round(t * u / 255) per 32-bit lane, for t, u <= 255.
inline u32x4 Mul255x4(u32x4 t, u32x4 u) { return (u32x4)Div255((u16x8)t * (u16x8)u); }

// The factors of a blend with alpha a (0..255) in each pixel's lanes.
struct BlendFactors {
  u32x4 a;
  u16x8 a16, ia16;
};
inline BlendFactors MakeBlendFactors(u32x4 a) {
  const u32x4 ia = 255 - a;
  return {a, (u16x8)(a | (a << 16)), (u16x8)(ia | (ia << 16))};
}

// Source-over blend of colour c (its top byte ignored) onto d; the alpha
// channel blends with the same factors:
//   out = round((c * a + d * (255 - a)) / 255), outA = round((a * a + dA * (255 - a)) / 255).
inline u32x4 Blend4(u32x4 c, const BlendFactors& f, u32x4 d) {
  const u16x8 rb = Div255((u16x8)(c & 0x00FF00FF) * f.a16 + (u16x8)(d & 0x00FF00FF) * f.ia16);
  const u16x8 ga =
      Div255((u16x8)(((c >> 8) & 0xFF) | (f.a << 16)) * f.a16 + (u16x8)((d >> 8) & 0x00FF00FF) * f.ia16);
  return (u32x4)rb | ((u32x4)ga << 8);
}
inline u32x4 Blend4(u32x4 c, u32x4 a, u32x4 d) { return Blend4(c, MakeBlendFactors(a), d); }

// The same blend for one pixel.
inline std::uint32_t Blend1(std::uint32_t c, std::uint32_t a, std::uint32_t d) {
  const std::uint32_t ia = 255 - a;
  std::uint32_t rb = (c & 0xFF00FF) * a + (d & 0xFF00FF) * ia + 0x800080;
  rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  std::uint32_t ga = (((c >> 8) & 0xFF) | (a << 16)) * a + ((d >> 8) & 0xFF00FF) * ia + 0x800080;
  ga = ((ga + ((ga >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  return rb | (ga << 8);
}
