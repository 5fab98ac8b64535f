// Keyed blits through a source's cached runs of drawn pixels draw exactly
// what the pixel-by-pixel paths draw, and every change of the source shows
// in the next blit.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/device/device_restore.h"
#include "graphics/effects/blend.h"
#include "graphics/surfaces/pixel_buffer.h"
#include "platform/presenter.h"
#include "tests/graphics/effect_test_support.h"

using effect_test::Mode;
using effect_test::TestSurface;

namespace {

using Pixels = std::vector<std::uint32_t>;

void Write(TestSurface& s, const std::function<std::uint32_t(int, int)>& pixel) {
  cSurfaceLock lock;
  ASSERT_TRUE(lock.Lock(&s.sd));
  for (int y = 0; y < s.sd.nHeight; ++y)
    for (int x = 0; x < s.sd.nWidth; ++x) {
      if (lock.BitsPerPixel() == 8)
        lock.Row8(y)[x] = static_cast<std::uint8_t>(pixel(x, y));
      else
        lock.Row32(y)[x] = pixel(x, y);
    }
}

Pixels Read(TestSurface& s) {
  Pixels out;
  cSurfaceLock lock;
  if (!lock.Lock(&s.sd)) return out;
  for (int y = 0; y < s.sd.nHeight; ++y)
    for (int x = 0; x < s.sd.nWidth; ++x) out.push_back(lock.BitsPerPixel() == 8 ? lock.Row8(y)[x] : lock.Row32(y)[x]);
  return out;
}

class OpaqueRunsTest : public effect_test::DeviceTest {
 protected:
  std::mt19937 rng{1234};

  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

  // The see-through pixel of the mode (the colour key, or alpha 0).
  std::uint32_t SeeThrough() const { return IsD3D() ? 0u : g_DDState.dwColorKey & (Is8() ? 0xFFu : 0xFFFFFFu); }
  bool IsSeeThrough(std::uint32_t p) const {
    if (IsD3D()) return (p >> 24) == 0;
    return Is8() ? p == (g_DDState.dwColorKey & 0xFF) : (p & 0xFFFFFF) == (g_DDState.dwColorKey & 0xFFFFFF);
  }
  // A drawn pixel of the mode, never the key; Direct3D ones are opaque
  // unless `partial`.
  std::uint32_t Drawn(bool partial) {
    for (;;) {
      std::uint32_t p = std::uint32_t(rng());
      if (Is8())
        p &= 0xFF;
      else if (IsD3D())
        p = partial ? (p | 0x01000000u) : (p | 0xFF000000u);
      else
        p &= 0xFFFFFF;
      if (!IsSeeThrough(p)) return p;
    }
  }

  // A sheet of runs: see-through and drawn stretches of random lengths,
  // mostly one or the other as `density` says; in Direct3D some drawn
  // stretches are partly transparent unless `opaqueOnly`.
  void RandomSheet(TestSurface& sheet, double density, bool opaqueOnly = false) {
    const int w = sheet.sd.nWidth;
    Pixels pixels(std::size_t(w) * sheet.sd.nHeight);
    std::size_t i = 0;
    while (i < pixels.size()) {
      const bool drawn = std::uniform_real_distribution<double>(0, 1)(rng) < density;
      const bool partial = IsD3D() && !opaqueOnly && Uniform(0, 3) == 0;
      for (int n = Uniform(1, 12); n > 0 && i < pixels.size(); --n, ++i) pixels[i] = drawn ? Drawn(partial) : SeeThrough();
    }
    Write(sheet, [&](int x, int y) { return pixels[std::size_t(y) * w + x]; });
  }

