// Over a character: the HP and SP gauges (their two seconds on screen, the
// change part in the first, the bar, gain and loss geometry, the warning
// colour, both layouts of the system sheet) and the mark icon, 1:1 and
// stretched, in each drawing mode.
#include <gtest/gtest.h>

#include "graphics/images/bitmap_table.h"
#include "project/system_record.h"
#include "stage/chara/chara.h"
#include "stage/draw/chara/chara_drawing.h"
#include "stage/draw/chara/chara_overlays.h"
#include "stage/draw/panel/status_panel.h"
#include "stage/draw/resources/effect_sheets.h"
#include "tests/graphics/effect_test_support.h"

namespace {

using effect_test::BackPixel;
using effect_test::Mode;

TEST(CharaGauges, ShowForTwoSecondsWithTheChangeInTheFirst) {
  cChara chara;
  chara.def.m_nMaxHp = 100;
  chara.hp = 60;
  chara.StartHpGauge(-20);
  int shown = 0;
  for (int frame = 1; frame <= 200; ++frame) {
    AdvanceCharaGauges(chara);
    const Gauge& drawn = chara.shownHpGauge;
    if (drawn.timer >= 1) ++shown;
    if (frame == 1) { EXPECT_DOUBLE_EQ(drawn.change, -10.0); }
    if (frame == 31) { EXPECT_NEAR(drawn.change, -5.0, 1e-9); }
    if (frame == 61) { EXPECT_NEAR(drawn.change, 0.0, 1e-9); }
    if (frame > 61) { EXPECT_EQ(drawn.change, 0.0) << frame; }
  }
  EXPECT_EQ(shown, 120);
  EXPECT_EQ(chara.hpGauge.timer, 0);
  EXPECT_EQ(chara.spGauge.timer, 0);

  chara.def.m_nMaxSp = 100;
  chara.sp = 50;
  chara.StartSpGauge(5);
  chara.dead = 1;
  AdvanceCharaGauges(chara);
  EXPECT_EQ(chara.spGauge.timer, 120);  // a dead character's gauge stands still
}

TEST(CharaGauges, ChangeShrinksByItsStepThenVanishes) {
  Gauge gauge{61, 10.0, 0.5, 20};
  StepGauge(gauge);
  EXPECT_EQ(gauge.timer, 60);
  EXPECT_DOUBLE_EQ(gauge.change, 9.5);
  StepGauge(gauge);
  EXPECT_EQ(gauge.timer, 59);
  EXPECT_EQ(gauge.change, 0);
  gauge.timer = 0;
  StepGauge(gauge);
  EXPECT_EQ(gauge.timer, 0);
}

TEST(CharaGauges, PartRowsFollowTheSheetHeight) {
  EXPECT_EQ(GaugePartRow(0, 208), 128);
  EXPECT_EQ(GaugePartRow(4, 208), 192);
  EXPECT_EQ(GaugePartRow(0, 209), 208);
  EXPECT_EQ(GaugePartRow(3, 240), 214);
}

// Sheet parts and the back buffer in distinct opaque values.
constexpr std::uint32_t kScreen = 1, kBackground = 5, kBar = 7, kWarning = 9, kGain = 11, kLoss = 13, kMark = 21;

class CharaOverlays : public effect_test::DeviceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(effect_test::StartDevice(GetParam(), 640, 480));
    mark = MarkSheet();
    ASSERT_TRUE(DDCreateSurface(mark, 64, 480, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    Paint(mark, 0, 0, 64, 480, 3);
    Paint(mark, 32, 32, 32, 32, kMark);  // mark 16
    Paint(&BackBuffer, 0, 0, 640, 480, kScreen);
    system.m_vGauges.resize(kStatusEntries);
    chara.def.m_nMaxHp = 100;
    chara.def.m_nMaxSp = 100;
    chara.hp = 60;
    chara.sp = 60;
    chara.screenLeft = 100;
    chara.screenTop = 200;
  }
  void TearDown() override {
    DDReleaseSurface(sheet);
    DDReleaseSurface(mark);
    DDRelease();
  }
  void MakeSystemSheet(int height) {
    sheet = &g_BmpSD[49];
    ASSERT_TRUE(DDCreateSurface(sheet, 64, height, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    Paint(sheet, 0, 0, 64, height, 3);
    const std::uint32_t parts[] = {kBackground, kBar, kWarning, kGain, kLoss};
    for (int part = 0; part < 5; ++part) Paint(sheet, 0, GaugePartRow(part, height), 64, 2, parts[part]);
  }
  void Paint(DDSURFACEDATA* surface, int x0, int y0, int w, int h, std::uint32_t v) {
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(surface));
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) {
        if (lock.BitsPerPixel() == 8) lock.Row8(y)[x] = static_cast<std::uint8_t>(v);
        else lock.Row32(y)[x] = Opaque(v);
      }
  }
  std::uint32_t Expected(std::uint32_t v) const { return Is8() ? v : Opaque(v) & 0xFFFFFF; }
  // The values of row y from x0 to x1 inclusive, in runs: value and length.
  std::vector<std::pair<std::uint32_t, int>> Runs(int y, int x0, int x1) {
    std::vector<std::pair<std::uint32_t, int>> runs;
    for (int x = x0; x <= x1; ++x) {
      const std::uint32_t v = BackPixel(x, y);
      if (!runs.empty() && runs.back().first == v) ++runs.back().second;
      else runs.emplace_back(v, 1);
    }
    return runs;
  }
  std::pair<std::uint32_t, int> Run(std::uint32_t v, int n) const { return {Expected(v), n}; }

  DDSURFACEDATA* sheet = nullptr;
  DDSURFACEDATA* mark = nullptr;
  cSystem system;
  cChara chara;
};

TEST_P(CharaOverlays, LossFollowsTheBarAndGainEndsAtIt) {
  MakeSystemSheet(208);
  chara.hpGauge = Gauge{120, -10.0, -10.0 / 60, 30};
  chara.spGauge = Gauge{120, 5.5, 5.5 / 60, 20};
  AdvanceCharaGauges(chara);  // the pixels show the gauges as they stood before the count
  DrawCharaGauges(chara, system, &BackBuffer);
  const int x = 100 + 16 - 25;
  using R = std::vector<std::pair<std::uint32_t, int>>;
  EXPECT_EQ(Runs(197, x - 1, x + 50), (R{Run(kScreen, 1), Run(kBar, 30), Run(kLoss, 10), Run(kBackground, 10),
                                         Run(kScreen, 1)}));
  EXPECT_EQ(BackPixel(x, 198), Expected(kBar));
  EXPECT_EQ(BackPixel(x, 199), Expected(kScreen));
  EXPECT_EQ(Runs(193, x - 1, x + 50),
            (R{Run(kScreen, 1), Run(kBar, 15), Run(kGain, 5), Run(kBackground, 30), Run(kScreen, 1)}));

  chara.sizeFactor = 2;  // centred over the drawn width of 64
  Paint(&BackBuffer, 0, 0, 640, 480, kScreen);
  DrawCharaGauges(chara, system, &BackBuffer);
  EXPECT_EQ(BackPixel(x + 16, 197), Expected(kBar));
  EXPECT_EQ(BackPixel(x + 15, 197), Expected(kScreen));
}

TEST_P(CharaOverlays, WarningColourOnTheTallSheetAndNothingWhenDead) {
  MakeSystemSheet(240);
  system.m_vGauges[2].m_nThreshold = 30;
  chara.hp = 20;
  chara.hpGauge = Gauge{50, 0, 0, 10};
  AdvanceCharaGauges(chara);
  DrawCharaGauges(chara, system, &BackBuffer);
  const int x = 91;
  using R = std::vector<std::pair<std::uint32_t, int>>;
  EXPECT_EQ(Runs(197, x, x + 49), (R{Run(kWarning, 10), Run(kBackground, 40)}));
  EXPECT_EQ(BackPixel(x, 193), Expected(kScreen));  // no SP gauge running

  Paint(&BackBuffer, 0, 0, 640, 480, kScreen);
  chara.dead = 1;
  DrawCharaGauges(chara, system, &BackBuffer);
  EXPECT_EQ(BackPixel(x, 197), Expected(kScreen));
}

TEST_P(CharaOverlays, MarkAtTheScreenPlaceOneToOneOrStretched) {
  MakeSystemSheet(208);
  chara.def.m_bMark = 1;
  chara.def.m_nMark = 16;
  DrawCharaMark(chara, &BackBuffer);
  EXPECT_EQ(BackPixel(100, 200), Expected(kMark));
  EXPECT_EQ(BackPixel(131, 231), Expected(kMark));
  EXPECT_EQ(BackPixel(132, 231), Expected(kScreen));
  EXPECT_EQ(BackPixel(131, 232), Expected(kScreen));

  chara.sizeFactor = 2;
  chara.screenLeft = 300;
  DrawCharaMark(chara, &BackBuffer);
  EXPECT_EQ(BackPixel(363, 263), Expected(kMark));
  EXPECT_EQ(BackPixel(364, 263), Expected(kScreen));

  chara.def.m_bMark = 0;
  chara.screenLeft = 500;
  DrawCharaMark(chara, &BackBuffer);
  EXPECT_EQ(BackPixel(510, 210), Expected(kScreen));
}

INSTANTIATE_TEST_SUITE_P(Modes, CharaOverlays, testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace
