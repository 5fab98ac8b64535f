#include "stage/scene/scene_resources.h"

#include "platform/main_thread.h"
#include "graphics/device/device.h"
#include "stage/draw/resources/effect_sheets.h"
#include "stage/draw/resources/effect_surfaces.h"
#include "stage/draw/resources/screen_copies.h"

bool LoadStageSurfaces(cStageScene&, bool) {
  if (g_DDState.bInitialized) {
    LoadEffectSurfaces();
    BuildPaddedCellSheets();
  }
  return true;
}
void FinaliseStageResources(cStageScene&) {}
void ReleaseStageSurfaces(cStageScene&) {
  ReleaseScreenCopies();
  ReleaseEffectSurfaces();
}
void ClearBackBuffer() {}

void PostCloseRequest() { platform::RequestClose(platform::CloseReason::User); }
