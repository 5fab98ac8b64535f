#include "stage/draw/chara/hero_drawing.h"

#include <algorithm>

#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/blits/frame_rect.h"
#include "graphics/device/device.h"
#include "stage/chara/hero.h"
#include "stage/core/stage_rules.h"
#include "stage/draw/resources/view_mask.h"

namespace {

constexpr int kShadeSteps = 32;
constexpr int kFramesPerShade = 8;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

int ShownColour(const HeroBoxDisplay& entry) {
  if (g_DDState.nBpp == 8 && lpDTCon == nullptr && g_StageRules.fixedBoxColour) return entry.colour;
  return entry.colour + entry.step / kFramesPerShade;
}

bool LooksAhead(int shape) { return shape == 2 || shape == 4; }

}  // namespace

void AdvanceHeroBoxDisplay(cHero& hero) {
  for (HeroBoxDisplay& entry : hero.boxDisplay) entry.step = (entry.step + 1) % kShadeSteps;
}

void DrawHeroBoxes(const cHero& hero, DDSURFACEDATA* surface) {
  if (hero.dead) return;
  for (const HeroBoxDisplay& entry : hero.boxDisplay) {
    if (entry.style == HeroBoxDisplay::kHidden) continue;
    int x = 0, y = 0, width = 0, height = 0;
    hero.BoxOfKind(entry.kind, x, y, width, height);
    x += hero.screenLeft;
    y += hero.screenTop;
    if (entry.style == HeroBoxDisplay::kFilled) DDFillRect(surface, x, y, width, height, ShownColour(entry));
    else DDFrameRect(surface, x, y, width, height, 1, ShownColour(entry));
  }
}

void DrawViewMask(const cHero& hero, DDSURFACEDATA* surface) {
  const int shape = hero.def.m_nSightShape;
  if (shape == 0 || g_ViewMask.nWidth < kScreenWidth || g_ViewMask.nHeight < kScreenHeight) return;
  int originX = g_ViewMask.nWidth / 2 - (hero.screenLeft + hero.drawWidth / 2);
  const int originY = g_ViewMask.nHeight / 2 - (hero.screenTop + hero.drawHeight / 2);
  if (LooksAhead(shape)) originX -= hero.Direction() * std::clamp(hero.sightDots, 0, kMaxViewRangeDots);
  originX = std::clamp(originX, 0, g_ViewMask.nWidth - kScreenWidth);
  DDBlt(surface, 0, 0, kScreenWidth, kScreenHeight, &g_ViewMask, originX,
        std::clamp(originY, 0, g_ViewMask.nHeight - kScreenHeight), 1);
}
