#include "stage/draw/chara/chara_overlays.h"

#include <cmath>

#include "foundation/wrapping_math.h"
#include "graphics/blits/blit.h"
#include "graphics/images/bitmap_table.h"
#include "project/system_record.h"
#include "stage/chara/chara.h"
#include "stage/draw/resources/effect_sheets.h"

namespace {

constexpr int kSystemBitmap = 49;
constexpr int kGaugeWidth = 50;
constexpr int kGaugeHeight = 2;
constexpr int kChangeFrames = 60;
constexpr int kHpEntry = 2;
constexpr int kSpEntry = 3;
constexpr int kCell = 32;
constexpr int kCellsPerColumn = 15;

enum GaugePart { kBackground, kBar, kWarningBar, kGain, kLoss };

int DrawnWidth(const cChara& chara) { return chara.baseDrawWidth * (chara.sizeFactor > 1 ? chara.sizeFactor : 1); }
int DrawnHeight(const cChara& chara) { return chara.baseDrawHeight * (chara.sizeFactor > 1 ? chara.sizeFactor : 1); }

void DrawGaugePart(DDSURFACEDATA* surface, int x, int y, int width, GaugePart part) {
  if (width <= 0) return;
  DDSURFACEDATA* sheet = &g_BmpSD[kSystemBitmap];
  DDBlt(surface, x, y, width, kGaugeHeight, sheet, 0, GaugePartRow(part, sheet->nHeight), 1);
}

// A change never reaches past the 50 dots of the gauge.
int ChangeDots(double change) {
  if (!std::isfinite(change)) return 0;
  const double dots = std::fabs(change);
  return dots >= kGaugeWidth ? kGaugeWidth : static_cast<int>(dots);
}

// Values past the maximum (set by code) stay inside the 50 dots.
void DrawGauge(DDSURFACEDATA* surface, int x, int y, const Gauge& gauge, bool warning) {
  const int bar = gauge.bar < 0 ? 0 : (gauge.bar > kGaugeWidth ? kGaugeWidth : gauge.bar);
  DrawGaugePart(surface, x, y, kGaugeWidth, kBackground);
  DrawGaugePart(surface, x, y, bar, warning ? kWarningBar : kBar);
  const int dots = ChangeDots(gauge.change);
  if (gauge.change > 0) DrawGaugePart(surface, x + bar - dots, y, dots, kGain);
  else if (gauge.change < 0) DrawGaugePart(surface, x + bar, y, dots < kGaugeWidth - bar ? dots : kGaugeWidth - bar, kLoss);
}

}  // namespace

int GaugePartRow(int part, int sheetHeight) { return sheetHeight < 209 ? 128 + 16 * part : 208 + 2 * part; }

void StepGauge(Gauge& gauge) {
  if (gauge.timer < 1) return;
  --gauge.timer;
  if (gauge.timer >= kChangeFrames) gauge.change -= gauge.step;
  else gauge.change = 0;
}

void AdvanceCharaGauges(cChara& chara) {
  chara.shownHpGauge = chara.hpGauge;
  chara.shownSpGauge = chara.spGauge;
  if (chara.dead) return;
  StepGauge(chara.hpGauge);
  StepGauge(chara.spGauge);
}

void DrawCharaMark(const cChara& chara, DDSURFACEDATA* surface) {
  if (chara.def.m_bMark != 1 || chara.def.m_nMark < 0) return;
  const int mark = chara.def.m_nMark;
  const int sx = mark / kCellsPerColumn * kCell, sy = mark % kCellsPerColumn * kCell;
  if (chara.sizeFactor > 1)
    DDBltStretch(surface, chara.screenLeft, chara.screenTop, DrawnWidth(chara), DrawnHeight(chara), MarkSheet(), sx, sy,
                 kCell, kCell, 1);
  else
    DDBlt(surface, chara.screenLeft, chara.screenTop, kCell, kCell, MarkSheet(), sx, sy, 1);
}

void DrawCharaGauges(const cChara& chara, const cSystem& system, DDSURFACEDATA* surface) {
  if (chara.dead) return;
  const int x = WrapAdd(chara.screenLeft, (DrawnWidth(chara) >> 1) - kGaugeWidth / 2);
  const Gauge& hp = chara.shownHpGauge;
  if (hp.timer >= 1)
    DrawGauge(surface, x, WrapAdd(chara.screenTop, -3), hp, IsBelowThreshold(system, kHpEntry, chara.hp, chara.def.m_nMaxHp) != 0);
  const Gauge& sp = chara.shownSpGauge;
  if (sp.timer >= 1)
    DrawGauge(surface, x, WrapAdd(chara.screenTop, -7), sp, IsBelowThreshold(system, kSpEntry, chara.sp, chara.def.m_nMaxSp) != 0);
}
