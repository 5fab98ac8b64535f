#include "stage/draw/resources/view_mask.h"

#include <algorithm>

#include "foundation/log.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/effects/effects.h"
#include "graphics/surfaces/surface.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"

DDSURFACEDATA g_ViewMask;
DDSURFACEDATA g_ViewOpening;

namespace {
constexpr int kEmptyColour = 16;

void Release(DDSURFACEDATA* surface) {
  if (SurfacePixels(surface) != nullptr) DDReleaseSurface(surface);
}
}  // namespace

bool CreateViewRangeMask(DDSURFACEDATA* mask, DDSURFACEDATA* opening, int rangeDots, int shape) {
  Release(mask);
  Release(opening);
  const int k = std::clamp(rangeDots, 0, kMaxViewRangeDots);
  const int width = 1280 + 2 * k;
  const int height = 960 + 2 * k;
  if (!DDCreateSurface(mask, width, height, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) {
    OutOfMemory();
    return false;
  }
  DDFillSurface(mask, kEmptyColour);
  if (k == 0) return true;
  const int cx = width / 2;
  const int cy = height / 2;
  if (shape != 1 && shape != 2) {
    if (lpDTCon != nullptr) DDFillRectRGB(mask, cx - k, cy - k, 2 * k, 2 * k, 0);
    else DDFillRect(mask, cx - k, cy - k, 2 * k, 2 * k, 0);
    return true;
  }
  if (!DDCreateSurface(opening, 2 * k, 2 * k, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return true;
  // A project with its own transparent colour keys that colour, not colour 0.
  if (g_StageRules.colourKeyOpening) DDFillSurfaceKey(opening);
  else if (lpDTCon != nullptr) DDFillSurfaceRGB(opening, 0);  // transparent black
  else DDFillSurface(opening, 0);
  DDBltCircle(mask, cx, cy, k, k, k, 1, opening, k, k, 0);
  return true;
}

void ReleaseViewRangeMask() {
  Release(&g_ViewMask);
  Release(&g_ViewOpening);
}

void RefreshViewMask(const cChara& chara) {
  const cHero* hero = PlayerHero();
  if (!g_DDState.bInitialized || hero == nullptr || &chara != hero) return;
  CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, hero->sightDots, hero->def.m_nSightShape);
}
