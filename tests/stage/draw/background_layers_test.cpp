// Background layers: tiling from the scrolled origin with parallax and auto
// scroll, colour 16 where no layer draws, and the wrapping of auto-scroll
// offsets.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "definitions/stage/stage_parts.h"
#include "graphics/blits/fill.h"
#include "graphics/images/bitmap_table.h"
#include "stage/draw/layers/background_layers.h"
#include "stage/draw/layers/layer_motion.h"
#include "stage/scroll/scroll_axis.h"
#include "tests/graphics/effect_test_support.h"

namespace {

using effect_test::BackPixel;
using effect_test::Mode;

class BackgroundLayersTest : public effect_test::DeviceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(effect_test::StartDevice(GetParam(), 640, 480));
    picture = &g_BmpSD[kBackgroundLayerBitmap];
    ASSERT_TRUE(DDCreateSurface(picture, 100, 60, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(picture));
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 100; ++x) {
        const std::uint32_t v = PictureValue(x, y);
        if (lock.BitsPerPixel() == 8) lock.Row8(y)[x] = static_cast<std::uint8_t>(v);
        else lock.Row32(y)[x] = Opaque(v);
      }
    scrollX.base = 320;
    scrollY.base = 320;
  }
  void TearDown() override {
    DDReleaseSurface(picture);
    DDRelease();
  }
  // Every value is opaque and never the colour key 0.
  static std::uint32_t PictureValue(int x, int y) { return 1 + static_cast<std::uint32_t>((x * 7 + y * 3) % 200); }
  std::uint32_t Expected(std::uint32_t v) const { return Is8() ? v : Opaque(v) & 0xFFFFFF; }

  DDSURFACEDATA* picture = nullptr;
  ScrollAxis scrollX, scrollY;
};

// Every pixel of the back buffer as BackPixel reads it.
std::vector<std::uint32_t> BackPixels() {
  std::vector<std::uint32_t> pixels;
  cSurfaceLock lock;
  if (!lock.Lock(&BackBuffer)) return pixels;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      pixels.push_back(lock.BitsPerPixel() == 8 ? lock.Row8(y)[x] : lock.Row32(y)[x] & 0xFFFFFF);
  return pixels;
}

TEST_P(BackgroundLayersTest, TilesFromTheScrolledOriginWithParallaxAndAutoScroll) {
  cVector<cEdBackground> layers(1);
  cEdBackground& layer = layers[0];
  layer.RateX = 0.5;
  layer.RateY = 0.25;
  layer.AutoX = 1;
  layer.OffsetX = 7.75;
  scrollX.position = 1000.6;  // trunc(1001.1) - 320 = 681, x 0.5 + 7.75 = 348.25
  scrollY.position = 560.9;   // trunc(560.9) - 320 = 240, x 0.25 = 60
  EXPECT_EQ(LayerOriginX(layer, scrollX), 348);
  EXPECT_EQ(LayerOriginY(layer, scrollY), 60);
  DrawBackgroundLayers(layers, 0, scrollX, scrollY);
  for (auto [x, y] : {std::pair{0, 0}, {51, 0}, {52, 0}, {639, 479}, {300, 59}, {300, 60}, {152, 200}})
    EXPECT_EQ(BackPixel(x, y), Expected(PictureValue((48 + x) % 100, y % 60))) << x << "," << y;

  // A still layer (factor 0) keeps its place while the stage scrolls.
  layer.RateX = 0;
  layer.AutoX = 0;
  scrollX.position = 5000;
  EXPECT_EQ(LayerOriginX(layer, scrollX), 0);
}

TEST_P(BackgroundLayersTest, ColourSixteenWhereNoLayerDraws) {
  cVector<cEdBackground> layers(2);
  layers[0].Show = 0;
  layers[1].Pass = 1;
  DrawBackgroundLayers(layers, 0, scrollX, scrollY);
  const std::uint32_t empty = BackPixel(10, 10);
  if (Is8()) { EXPECT_EQ(empty, 16u); }
  // A layer whose picture did not load (layer 2 has none) counts as not drawn.
  cVector<cEdBackground> missing(3);
  missing[0].Show = 0;
  missing[1].Show = 0;
  DDFillRect(&BackBuffer, 0, 0, 640, 480, 5);
  DrawBackgroundLayers(missing, 0, scrollX, scrollY);
  if (Is8()) { EXPECT_EQ(BackPixel(600, 400), 16u); }
  // A fill layer covers the screen with its colour.
  layers[0].Show = 1;
  layers[0].Fill = 1;
  layers[0].FillColour = 5;
  DrawBackgroundLayers(layers, 0, scrollX, scrollY);
  if (Is8()) { EXPECT_EQ(BackPixel(10, 10), 5u); }
}