  void Background(TestSurface& dst) {
    Write(dst, [&](int x, int y) { return Opaque(std::uint32_t(x * 7 + y * 13 + 5)); });
  }
};

// Every kind of blit that reads runs, with random rectangles reaching past
// every edge of both surfaces: the first blit after the sheet was written
// tests pixels one by one, the next ones go through the runs.
TEST_P(OpaqueRunsTest, RunsDrawWhatThePixelPathsDraw) {
  TestSurface sheet(67, 23), dst(80, 50);
  TestSurface systemSheet(67, 23, /*systemMemory=*/true);
  for (int trial = 0; trial < 120; ++trial) {
    g_DDState.dwColorKey = std::uint32_t(rng()) & (Is8() ? 0xFF : 0xFFFFFF);
    const double density = std::vector<double>{0.05, 0.5, 0.95}[std::size_t(trial % 3)];
    const int kind = trial / 3 % 5;
    TestSurface& source = kind == 4 && IsD3D() ? systemSheet : sheet;
    RandomSheet(source, density);
    const int x = Uniform(-20, 70), y = Uniform(-15, 45), sx = Uniform(-6, 60), sy = Uniform(-4, 20);
    const int w = Uniform(1, 60), h = Uniform(1, 30);
    int sw = w, sh = h;
    if (kind == 1 || kind == 2) {  // stretched, shrunk, and (Direct3D) mirrored
      sw = Uniform(1, 40);
      sh = Uniform(1, 20);
      if (kind == 2 && IsD3D()) sw = -sw;
    }
    const auto draw = [&] {
      Background(dst);
      if (kind >= 3)
        DDBltHalf(&dst.sd, x, y, w, h, &source.sd, sx, sy, 1, g_BlendTable);
      else if (kind == 0)
        DDBlt(&dst.sd, x, y, w, h, &source.sd, sx, sy, 1);
      else
        DDBltStretch(&dst.sd, x, y, w, h, &source.sd, sx, sy, sw, sh, 1);
      return Read(dst);
    };
    const Pixels plain = draw();
    ASSERT_EQ(draw(), plain) << "trial " << trial << " kind " << kind;
    ASSERT_EQ(draw(), plain) << "trial " << trial << " kind " << kind;
  }
}

// An opaque blit of a keyed sheet in Direct3D clears its rectangle before
// drawing: the clear written only into the gaps between runs copied
// outright, and under texels that blend (partial alpha, a draw colour with
// alpha or a tint), leaves what a whole clear and a keyed blit leave.
TEST_P(OpaqueRunsTest, OpaqueBlitOfAKeyedSheetClearsWhatAWholeClearClears) {
  if (!IsD3D()) GTEST_SKIP() << "only Direct3D clears under opaque blits";
  TestSurface sheet(67, 23), dst(80, 50);
  const std::uint32_t drawColours[] = {0xFFFFFFFF, 0x80FFFFFF, 0xFF8040C0};
  for (int trial = 0; trial < 90; ++trial) {
    RandomSheet(sheet, std::vector<double>{0.05, 0.5, 0.95}[std::size_t(trial % 3)]);
    DDSetDrawColor(drawColours[trial / 3 % 3]);
    int x = Uniform(-20, 70), y = Uniform(-15, 45), sx = Uniform(-6, 60), sy = Uniform(-4, 20);
    int w = Uniform(1, 60), h = Uniform(1, 30);
    int sw = w, sh = h;
    if (trial / 9 % 3 > 0) {  // stretched or shrunk, then also mirrored
      sw = Uniform(1, 40) * (trial / 9 % 3 == 2 ? -1 : 1);
      sh = Uniform(1, 20);
    }
    const auto opaqueBlit = [&] {
      Background(dst);
      DDBltStretch(&dst.sd, x, y, w, h, &sheet.sd, sx, sy, sw, sh, 0);
      return Read(dst);
    };
    // The first blit after the sheet was written tests texels one by one,
    // the later ones go through the runs.
    const Pixels firstBlit = opaqueBlit();
    Background(dst);
    int cx = x, cy = y, cw = w, ch = h, csx = sx, csy = sy, csw = sw, csh = sh;
    if (DDClipBlt(&dst.sd, &cx, &cy, &cw, &ch, &sheet.sd, &csx, &csy, &csw, &csh))
      DDFillRectRGB(&dst.sd, cx, cy, cw, ch, lpDTCon->dwClearColor);
    DDBltStretch(&dst.sd, x, y, w, h, &sheet.sd, sx, sy, sw, sh, 1);
    const Pixels clearedThenKeyed = Read(dst);
    ASSERT_EQ(firstBlit, clearedThenKeyed) << "trial " << trial;
    for (int pass = 0; pass < 2; ++pass) ASSERT_EQ(opaqueBlit(), clearedThenKeyed) << "trial " << trial;
  }
  DDResetDrawColor();
}

// The keyed copy of the whole sheet at (1, 1), from the sheet's pixels.
Pixels KeyedCopy(const Pixels& background, const Pixels& sheet, int sheetW, int dstW,
                 const std::function<bool(std::uint32_t)>& seeThrough) {
  Pixels out = background;
  for (std::size_t i = 0; i < sheet.size(); ++i) {
    const int x = int(i % std::size_t(sheetW)), y = int(i / std::size_t(sheetW));
    if (!seeThrough(sheet[i])) out[std::size_t(y + 1) * dstW + x + 1] = sheet[i];
  }
  return out;
}

TEST_P(OpaqueRunsTest, EveryChangeOfTheSheetShowsInTheNextBlit) {
  TestSurface sheet(40, 12), dst(48, 16), other(40, 12);
  g_DDState.dwColorKey = Is8() ? 3 : 0x00FF00;
  const auto seeThrough = [this](std::uint32_t p) { return IsSeeThrough(p); };
  const auto check = [&](const char* after) {
    Background(dst);
    const Pixels background = Read(dst);
    // Twice, so that the second blit surely reads the runs.
    DDBlt(&dst.sd, 1, 1, 40, 12, &sheet.sd, 0, 0, 1);
    Background(dst);
    DDBlt(&dst.sd, 1, 1, 40, 12, &sheet.sd, 0, 0, 1);
    EXPECT_EQ(Read(dst), KeyedCopy(background, Read(sheet), 40, 48, seeThrough)) << "after " << after;
  };
  RandomSheet(sheet, 0.5, true);
  check("the first write");
  // A pixel written through a lock, one drawn over by a blit and a fill.
  sheet.Set(5, 5, SeeThrough());
  sheet.Set(6, 5, Drawn(false));
  check("a lock");
  RandomSheet(other, 0.5, true);
  DDBlt(&sheet.sd, 10, 2, 20, 6, &other.sd, 0, 0, 0);
  check("a blit onto the sheet");
  DDFillRect(&sheet.sd, 0, 0, 8, 3, 0);
  check("a fill");
  if (!IsD3D()) {
    g_DDState.dwColorKey = Is8() ? 9 : 0x123456;
    sheet.Set(0, 0, SeeThrough());
    check("a key change");
    g_DDState.dwColorKey = Is8() ? 3 : 0x00FF00;
    check("the key changing back");
  }
  // Writes through a lock held open across blits from the sheet.
  {
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(&sheet.sd));
    const auto put = [&](int x, std::uint32_t p) {
      if (Is8())
        lock.Row8(7)[x] = std::uint8_t(p);
      else
        lock.Row32(7)[x] = p;
    };
    put(3, SeeThrough());
    DDBlt(&dst.sd, 1, 1, 40, 12, &sheet.sd, 0, 0, 1);
    DDBlt(&dst.sd, 1, 1, 40, 12, &sheet.sd, 0, 0, 1);
    put(4, SeeThrough());
    put(20, Drawn(false));
  }
  check("writes through an open lock");
}

