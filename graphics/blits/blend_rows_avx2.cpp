// The blend loops on AVX2: eight pixels a step. This file alone is built for
// AVX2 (graphics/CMakeLists.txt); nothing in it runs before
// BlendRowsAvx2 has found the instructions on the processor.
#include <immintrin.h>

#include "graphics/blits/blend_row_kernels.h"
#include "graphics/blits/blend_rows.h"

namespace {

struct Avx2 {
  using V = __m256i;
  static constexpr int kPixels = 8;
  static V Load(const std::uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
  static void Store(std::uint32_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
  static V Zero() { return _mm256_setzero_si256(); }
  static V Splat32(std::uint32_t x) { return _mm256_set1_epi32(int(x)); }
  static V Splat16(std::uint16_t x) { return _mm256_set1_epi16(short(x)); }
  static V Splat64(std::uint64_t x) { return _mm256_set1_epi64x((long long)x); }
  static V And(V a, V b) { return _mm256_and_si256(a, b); }
  static V AndNot(V a, V b) { return _mm256_andnot_si256(a, b); }
  static V Or(V a, V b) { return _mm256_or_si256(a, b); }
  static V Xor(V a, V b) { return _mm256_xor_si256(a, b); }
  static V Select(V mask, V a, V b) { return _mm256_blendv_epi8(b, a, mask); }
  static V Add32(V a, V b) { return _mm256_add_epi32(a, b); }
  static V Srl32(V a, int n) { return _mm256_srli_epi32(a, n); }
  static V Eq32(V a, V b) { return _mm256_cmpeq_epi32(a, b); }
  static bool All(V mask) { return _mm256_movemask_epi8(mask) == -1; }
  // Widening and packing work within each 128-bit half, and so undo each other.
  static V Lo16(V v) { return _mm256_unpacklo_epi8(v, Zero()); }
  static V Hi16(V v) { return _mm256_unpackhi_epi8(v, Zero()); }
  static V Pack(V lo, V hi) { return _mm256_packus_epi16(lo, hi); }
  static V Add16(V a, V b) { return _mm256_add_epi16(a, b); }
  static V Sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
  static V Mullo16(V a, V b) { return _mm256_mullo_epi16(a, b); }
  static V Mulhi16(V a, V b) { return _mm256_mulhi_epu16(a, b); }
  static V AlphaLanes16(V v) { return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(v, 0xFF), 0xFF); }
  // Eight samples within eight neighbouring pixels (a stretch, a 1:1 or a
  // mirrored row) come from one load and a permutation; others are
  // gathered one by one.
  static V Gather(const std::uint32_t* s, const int* cols, int width) {
    const V columns = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cols));
    const int base = cols[0] < cols[7] ? cols[0] : cols[7];
    const V offsets = _mm256_sub_epi32(columns, _mm256_set1_epi32(base));
    const V outside = _mm256_or_si256(_mm256_cmpgt_epi32(offsets, _mm256_set1_epi32(7)),
                                      _mm256_cmpgt_epi32(Zero(), offsets));
    if (base + 8 <= width && _mm256_testz_si256(outside, outside))
      return _mm256_permutevar8x32_epi32(Load(s + base), offsets);
    return _mm256_i32gather_epi32(reinterpret_cast<const int*>(s), columns, 4);
  }
};

using K = blend_kernels::Kernels<Avx2>;

}  // namespace

const BlendRowFunctions* BlendRowsAvx2() {
  static const BlendRowFunctions functions{&K::ConstantAlpha,  &K::ConstantColour, &K::TexelAlpha,
                                           &K::TexelAlphaOver, &K::ModulatedAlpha, &K::HalfOpaque,
                                           &K::HalfKeyed,      &K::Gather};
  static const bool available = __builtin_cpu_supports("avx2");
  return available ? &functions : nullptr;
}
