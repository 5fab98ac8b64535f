// The vector blend loops, SSE2 and (where the processor has it) AVX2, give
// the one-pixel formulas' pixels for every row length and alpha; the keyed
// copies' run copy gives exactly the run.
#include "graphics/blits/blend_rows.h"
#include "graphics/blits/simd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::uint32_t>;

// round(x / 255); x / 255 never ends in exactly one half.
std::uint32_t Round255(std::uint32_t x) { return (x + 127) / 255; }

std::uint32_t Channel(std::uint32_t p, int shift) { return (p >> shift) & 0xFF; }

// The textured quad's blend: colour channels mixed by a, the alpha channel
// mixing a itself.
std::uint32_t Blend(std::uint32_t c, std::uint32_t a, std::uint32_t d) {
  std::uint32_t out = Round255(a * a + Channel(d, 24) * (255 - a)) << 24;
  for (int shift = 0; shift < 24; shift += 8)
    out |= Round255(Channel(c, shift) * a + Channel(d, shift) * (255 - a)) << shift;
  return out;
}

std::uint32_t Mean(std::uint32_t s, std::uint32_t d) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) out |= ((Channel(s, shift) + Channel(d, shift)) / 2) << shift;
  return out;
}

class BlendRowsTest : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    functions = GetParam() == "AVX2" ? BlendRowsAvx2() : &BlendRowsSse2();
    if (!functions) GTEST_SKIP() << "this processor has no AVX2";
  }

  // Rows of every length up to 40, texel alphas drawn from `alphas`
  // (0 and 255 in whole stretches, so the loops' shortcuts are taken too),
  // and a stage alpha for each.
  template <typename Check>
  void ForRows(const std::vector<std::uint32_t>& alphas, Check check) {
    std::mt19937 rng(99);
    for (int n = 0; n <= 40; ++n)
      for (int trial = 0; trial < 20; ++trial) {
        Row s(static_cast<std::size_t>(n)), d(static_cast<std::size_t>(n));
        const std::uint32_t runAlpha = alphas[rng() % alphas.size()];
        for (int i = 0; i < n; ++i) {
          const std::uint32_t alpha = trial % 2 ? runAlpha : alphas[rng() % alphas.size()];
          // Every fifth row is one colour throughout (a plain colour drawn over the screen).
          s[std::size_t(i)] = trial % 5 == 4 && i > 0 ? s[0] : (alpha << 24) | (rng() & 0xFFFFFF);
          d[std::size_t(i)] = std::uint32_t(rng());
        }
        // Stage alphas 0 and 255 take shortcuts of their own.
        const std::uint32_t stageAlphas[] = {0, 255, std::uint32_t(rng() % 256), std::uint32_t(rng() % 256)};
        check(s, d, stageAlphas[trial % 4]);
      }
  }

  const BlendRowFunctions* functions = nullptr;
};

const std::vector<std::uint32_t> kAlphas = {0, 255, 0, 255, 1, 127, 128, 254, 77};

TEST_P(BlendRowsTest, QuadBlendsRoundAsTheOnePixelFormula) {
  ForRows(kAlphas, [&](const Row& s, const Row& d, std::uint32_t a) {
    const int n = int(s.size());
    Row out = d, expected(s.size());
    functions->constantAlpha(out.data(), s.data(), n, a);
    for (std::size_t i = 0; i < s.size(); ++i) expected[i] = Blend(s[i], a, d[i]);
    ASSERT_EQ(out, expected) << "constant alpha " << a << ", " << n << " pixels";

    if (n > 0) {
      out = d;
      functions->constantColour(out.data(), n, s[0], a);
      for (std::size_t i = 0; i < s.size(); ++i) expected[i] = Blend(s[0], a, d[i]);
      ASSERT_EQ(out, expected) << "constant colour at alpha " << a << ", " << n << " pixels";
    }

    out = d;
    functions->texelAlpha(out.data(), s.data(), n);
    for (std::size_t i = 0; i < s.size(); ++i) expected[i] = Blend(s[i], s[i] >> 24, d[i]);
    ASSERT_EQ(out, expected) << "texel alpha, " << n << " pixels";

    // Over a row of one colour that is never read (the row given holds another).
    const std::uint32_t under = n > 0 ? d[0] : 0x12345678;
    out = d;
    functions->texelAlphaOver(out.data(), s.data(), n, under);
    for (std::size_t i = 0; i < s.size(); ++i) expected[i] = Blend(s[i], s[i] >> 24, under);
    ASSERT_EQ(out, expected) << "texel alpha over one colour, " << n << " pixels";

    out = d;
    functions->modulatedAlpha(out.data(), s.data(), n, a);
    for (std::size_t i = 0; i < s.size(); ++i) expected[i] = Blend(s[i], Round255((s[i] >> 24) * a), d[i]);
    ASSERT_EQ(out, expected) << "modulated alpha " << a << ", " << n << " pixels";
  });
}

