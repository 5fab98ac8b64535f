// The status panel: even gaps between the visible entries, gauge bars from
// the normal or the warning row, and the time-limit warning sound.
#include <gtest/gtest.h>

#include "project/system_record.h"
#include "stage/core/stage_sinks.h"
#include "stage/draw/panel/status_panel.h"
#include "tests/stage/draw/sheet_screen.h"

namespace {

cSystem PanelSystem() {
  cSystem system;
  system.m_vGauges.resize(kStatusEntries);
  for (auto& entry : system.m_vGauges) entry.m_bShow = 0;
  system.m_vGauges[0].m_bShow = 1;
  system.m_vGauges[0].m_bIcon = 1;
  system.m_vGauges[0].m_nDigits = 8;
  system.m_vGauges[2].m_bShow = 1;
  system.m_vGauges[2].m_strText = "HP";
  system.m_vGauges[2].m_bIcon = 0;
  system.m_vGauges[4].m_bShow = 1;
  system.m_vGauges[4].m_bIcon = 1;
  system.m_vGauges[4].m_nDigits = 2;
  return system;
}

TEST(StatusPanel, VisibleEntriesAreSpreadWithEqualGaps) {
  const cSystem system = PanelSystem();
  // Widths 16 + 8 x 16, 2 x 16 + 50, 16 + 2 x 16: 274 dots, four gaps.
  const StatusLayout layout = LayOutStatusPanel(system);
  EXPECT_EQ(layout.visible, 3);
  EXPECT_EQ(layout.gap, 91);
  EXPECT_EQ(layout.x[0], 91);
  EXPECT_EQ(layout.x[2], 91 + 144 + 91);
  EXPECT_EQ(layout.x[4], 326 + 82 + 91);
  cSystem none = system;
  for (auto& entry : none.m_vGauges) entry.m_bShow = 0;
  EXPECT_EQ(LayOutStatusPanel(none).visible, 0);
}

TEST(StatusPanel, GaugeBarsScaleToFiftyDots) {
  EXPECT_EQ(GaugeBarWidth(10, 100), 5);
  EXPECT_EQ(GaugeBarWidth(100, 100), 50);
  EXPECT_EQ(GaugeBarWidth(5, 0), 0);
  EXPECT_EQ(GaugeBarWidth(5, -3), 0);
  EXPECT_EQ(GaugeBarWidth(2147483647, 2), 50);
  EXPECT_EQ(GaugeBarWidth(-4, 10), 0);
}

class StatusPanelPixels : public SheetScreen {
 protected:
  StatusPanelPixels() : SheetScreen(49, 128, 176) {}
  void SetUp() override {
    SheetScreen::SetUp();
    DDFillRect(sheet, 0, 128, 128, 16, 5);  // gauge frames
    DDFillRect(sheet, 0, 144, 128, 16, 7);  // normal bars
    DDFillRect(sheet, 0, 160, 128, 16, 9);  // warning bars
  }
};

TEST_F(StatusPanelPixels, GaugeShowsTheWarningRowBelowTheThreshold) {
  cSystem system = PanelSystem();
  system.m_vGauges[0].m_bShow = 0;
  system.m_vGauges[4].m_bShow = 0;
  system.m_vGauges[2].m_bIcon = 1;  // 16 + 50 wide: gap (638 - 66) / 2 = 286
  system.m_vGauges[2].m_nThreshold = 30;
  StatusValues values;
  values.hp = 20;
  values.maxHp = 100;  // a bar of 10 dots
  DrawStatusPanel(system, values);
  const int gaugeX = 286 + 16;
  EXPECT_EQ(Back(gaugeX + 2, 5), 9u);
  EXPECT_EQ(Back(gaugeX + 9, 5), 9u);
  EXPECT_EQ(Back(gaugeX + 10, 5), 5u);
  values.hp = 50;
  DrawStatusPanel(system, values);
  EXPECT_EQ(Back(gaugeX + 24, 5), 7u);
  EXPECT_EQ(Back(gaugeX + 25, 5), 5u);
}

TEST(TimeWarning, SoundsOnlyInsideTheWarningTimeWithTheSoundFlag) {
  std::vector<int> sounds;
  ActiveStageSinks().sound = [&](int n) { sounds.push_back(n); };
  RequestTimeWarning(20, 20, 1);
  RequestTimeWarning(21, 20, 1);
  RequestTimeWarning(0, 20, 1);
  RequestTimeWarning(5, 20, 0);
  ResetStageSinks();
  EXPECT_EQ(sounds, std::vector<int>{13});
}

}  // namespace