// A paused stage that the project hides shows its background through the
// first layer only; the layers after it are left out.
TEST_P(BackgroundLayersTest, HiddenPausedStageShowsOnlyTheFirstLayer) {
  cVector<cEdBackground> layers(2);
  layers[1].Fill = 1;
  layers[1].FillColour = 9;
  DrawBackgroundLayers(layers, 0, scrollX, scrollY, 1);
  const int ox = ((LayerOriginX(layers[0], scrollX) % 100) + 100) % 100;
  const int oy = ((LayerOriginY(layers[0], scrollY) % 60) + 60) % 60;
  for (auto [x, y] : {std::pair{0, 0}, {333, 222}, {639, 479}})
    EXPECT_EQ(BackPixel(x, y), Expected(PictureValue((ox + x) % 100, (oy + y) % 60))) << x << "," << y;
  DrawBackgroundLayers(layers, 0, scrollX, scrollY);
  EXPECT_NE(BackPixel(333, 222), Expected(PictureValue((ox + 333) % 100, (oy + 222) % 60)));
  if (Is8()) { EXPECT_EQ(BackPixel(333, 222), 9u); }
}

// Where a later layer draws a row from its own pixels throughout, the first
// layer's row never shows (and is left undrawn); rows with a see-through
// pixel, and every row under a draw colour that blends, still show it. The
// screen is the first layer alone with the second drawn over it, the first
// a picture or a fill.
TEST_P(BackgroundLayersTest, LaterLayersHideTheFirstOnlyWhereTheySetEveryPixel) {
  DDSURFACEDATA* near = &g_BmpSD[kBackgroundLayerBitmap + 1];
  ASSERT_TRUE(DDCreateSurface(near, 100, 60, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  {
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(near));
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 100; ++x) {
        // Rows 0-29 have one see-through pixel (the key, 0), rows 30-59 none.
        const std::uint32_t v = y < 30 && x == 99 - y * 3 ? 0 : Opaque(PictureValue(x + 5, y + 9));
        if (lock.BitsPerPixel() == 8) lock.Row8(y)[x] = static_cast<std::uint8_t>(v);
        else lock.Row32(y)[x] = v;
      }
  }
  scrollY.position = 337;  // the near layer's rows start inside its picture
  for (const bool fill : {false, true}) {
    for (const bool blending : {false, true}) {
      if (blending && !IsD3D()) continue;
      cVector<cEdBackground> layers(2);
      layers[0].Fill = fill ? 1 : 0;
      layers[0].FillColour = 0x5A;
      layers[1].RateY = 0.5;
      cVector<cEdBackground> nearOnly = layers;
      nearOnly[0].Show = 0;
      nearOnly[1].Pass = 1;
      if (blending) {
        DDSetDrawColor(0x80FFFFFF);
        DDSetAlphaOp(4);  // texel alpha times the draw colour's
      }
      DrawBackgroundLayers(layers, 0, scrollX, scrollY, 1);
      DrawBackgroundLayers(nearOnly, 1, scrollX, scrollY);
      const std::vector<std::uint32_t> expected = BackPixels();
      // From the third frame on the near layer's runs, readied by its own
      // blits, tell which rows it draws over.
      for (int frame = 0; frame < 3; ++frame) {
        DDFillRect(&BackBuffer, 0, 0, 640, 480, 3);
        DrawBackgroundLayers(layers, 0, scrollX, scrollY);
        EXPECT_EQ(BackPixels(), expected)
            << "frame " << frame << (blending ? ", blending" : "") << (fill ? ", first layer a fill" : "");
      }
      if (blending) {
        DDResetDrawColor();
        DDResetAlphaOp();
      }
    }
  }
  DDReleaseSurface(near);
}

INSTANTIATE_TEST_SUITE_P(Modes, BackgroundLayersTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

TEST(LayerMotion, OffsetsWrapIntoThePicture) {
  EXPECT_EQ(WrapLayerOffset(-3, 100), 97);
  EXPECT_EQ(WrapLayerOffset(100, 100), 0);
  EXPECT_EQ(WrapLayerOffset(42.5, 100), 42.5);
  // Beyond one wrap: modulo the size, never out of range.
  EXPECT_EQ(WrapLayerOffset(-250, 100), 50);
  EXPECT_EQ(WrapLayerOffset(1e9 + 5, 100), 5);
  EXPECT_EQ(WrapLayerOffset(std::numeric_limits<double>::infinity(), 100), 0);
  EXPECT_EQ(WrapLayerOffset(std::nan(""), 100), 0);
}

}  // namespace