TEST_P(BlendRowsTest, HalfMixesTakeTheRoundedDownMeanAndSkipTransparentSources) {
  ForRows(kAlphas, [&](const Row& s, Row d, std::uint32_t key) {
    const int n = int(s.size());
    // Direct3D: alpha 0 is see-through, the result opaque.
    Row out = d, expected(s.size());
    functions->halfOpaque(out.data(), s.data(), n, 0xFF000000, 0);
    for (std::size_t i = 0; i < s.size(); ++i) expected[i] = (s[i] >> 24) == 0 ? d[i] : 0xFF000000 | Mean(s[i], d[i]);
    ASSERT_EQ(out, expected) << n << " pixels";
    // DirectDraw: a source equal to the key is left out, a destination
    // equal to it takes the source; the top byte stays.
    const std::uint32_t keyColour = key * 0x010101;
    for (std::size_t i = 0; i < s.size(); i += 3) d[i] = (d[i] & 0xFF000000) | keyColour;
    Row sKeyed = s;
    for (std::size_t i = 1; i < s.size(); i += 4) sKeyed[i] = keyColour;
    out = d;
    functions->halfKeyed(out.data(), sKeyed.data(), n, 0xFFFFFF, keyColour, keyColour);
    for (std::size_t i = 0; i < s.size(); ++i) {
      const std::uint32_t sp = sKeyed[i], dp = d[i];
      if ((sp & 0xFFFFFF) == keyColour)
        expected[i] = dp;
      else
        expected[i] = (dp & 0xFF000000) | ((dp & 0xFFFFFF) == keyColour ? sp & 0xFFFFFF : Mean(sp, dp));
    }
    ASSERT_EQ(out, expected) << n << " pixels, key " << keyColour;
  });
}

TEST_P(BlendRowsTest, GathersTakeTheSampledColumnsEvenAtTheRowsEnd) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 400; ++trial) {
    const int width = 1 + int(rng() % 40), n = int(rng() % 40);
    Row s(static_cast<std::size_t>(width));
    for (auto& p : s) p = std::uint32_t(rng());
    // Stretched, shrunk, mirrored or scattered columns.
    std::vector<int> cols(static_cast<std::size_t>(n));
    const int kind = trial % 4, step = 1 + int(rng() % 3);
    for (int i = 0; i < n; ++i) {
      const int stretched = i * width / std::max(n, 1), shrunk = i * step % width;
      const int column = kind == 0 ? stretched : kind == 1 ? shrunk : kind == 2 ? width - 1 - stretched : int(rng() % width);
      cols[std::size_t(i)] = column;
    }
    Row out(static_cast<std::size_t>(n) + 1, 0xABCDEF01), expected = out;
    functions->gather(out.data(), s.data(), cols.data(), n, width);
    for (int i = 0; i < n; ++i) expected[std::size_t(i)] = s[std::size_t(cols[std::size_t(i)])];
    ASSERT_EQ(out, expected) << "kind " << kind << ", width " << width << ", " << n << " pixels";
  }
}

// The keyed copies' run copy, inline for short runs and with aligned stores
// for long ones: exactly the run's bytes, for every length and every
// placement of source and destination within sixteen bytes, whether or not
// it readies a next row (beyond the buffer here).
TEST(RunCopy, CopiesExactlyTheRunAtEveryLengthAndPlacement) {
  std::vector<std::uint8_t> from(kLongRunBytes + 80), to(kLongRunBytes + 100);
  for (std::size_t i = 0; i < from.size(); ++i) from[i] = std::uint8_t(i * 7 + 1);
  // Every length around the inline copy's and the long runs' bounds.
  const auto nextLength = [](std::size_t bytes) { return bytes < 200 || bytes >= kLongRunBytes - 40 ? 1 : 61; };
  for (std::size_t bytes = 0; bytes <= kLongRunBytes + 40; bytes += nextLength(bytes))
    for (std::size_t sourceAt = 0; sourceAt < 16; ++sourceAt)
      for (std::size_t at = 0; at < 16; ++at) {
        std::fill(to.begin(), to.end(), 0xEE);
        CopyRunBytes(to.data() + at, from.data() + sourceAt, bytes, at % 2 ? 0 : to.size());
        std::vector<std::uint8_t> expected(to.size(), 0xEE);
        std::copy_n(from.begin() + long(sourceAt), bytes, expected.begin() + long(at));
        ASSERT_EQ(to, expected) << bytes << " bytes from " << sourceAt << " to " << at;
      }
}

TEST(BlendRowsChoice, TheDrawingCallsUseTheWidestLoops) {
  EXPECT_EQ(BlendRows().constantAlpha,
            BlendRowsAvx2() ? BlendRowsAvx2()->constantAlpha : BlendRowsSse2().constantAlpha);
}

INSTANTIATE_TEST_SUITE_P(InstructionSets, BlendRowsTest, testing::Values("SSE2", "AVX2"),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
