#pragma once
// The loops behind graphics/blits/blend_rows.h, written once for any vector
// unit. O supplies the vector type V holding O::kPixels pixels and the
// operations on it (32-bit lanes, 16-bit lanes, bytes widened to 16 bits and
// packed back). Each file that instantiates these does so with an O of its
// own in an unnamed namespace, so code built for one instruction set never
// stands in for another's; for the same reason everything here is a
// template or static.
//
// The blend of one channel, round((c * a + d * (255 - a)) / 255), is
// (x + ((x + 128) >> 8) + 128) >> 8 with x = c * a + d * (255 - a), which
// equals the high half of (x + 128) * 257: two operations on 16-bit lanes.

#include <cstdint>

namespace blend_kernels {

// The one-pixel blend: red, green and blue of c over d with alpha a, and
// the alpha channel round((a * a + dA * (255 - a)) / 255).
static inline std::uint32_t BlendPixel(std::uint32_t c, std::uint32_t a, std::uint32_t d) {
  const std::uint32_t ia = 255 - a;
  std::uint32_t rb = (c & 0xFF00FF) * a + (d & 0xFF00FF) * ia + 0x800080;
  rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  std::uint32_t ga = (((c >> 8) & 0xFF) | (a << 16)) * a + ((d >> 8) & 0xFF00FF) * ia + 0x800080;
  ga = ((ga + ((ga >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  return rb | (ga << 8);
}

static inline std::uint32_t Mul255(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t x = a * b + 128;
  return (x + (x >> 8)) >> 8;
}

// The rounded-down mean of each byte of a and b.
static inline std::uint32_t FloorMean(std::uint32_t a, std::uint32_t b) {
  return (a & b) + (((a ^ b) & 0xFEFEFEFE) >> 1);
}

template <class O>
struct Kernels {
  using V = typename O::V;
  static constexpr int P = O::kPixels;

  // round((c * a + d * (255 - a)) / 255) in each 16-bit lane.
  static V Blend16(V c16, V d16, V a16) {
    const V x = O::Add16(O::Add16(O::Mullo16(c16, a16), O::Mullo16(d16, O::Sub16(O::Splat16(255), a16))),
                         O::Splat16(128));
    return O::Mulhi16(x, O::Splat16(257));
  }

  // A colour's share of the blend at alpha a, c * a + 128 in each 16-bit
  // lane, worked out once for a run of pixels of that colour.
  static V Share16(V c16, V a16) { return O::Add16(O::Mullo16(c16, a16), O::Splat16(128)); }

  // Blend16 of the colour whose share that is over d16 (inverse16 = 255 - a).
  static V BlendShared16(V share, V d16, V inverse16) {
    return O::Mulhi16(O::Add16(share, O::Mullo16(d16, inverse16)), O::Splat16(257));
  }

  // The blend of c (its alpha byte already the blend's alpha) over d with
  // one alpha for every lane.
  static V BlendConstant(V c, V d, V a16) {
    return O::Pack(Blend16(O::Lo16(c), O::Lo16(d), a16), Blend16(O::Hi16(c), O::Hi16(d), a16));
  }

  // Runs step over the row a vector at a time. A row that is not a whole
  // number of vectors ends with a vector overlapping the one before; every
  // output pixel depends only on its own source and destination pixel, so
  // that last vector is worked out first, from the destination as it was,
  // and stored last. step(s, d, &out) gives false when the destination
  // stays; rows shorter than a vector go pixel by pixel.
  template <typename Step, typename Pixel>
  static void Row(std::uint32_t* d, const std::uint32_t* s, int n, Step step, Pixel pixel) {
    if (n < P) {
      for (int i = 0; i < n; ++i) d[i] = pixel(s[i], d[i]);
      return;
    }
    V last;
    const bool storeLast = step(s + n - P, d + n - P, &last);
    for (int i = 0; i + P < n; i += P) {
      V out;
      if (step(s + i, d + i, &out)) O::Store(d + i, out);
    }
    if (storeLast) O::Store(d + n - P, last);
  }

  // Alpha 0 leaves the target as it is; alpha 255 replaces it with the
  // texel's colour (alpha byte 255), which needs no arithmetic.
  static void ConstantAlpha(std::uint32_t* d, const std::uint32_t* s, int n, std::uint32_t a) {
    if (a == 0) return;
    if (a == 255) {
      const V alphaBits = O::Splat32(0xFF000000);
      Row(d, s, n,
          [&](const std::uint32_t* sp, const std::uint32_t*, V* out) {
            *out = O::Or(O::Load(sp), alphaBits);
            return true;
          },
          [](std::uint32_t sp, std::uint32_t) { return sp | 0xFF000000u; });
      return;
    }
    const V rgb = O::Splat32(0xFFFFFF), alpha = O::Splat32(a << 24), a16 = O::Splat16(std::uint16_t(a));
    Row(d, s, n,
        [&](const std::uint32_t* sp, const std::uint32_t* dp, V* out) {
          *out = BlendConstant(O::Or(O::And(O::Load(sp), rgb), alpha), O::Load(dp), a16);
          return true;
        },
        [a](std::uint32_t sp, std::uint32_t dp) { return BlendPixel(sp, a, dp); });
  }

  // ConstantAlpha of a row of one colour c: its share of each channel,
  // c * a + 128, is worked out once, and no source row is read.
  static void ConstantColour(std::uint32_t* d, int n, std::uint32_t c, std::uint32_t a) {
    if (a == 0) return;
    const std::uint32_t pixel = (c & 0xFFFFFF) | a << 24;
    int i = 0;
    if (a == 255) {
      const V solid = O::Splat32(pixel);
      for (; i + P <= n; i += P) O::Store(d + i, solid);
      for (; i < n; ++i) d[i] = pixel;
      return;
    }
    const V inverse16 = O::Splat16(std::uint16_t(255 - a));
    const V share = Share16(O::Lo16(O::Splat32(pixel)), O::Splat16(std::uint16_t(a)));
    for (; i + P <= n; i += P) {
      const V dv = O::Load(d + i);
      O::Store(d + i, O::Pack(BlendShared16(share, O::Lo16(dv), inverse16),
                              BlendShared16(share, O::Hi16(dv), inverse16)));
    }
    for (; i < n; ++i) d[i] = BlendPixel(pixel, a, d[i]);
  }

  static void TexelAlpha(std::uint32_t* d, const std::uint32_t* s, int n) {
    const V alphaBits = O::Splat32(0xFF000000);
    Row(d, s, n,
        [&](const std::uint32_t* sp, const std::uint32_t* dp, V* out) {
          const V sv = O::Load(sp);
          const V av = O::And(sv, alphaBits);
          // See-through texels leave the target, opaque ones replace it.
          if (O::All(O::Eq32(av, O::Zero()))) return false;
          if (O::All(O::Eq32(av, alphaBits))) {
            *out = sv;
            return true;
          }
          const V dv = O::Load(dp);
          const V lo = O::Lo16(sv), hi = O::Hi16(sv);
          *out = O::Pack(Blend16(lo, O::Lo16(dv), O::AlphaLanes16(lo)), Blend16(hi, O::Hi16(dv), O::AlphaLanes16(hi)));
          return true;
        },
        [](std::uint32_t sp, std::uint32_t dp) { return BlendPixel(sp, sp >> 24, dp); });
  }

  // TexelAlpha over a target every pixel of which is `under`: nothing of
  // the target is read.
  static void TexelAlphaOver(std::uint32_t* d, const std::uint32_t* s, int n, std::uint32_t under) {
    const V alphaBits = O::Splat32(0xFF000000), underv = O::Splat32(under);
    const V underLo = O::Lo16(underv), underHi = O::Hi16(underv);
    Row(d, s, n,
        [&](const std::uint32_t* sp, const std::uint32_t*, V* out) {
          const V sv = O::Load(sp);
          const V av = O::And(sv, alphaBits);
          if (O::All(O::Eq32(av, O::Zero())))
            *out = underv;
          else if (O::All(O::Eq32(av, alphaBits)))
            *out = sv;
          else {
            const V lo = O::Lo16(sv), hi = O::Hi16(sv);
            *out = O::Pack(Blend16(lo, underLo, O::AlphaLanes16(lo)), Blend16(hi, underHi, O::AlphaLanes16(hi)));
          }
          return true;
        },
        [under](std::uint32_t sp, std::uint32_t) { return BlendPixel(sp, sp >> 24, under); });
  }

  // Alpha 0 leaves the target; 255 leaves each texel its own alpha.
  static void ModulatedAlpha(std::uint32_t* d, const std::uint32_t* s, int n, std::uint32_t a) {
    if (a == 0) return;
    if (a == 255) {
      TexelAlpha(d, s, n);
      return;
    }
    const V alphaBits = O::Splat32(0xFF000000), rgb = O::Splat32(0xFFFFFF), alpha = O::Splat32(a << 24);
    const V a16 = O::Splat16(std::uint16_t(a));
    const V colourLanes = O::Splat64(0x0000FFFFFFFFFFFFULL), alphaLane = O::Splat64(0xFFFF000000000000ULL);
    const auto half = [&](V s16, V d16) {
      const V stageAlpha =
          O::Mulhi16(O::Add16(O::Mullo16(O::AlphaLanes16(s16), a16), O::Splat16(128)), O::Splat16(257));
      return Blend16(O::Or(O::And(s16, colourLanes), O::And(stageAlpha, alphaLane)), d16, stageAlpha);
    };
    // Opaque texels all take the modulating alpha itself, so their share of
    // the blend, c * a + 128 per channel, is worked out once for a run of
    // equal vectors (a plain colour drawn over the screen is one such run).
    const V inverse16 = O::Sub16(O::Splat16(255), a16);
    V opaqueSource = O::Zero(), shareLo = O::Zero(), shareHi = O::Zero();
    Row(d, s, n,
        [&](const std::uint32_t* sp, const std::uint32_t* dp, V* out) {
          const V sv = O::Load(sp);
          const V av = O::And(sv, alphaBits);
          if (O::All(O::Eq32(av, O::Zero()))) return false;
          const V dv = O::Load(dp);
          if (O::All(O::Eq32(av, alphaBits))) {
            if (!O::All(O::Eq32(sv, opaqueSource))) {
              const V c = O::Or(O::And(sv, rgb), alpha);
              shareLo = Share16(O::Lo16(c), a16);
              shareHi = Share16(O::Hi16(c), a16);
              opaqueSource = sv;
            }
            *out = O::Pack(BlendShared16(shareLo, O::Lo16(dv), inverse16),
                           BlendShared16(shareHi, O::Hi16(dv), inverse16));
          } else
            *out = O::Pack(half(O::Lo16(sv), O::Lo16(dv)), half(O::Hi16(sv), O::Hi16(dv)));
          return true;
        },
        [a](std::uint32_t sp, std::uint32_t dp) { return BlendPixel(sp, Mul255(sp >> 24, a), dp); });
  }

  static void Gather(std::uint32_t* d, const std::uint32_t* s, const int* cols, int n, int width) {
    int i = 0;
    for (; i + P <= n; i += P) O::Store(d + i, O::Gather(s, cols + i, width));
    for (; i < n; ++i) d[i] = s[cols[i]];
  }

  // The byte-wise rounded-down mean of two vectors.
  static V MeanBytes(V a, V b) {
    return O::Add32(O::And(a, b), O::Srl32(O::And(O::Xor(a, b), O::Splat32(0xFEFEFEFE)), 1));
  }

  static void HalfOpaque(std::uint32_t* d, const std::uint32_t* s, int n, std::uint32_t skipMask,
                         std::uint32_t skipValue) {
    const V mask = O::Splat32(skipMask), value = O::Splat32(skipValue);
    const V rgb = O::Splat32(0xFFFFFF), alphaBits = O::Splat32(0xFF000000);
    Row(d, s, n,
        [&](const std::uint32_t* sp, const std::uint32_t* dp, V* out) {
          const V sv = O::Load(sp);
          const V skip = O::Eq32(O::And(sv, mask), value);
          if (O::All(skip)) return false;
          const V dv = O::Load(dp);
          *out = O::Select(skip, dv, O::Or(O::And(MeanBytes(sv, dv), rgb), alphaBits));
          return true;
        },
        [=](std::uint32_t sp, std::uint32_t dp) {
          return (sp & skipMask) == skipValue ? dp : 0xFF000000u | (FloorMean(sp, dp) & 0xFFFFFF);
        });
  }

  static void HalfKeyed(std::uint32_t* d, const std::uint32_t* s, int n, std::uint32_t skipMask,
                        std::uint32_t skipValue, std::uint32_t key) {
    const V mask = O::Splat32(skipMask), value = O::Splat32(skipValue), keyV = O::Splat32(key);
    const V rgb = O::Splat32(0xFFFFFF);
    Row(d, s, n,
        [&](const std::uint32_t* sp, const std::uint32_t* dp, V* out) {
          const V sv = O::Load(sp);
          const V skip = O::Eq32(O::And(sv, mask), value);
          if (O::All(skip)) return false;
          const V dv = O::Load(dp);
          const V keyed = O::Eq32(O::And(dv, rgb), keyV);
          const V colour = O::Select(keyed, sv, MeanBytes(sv, dv));
          *out = O::Select(skip, dv, O::Or(O::And(colour, rgb), O::AndNot(rgb, dv)));
          return true;
        },
        [=](std::uint32_t sp, std::uint32_t dp) {
          if ((sp & skipMask) == skipValue) return dp;
          const std::uint32_t colour = (dp & 0xFFFFFF) == key ? sp : FloorMean(sp, dp);
          return (dp & 0xFF000000) | (colour & 0xFFFFFF);
        });
  }
};

}  // namespace blend_kernels