TEST_P(OpaqueRunsTest, RestoredTexturesDrawTheirNewPixels) {
  if (!IsD3D()) GTEST_SKIP() << "the Direct3D device is what is reset";
  TestSurface dst(48, 16);
  TestSurface target(40, 12), system(40, 12, /*systemMemory=*/true);
  const auto seeThrough = [this](std::uint32_t p) { return IsSeeThrough(p); };
  RandomSheet(target, 0.5, true);
  RandomSheet(system, 0.5, true);
  for (TestSurface* sheet : {&target, &system})
    for (int i = 0; i < 2; ++i) DDBlt(&dst.sd, 1, 1, 40, 12, &sheet->sd, 0, 0, 1);
  platform::Presenter& presenter = platform::GetPresenter();
  presenter.SimulateDeviceLost();
  presenter.SimulateDeviceResettable();
  ASSERT_EQ(DDRestoreSurface(), 1);
  RandomSheet(target, 0.3, true);  // a render target comes back empty; its owner draws it again
  for (TestSurface* sheet : {&target, &system}) {
    Background(dst);
    const Pixels background = Read(dst);
    for (int i = 0; i < 2; ++i) DDBlt(&dst.sd, 1, 1, 40, 12, &sheet->sd, 0, 0, 1);
    EXPECT_EQ(Read(dst), KeyedCopy(background, Read(*sheet), 40, 48, seeThrough));
  }
}

