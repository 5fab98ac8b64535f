#include "stage/draw/panel/status_panel.h"

#include <string>

#include "foundation/text_format.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/screen_services.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/text/font.h"
#include "graphics/text/font_setup.h"
#include "project/system_record.h"
#include "shell/game/timers.h"
#include "stage/core/stage_sinks.h"

namespace {

constexpr int kPanelBitmap = 46;
constexpr int kSystemBitmap = 49;
constexpr int kDigitsBitmap = 51;
constexpr int kPanelFont = 1;  // 16 x 16 cells
constexpr int kSmallFont = 0;
constexpr int kCell = 16;
constexpr int kGaugeWidth = 50;
constexpr int kPanelTop = 3;
constexpr int kTimeWarningSound = 13;

bool IsGauge(int index) { return index == 2 || index == 3; }

DDSURFACEDATA* SystemSheet() { return &g_BmpSD[kSystemBitmap]; }

void DrawIcon(int x, int index) { DDBlt(&BackBuffer, x, kPanelTop, kCell, kCell, SystemSheet(), 16 * index, 32, 1); }

void DrawGauge(int x, int index, const cSystem& system, int value, int maximum, const cGaugeEntry& entry) {
  const int sheetX = index == 2 ? 0 : 64;
  DDBlt(&BackBuffer, x, kPanelTop, kGaugeWidth, kCell, SystemSheet(), sheetX, 128, 1);
  const int row = IsBelowThreshold(system, index, value, maximum) ? 160 : 144;
  const int bar = GaugeBarWidth(value, maximum);
  if (bar > 0) DDBlt(&BackBuffer, x, kPanelTop, bar, kCell, SystemSheet(), sheetX, row, 1);
  if (entry.m_bGaugeNumber) g_Fonts[kSmallFont].Printf(&BackBuffer, x, 6, "%d", value);
}

void DrawCounted(int x, int index, const cGaugeEntry& entry, int value) {
  Font& font = g_Fonts[kPanelFont];
  const bool dash = index == 4 && value == kUnlimitedLives;
  if (entry.m_bIcon) {
    DrawIcon(x, index);
    if (dash) font.Draw(&BackBuffer, x + kCell, kPanelTop, "-");
    else font.Printf(&BackBuffer, x + kCell, kPanelTop, "%d", value);
    return;
  }
  if (dash) font.Printf(&BackBuffer, x, kPanelTop, "%s-", entry.m_strText.c_str());
  else font.Printf(&BackBuffer, x, kPanelTop, "%s%d", entry.m_strText.c_str(), value);
}

}  // namespace

int GaugeBarWidth(int value, int maximum) {
  if (maximum <= 0) return 0;
  const long long bar = static_cast<long long>(value) * kGaugeWidth / maximum;
  return bar < 0 ? 0 : (bar > kGaugeWidth ? kGaugeWidth : static_cast<int>(bar));
}

int StatusEntryWidth(const cGaugeEntry& entry, int index) {
  const int label = entry.m_bIcon ? kCell : GetCharCount(entry.m_strText) * kCell;
  return label + (IsGauge(index) ? kGaugeWidth : kCell * entry.m_nDigits);
}

StatusLayout LayOutStatusPanel(const cSystem& system) {
  StatusLayout layout;
  long long widths = 0;
  for (int i = 0; i < kStatusEntries && i < static_cast<int>(system.m_vGauges.size()); ++i) {
    const cGaugeEntry& entry = system.m_vGauges[i];
    if (!entry.m_bShow) continue;
    ++layout.visible;
    widths += StatusEntryWidth(entry, i);
  }
  if (layout.visible == 0) return layout;
  layout.gap = static_cast<int>((638 - widths) / (layout.visible + 1));
  long long x = layout.gap;
  for (int i = 0; i < kStatusEntries && i < static_cast<int>(system.m_vGauges.size()); ++i) {
    const cGaugeEntry& entry = system.m_vGauges[i];
    if (!entry.m_bShow) continue;
    layout.x[static_cast<std::size_t>(i)] = static_cast<int>(x);
    x += StatusEntryWidth(entry, i) + layout.gap;
  }
  return layout;
}

void DrawStatusPanel(const cSystem& system, const StatusValues& values) {
  const StatusLayout layout = LayOutStatusPanel(system);
  if (layout.visible == 0) return;
  DDBlt(&BackBuffer, 0, 0, 640, 20, &g_BmpSD[kPanelBitmap], 0, 0, 1);
  const std::array<int, kStatusEntries> numbers{values.totalScore, values.score, values.hp, values.sp, values.lives};
  for (int i = 0; i < kStatusEntries; ++i) {
    const cGaugeEntry& entry = system.m_vGauges[i];
    if (!entry.m_bShow) continue;
    const int x = layout.x[static_cast<std::size_t>(i)];
    if (!IsGauge(i)) {
      DrawCounted(x, i, entry, numbers[static_cast<std::size_t>(i)]);
      continue;
    }
    int gaugeX = x;
    if (entry.m_bIcon) {
      DrawIcon(x, i);
      gaugeX += kCell;
    } else {
      g_Fonts[kPanelFont].Printf(&BackBuffer, x, kPanelTop, "%s", entry.m_strText.c_str());
      gaugeX += GetCharCount(entry.m_strText) * kCell;
    }
    const bool hp = i == 2;
    DrawGauge(gaugeX, i, system, hp ? values.hp : values.sp, hp ? values.maxHp : values.maxSp, entry);
  }
}

void DrawTimeDisplay(int secondsLeft) {
  DDDrawNumber(&BackBuffer, 272, 24, 32, 32, &g_BmpSD[kDigitsBitmap], 0, 160, 1, secondsLeft, 3, 0);
}

void RequestTimeWarning(int secondsLeft, int warningSeconds, int soundFlag) {
  if (!soundFlag || secondsLeft < 1 || secondsLeft > warningSeconds) return;
  if (FrameSkipCount(2, 1)) RequestStageSound(kTimeWarningSound);
}
