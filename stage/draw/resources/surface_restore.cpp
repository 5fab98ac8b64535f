#include "stage/draw/resources/surface_restore.h"

#include "graphics/images/bitmap_load.h"
#include "stage/draw/resources/effect_sheets.h"
#include "stage/draw/resources/effect_surfaces.h"
#include "stage/draw/resources/special_surfaces.h"
#include "stage/scene/stage_scene.h"

int RestoreStageSurfaces() {
  RestoreSpecialSurfaces();
  RestoreEffectSurfaces();
  cStageScene* scene = StageScene();
  if (scene == nullptr) return 1;
  BuildPaddedCellSheets();
  for (cShownPicture& picture : scene->m_Draw.shows.pictures)
    if (picture.hasSurface) DDReloadBitmap(&picture.surface);
  for (cMessage& message : scene->m_Draw.shows.messages) message.window.surface.bLost = 1;
  return 1;
}
