#include "screens/common/screen_fade.h"

#include "graphics/effects/fade.h"
#include "graphics/images/palette.h"
#include "shell/game/game.h"

namespace {

double FadeStep() { return static_cast<double>(g_Game.m_nFadeSpeed > 0 ? g_Game.m_nFadeSpeed : 1); }

}  // namespace

bool StepScreenFadeIn() {
  return DDFadeIn(g_ShownPalette.data(), 0, 255, 0, 0, 0, FadeStep(), g_PalEntries.data(), 0) != 0;
}

bool StepScreenFadeOut() {
  if (!DDFadeOut(g_ShownPalette.data(), 0, 255, 0, 0, 0, FadeStep(), g_PalEntries.data(), 0)) return false;
  FillFadedOutBackBuffer();
  return true;
}
