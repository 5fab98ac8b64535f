#include "stage/scene/scene_resources.h"

#include "definitions/stage/stage_record.h"
#include "platform/main_thread.h"
#include "graphics/device/device.h"
#include "stage/draw/resources/effect_sheets.h"
#include "stage/draw/resources/effect_surfaces.h"
#include "stage/draw/resources/screen_copies.h"
#include "stage/draw/resources/special_surfaces.h"
#include "stage/draw/resources/stage_bitmaps.h"
#include "stage/draw/resources/view_mask.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/show/show_wait.h"
#include "stage/show/shown_pictures.h"
#include "stage/show/stage_messages.h"

bool LoadStageSurfaces(cStageScene&, bool fromStage) {
  if (!g_DDState.bInitialized) return true;
  NameBackgroundPictures(g_Stage);
  if (!LoadStageBitmaps(fromStage)) return false;
  if (!fromStage) {
    LoadBmpCharaExcSurfaces();
    LoadSwordSurfaces();
    LoadEffectSurfaces();
  }
  BuildPaddedCellSheets();
  return true;
}
void ClearStageShows(cStageScene& scene) {
  ClearShownPictures(scene);
  ClearMessageBitmaps(scene);
  ClearWaitRecord(scene);
}
void FinaliseStageResources(cStageScene&) {
  const cHero* hero = PlayerHero();
  if (g_DDState.bInitialized && hero != nullptr)
    CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, hero->sightDots, hero->def.m_nSightShape);
}
void ReleaseStageSurfaces(cStageScene& scene) {
  ClearStageShows(scene);
  ReleaseScreenCopies();
  ReleaseSpecialSurfaces();
  ReleaseEffectSurfaces();
  ReleaseViewRangeMask();
  ReleaseBackgroundPictures();
}

void PostCloseRequest() { platform::RequestClose(platform::CloseReason::User); }
void PostFailureClose() { platform::RequestClose(platform::CloseReason::Fatal); }
