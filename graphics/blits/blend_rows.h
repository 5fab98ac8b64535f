#pragma once
// The inner loops of the 32-bit blends: the textured quad's blend at a
// constant, texel or modulated alpha (rounding as graphics/blits/quad.h
// states), the half-and-half mix of the locked-pixel paths, and the
// nearest-sample gather that feeds the stretches. Each runs
// in the widest vector unit the processor has: SSE2 everywhere, AVX2 where
// the processor offers it (chosen once at start). The build targets the
// baseline processor, so the AVX2 loops live in a file of their own built
// for AVX2 and are only called after the processor said it has it. Every
// variant gives exactly the pixels of the one-pixel formulas.

#include <cstdint>

struct BlendRowFunctions {
  // d[i] = blend of s[i] with alpha a (0..255) over d[i]; s's alpha byte is
  // not read.
  void (*constantAlpha)(std::uint32_t* d, const std::uint32_t* s, int n, std::uint32_t a);
  // The same for a source row of one colour c (its alpha byte not read).
  void (*constantColour)(std::uint32_t* d, int n, std::uint32_t c, std::uint32_t a);
  // The same with each texel's own alpha.
  void (*texelAlpha)(std::uint32_t* d, const std::uint32_t* s, int n);
  // texelAlpha over a row every pixel of which is `under`, which is not read.
  void (*texelAlphaOver)(std::uint32_t* d, const std::uint32_t* s, int n, std::uint32_t under);
  // The same with round(texel alpha * a / 255).
  void (*modulatedAlpha)(std::uint32_t* d, const std::uint32_t* s, int n, std::uint32_t a);
  // Half-and-half mix, Direct3D: a source pixel whose masked bits equal
  // skipValue leaves d; others give 0xFF000000 | the rounded-down mean of
  // the red, green and blue bytes.
  void (*halfOpaque)(std::uint32_t* d, const std::uint32_t* s, int n, std::uint32_t skipMask,
                     std::uint32_t skipValue);
  // Half-and-half mix, DirectDraw at 32 bits: skipped source pixels as
  // above; a destination whose red, green and blue equal `key` takes the
  // source's; others the mean. The destination's top byte stays.
  void (*halfKeyed)(std::uint32_t* d, const std::uint32_t* s, int n, std::uint32_t skipMask, std::uint32_t skipValue,
                    std::uint32_t key);
  // d[i] = s[cols[i]] for columns 0 <= cols[i] < width.
  void (*gather)(std::uint32_t* d, const std::uint32_t* s, const int* cols, int n, int width);
};

// The functions every drawing call uses: the widest available.
const BlendRowFunctions& BlendRows();
// The variants by instruction set, for tests and benchmarks; AVX2 is
// nullptr on a processor without it.
const BlendRowFunctions& BlendRowsSse2();
const BlendRowFunctions* BlendRowsAvx2();
