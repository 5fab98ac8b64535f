// The blend loops on SSE2, which every x86-64 processor has.
#include <emmintrin.h>

#include "graphics/blits/blend_row_kernels.h"
#include "graphics/blits/blend_rows.h"

namespace {

struct Sse2 {
  using V = __m128i;
  static constexpr int kPixels = 4;
  static V Load(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
  static void Store(std::uint32_t* p, V v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
  static V Zero() { return _mm_setzero_si128(); }
  static V Splat32(std::uint32_t x) { return _mm_set1_epi32(int(x)); }
  static V Splat16(std::uint16_t x) { return _mm_set1_epi16(short(x)); }
  static V Splat64(std::uint64_t x) { return _mm_set1_epi64x((long long)x); }
  static V And(V a, V b) { return _mm_and_si128(a, b); }
  static V AndNot(V a, V b) { return _mm_andnot_si128(a, b); }
  static V Or(V a, V b) { return _mm_or_si128(a, b); }
  static V Xor(V a, V b) { return _mm_xor_si128(a, b); }
  static V Select(V mask, V a, V b) { return Or(And(mask, a), AndNot(mask, b)); }
  static V Add32(V a, V b) { return _mm_add_epi32(a, b); }
  static V Srl32(V a, int n) { return _mm_srli_epi32(a, n); }
  static V Eq32(V a, V b) { return _mm_cmpeq_epi32(a, b); }
  static bool All(V mask) { return _mm_movemask_epi8(mask) == 0xFFFF; }
  static V Lo16(V v) { return _mm_unpacklo_epi8(v, Zero()); }
  static V Hi16(V v) { return _mm_unpackhi_epi8(v, Zero()); }
  static V Pack(V lo, V hi) { return _mm_packus_epi16(lo, hi); }
  static V Add16(V a, V b) { return _mm_add_epi16(a, b); }
  static V Sub16(V a, V b) { return _mm_sub_epi16(a, b); }
  static V Mullo16(V a, V b) { return _mm_mullo_epi16(a, b); }
  static V Mulhi16(V a, V b) { return _mm_mulhi_epu16(a, b); }
  // Each pixel's alpha lane copied into its four lanes.
  static V AlphaLanes16(V v) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xFF), 0xFF); }
  static V Gather(const std::uint32_t* s, const int* cols, int) {
    return _mm_setr_epi32(int(s[cols[0]]), int(s[cols[1]]), int(s[cols[2]]), int(s[cols[3]]));
  }
};

using K = blend_kernels::Kernels<Sse2>;

}  // namespace

const BlendRowFunctions& BlendRowsSse2() {
  static const BlendRowFunctions functions{&K::ConstantAlpha,  &K::ConstantColour, &K::TexelAlpha,
                                           &K::TexelAlphaOver, &K::ModulatedAlpha, &K::HalfOpaque,
                                           &K::HalfKeyed,      &K::Gather};
  return functions;
}

const BlendRowFunctions& BlendRows() {
  static const BlendRowFunctions& best = BlendRowsAvx2() ? *BlendRowsAvx2() : BlendRowsSse2();
  return best;
}
