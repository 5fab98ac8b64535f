#include "stage/draw/effects/stage_effect.h"

#include <algorithm>

#include "foundation/text_format.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/core/double_to_int.h"
#include "stage/draw/effects/effect_run.h"
#include "stage/draw/resources/effect_surfaces.h"

namespace {

// trunc(right - left + 1) halved with an arithmetic shift.
int HalfSpan(double low, double high) { return TruncToInt(high - low + 1) >> 1; }

bool EffectNumberOk(int n) {
  const auto& effects = g_Database->m_vEffect;
  if (n >= 1 && static_cast<std::size_t>(n) < effects.size() && static_cast<std::size_t>(n) < g_EffectFrameTable.size())
    return true;
  ReportBadEffectNumber("Point", n, effects.size());
  return false;
}

void StartEffectAnime(cAnimePlayer& anime, int n) {
  cVector<Pattern> table;
  table.push_back(g_EffectFrameTable[n]);
  anime.Build(table);
  anime.SetPattern(0, 1);
}

}  // namespace

cStageEffect::cStageEffect(int n, const EffectBox& a, const EffectBox& b, int k) {
  if (!EffectNumberOk(n)) return;
  const cEffect& effect = g_Database->m_vEffect[n];
  number = static_cast<std::int16_t>(n);
  cellWidth = effect.m_nCellWidth;
  cellHeight = effect.m_nCellHeight;
  if (effect.m_nValue != 0 && k > 1) {
    width = cellWidth * k;
    height = cellHeight * k;
    scaled = 1;
  } else {
    width = cellWidth;
    height = cellHeight;
  }
  EffectBox overlap;
  if (a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom) {
    overlap = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
  }
  x = overlap.left + HalfSpan(overlap.left, overlap.right) - width / 2;
  y = overlap.top + HalfSpan(overlap.top, overlap.bottom) - height / 2;
  x += GetRand(-4 * k, 4 * k);
  y += GetRand(-4 * k, 4 * k);
  StartEffectAnime(anime, n);
}

cStageEffect::cStageEffect(int n, double left, double top, int percent) {
  if (!EffectNumberOk(n)) return;
  const cEffect& effect = g_Database->m_vEffect[n];
  number = static_cast<std::int16_t>(n);
  cellWidth = effect.m_nCellWidth;
  cellHeight = effect.m_nCellHeight;
  width = cellWidth * percent / 100;
  height = cellHeight * percent / 100;
  scaled = percent != 100 ? 1 : 0;
  x = left;
  y = top;
  StartEffectAnime(anime, n);
}

int cStageEffect::Advance() {
  shownFrame = -1;
  if (number == 0 || anime.Empty()) return 1;
  const int frame = anime.GetFrame();
  if (frame == kPatternEnded) return 1;
  shownFrame = frame;
  anime.Step();
  return 0;
}

void cStageEffect::Draw(DDSURFACEDATA* destination, double scrollX, double scrollY, int preferOwnSurface) const {
  if (shownFrame < 0) return;
  const int left = TruncToInt(x - scrollX);
  const int top = TruncToInt(y - scrollY);
  const long long first = 2LL * number - 2;
  const int sourceX = shownFrame * cellWidth;
  if (scaled) {
    const bool own = lpDTCon != nullptr && preferOwnSurface;
    DDSURFACEDATA* source = EffectSurface(own ? first : first + 1);
    if (source != nullptr)
      DDBltStretch(destination, left, top, width, height, source, sourceX, 0, cellWidth, cellHeight, 1);
    return;
  }
  if (DDSURFACEDATA* source = EffectSurface(first)) DDBlt(destination, left, top, width, height, source, sourceX, 0, 1);
}