// A Clear with the value that a Clear left is not written again, but any
// write since, or a writer open when the buffer was cleared, makes the next
// Clear write every pixel.
TEST(PixelBufferFill, EveryWriteSinceMakesTheNextClearWriteAgain) {
  const std::function<void(cPixelBuffer&)> writes[] = {
      [](cPixelBuffer& b) { b.Row32(3)[2] = 9; },
      [](cPixelBuffer& b) { static_cast<std::uint32_t*>(b.Bits())[7] = 9; },
      [](cPixelBuffer& b) { b = cPixelBuffer(b), b.Row32(0)[0] = 9; },
      [](cPixelBuffer& b) { b.Allocate(8, 4, 4); },
      // A lock that writes after the Clear it was open across.
      [](cPixelBuffer& b) {
        b.OpenWriter();
        auto* bits = static_cast<std::uint32_t*>(b.Bits());
        b.Clear(5);
        bits[1] = 9;
        b.CloseWriter();
      },
  };
  for (const auto& write : writes) {
    cPixelBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(8, 4, 4));
    buffer.Clear(5);
    write(buffer);
    buffer.Clear(5);
    const cPixelBuffer& read = buffer;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 8; ++x) ASSERT_EQ(read.Row32(y)[x], 5u) << x << "," << y;
  }
  cPixelBuffer indexed;
  ASSERT_TRUE(indexed.Allocate(6, 2, 1));
  indexed.Clear(0x1205);  // the low byte only, in both Clears
  indexed.Row8(1)[4] = 9;
  indexed.Clear(5);
  EXPECT_EQ(static_cast<const cPixelBuffer&>(indexed).Row8(1)[4], 5);
}

// A Clear is written when the pixels are first accessed: whatever reads
// them first (a const row, the bits, a copy, a lock) sees the value of the
// last Clear, and only a Clear still owed can be taken by a caller that
// writes every pixel itself. Small buffers and large ones (fresh pages from
// the system) alike.
TEST(PixelBufferFill, AClearNotYetWrittenIsWhatEveryAccessSees) {
  for (const std::pair<int, int>& size : {std::pair{8, 4}, std::pair{256, 128}}) {
    const int width = size.first, height = size.second;
    SCOPED_TRACE(width);
    const auto everyPixelIs = [](const cPixelBuffer& b, std::uint32_t value) {
      const auto* bits = static_cast<const std::uint32_t*>(b.Bits());
      return std::all_of(bits, bits + b.Pitch() * b.Height(), [value](std::uint32_t p) { return p == value; });
    };
    const std::function<bool(cPixelBuffer&)> firstAccesses[] = {
        [&](cPixelBuffer& b) { return std::as_const(b).Row32(height - 1)[width - 1] == 6 && everyPixelIs(b, 6); },
        [&](cPixelBuffer& b) { return everyPixelIs(cPixelBuffer(b), 6); },
        [&](cPixelBuffer& b) {
          cPixelBuffer other;
          other = b;
          return everyPixelIs(other, 6);
        },
        [&](cPixelBuffer& b) {
          b.OpenWriter();
          const bool seen = static_cast<std::uint32_t*>(b.Bits())[9] == 6;
          b.CloseWriter();
          return seen && everyPixelIs(b, 6);
        },
        [&](cPixelBuffer& b) { return b.Row32(0)[0] == 6 && everyPixelIs(b, 6); },
    };
    for (const auto& access : firstAccesses) {
      cPixelBuffer buffer;
      ASSERT_TRUE(buffer.Allocate(width, height, 4));
      buffer.Clear(5);
      buffer.Clear(6);  // the first is never written
      EXPECT_TRUE(access(buffer));
      EXPECT_FALSE(buffer.TakeUnwrittenFill().has_value());
    }
    cPixelBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(width, height, 4));
    EXPECT_FALSE(buffer.TakeUnwrittenFill().has_value());
    buffer.Clear(6);
    EXPECT_EQ(buffer.TakeUnwrittenFill(), std::optional<std::uint32_t>(6));
    EXPECT_FALSE(buffer.TakeUnwrittenFill().has_value());
    // Taken, the fill was never written; a Clear with its value is made again.
    EXPECT_TRUE(everyPixelIs(buffer, 0));
    buffer.Clear(6);
    EXPECT_TRUE(everyPixelIs(buffer, 6));
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, OpaqueRunsTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace
