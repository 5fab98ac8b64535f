#include "stage/scene/scene_resources.h"

#include "platform/main_thread.h"
#include "graphics/device/device.h"
#include "stage/draw/resources/effect_sheets.h"
#include "stage/draw/resources/effect_surfaces.h"
#include "stage/draw/resources/screen_copies.h"
#include "stage/draw/resources/view_mask.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"

bool LoadStageSurfaces(cStageScene&, bool) {
  if (g_DDState.bInitialized) {
    LoadEffectSurfaces();
    BuildPaddedCellSheets();
  }
  return true;
}
void FinaliseStageResources(cStageScene&) {
  const cHero* hero = PlayerHero();
  if (g_DDState.bInitialized && hero != nullptr)
    CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, hero->sightDots, hero->def.m_nSightShape);
}
void ReleaseStageSurfaces(cStageScene&) {
  ReleaseScreenCopies();
  ReleaseEffectSurfaces();
  ReleaseViewRangeMask();
}
void ClearBackBuffer() {}

void PostCloseRequest() { platform::RequestClose(platform::CloseReason::User); }
