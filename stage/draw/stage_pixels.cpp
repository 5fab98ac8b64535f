// The pixel half of a stage frame: the state the advance left is drawn into
// BackBuffer, in the scene's drawing order. Nothing here changes the
// simulation or draws a random number.
#include <array>
#include <vector>

#include "definitions/stage/stage_record.h"
#include "definitions/save_data/save_data.h"
#include "graphics/device/device.h"
#include "graphics/surfaces/surface.h"
#include "project/global_data.h"
#include "stage/draw/panel/status_panel.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/hero.h"
#include "stage/draw/blocks/block_drawing.h"
#include "stage/draw/resources/effect_sheets.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/draw/chara/chara_drawing.h"
#include "stage/draw/chara/chara_overlays.h"
#include "stage/draw/chara/hero_drawing.h"
#include "stage/draw/items/item_drawing.h"
#include "stage/items/stage_item.h"
#include "stage/draw/panel/hint_line.h"
#include "stage/draw/stage_drawing.h"
#include "stage/draw/shots/shot_drawing.h"
#include "stage/shots/shot_list.h"
#include "stage/draw/effects/screen_effect_pixels.h"
#include "stage/draw/layers/background_layers.h"
#include "stage/draw/layers/screen_color_pixels.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/shown_pictures.h"
#include "stage/show/stage_messages.h"

namespace {

void DrawLayerPass(int pass) {
  DrawBackgroundLayers(g_PlayStage.m_vBackground, pass, g_StageSpace.scrollX, g_StageSpace.scrollY);
}

void RedrawBothLayerPasses() {
  DrawLayerPass(0);
  DrawLayerPass(1);
}

// The centre of the player hero's screen rectangle (the screen centre when
// there is none).
ScreenPoint HeroScreenCentre() {
  const cHero* hero = PlayerHero();
  if (hero == nullptr) return {};
  return {hero->screenLeft + (hero->screenRight - hero->screenLeft) / 2,
          hero->screenTop + (hero->screenBottom - hero->screenTop) / 2};
}

StatusValues CurrentStatusValues() {
  StatusValues values;
  values.totalScore = g_SaveData.m_nStageValueTotal;
  values.score = g_SaveData.m_nScore;
  values.lives = g_SaveData.m_nLife;
  if (const cHero* hero = PlayerHero()) {
    values.hp = hero->hp;
    values.maxHp = hero->def.m_nMaxHp;
    values.sp = hero->sp;
    values.maxSp = hero->def.m_nMaxSp;
  }
  return values;
}

void DrawCharaWithGauges(const cChara& chara, int frame) {
  DrawCharaPixels(chara, &BackBuffer, frame);
  if (!chara.cmdHidden) DrawCharaGauges(chara, *g_System, &BackBuffer);
}

constexpr int kZLayers = 8;
constexpr int kEveryLayer = -1;

bool OnLayer(const cChara& chara, int z) { return z == kEveryLayer || chara.def.m_nZ == z; }

// The objects of one Z layer (every layer with kEveryLayer): the hero, the
// items, the characters with their drop icons, the shots, then the shown pictures of
// that draw layer.
void DrawObjectLayer(cStageScene& scene, int z, const std::vector<const cStageShot*>& shots) {
  if (cHero* hero = PlayerHero(); hero != nullptr && OnLayer(*hero, z)) {
    DrawCharaWithGauges(*hero, scene.m_nFrameCount);
    DrawHeroBoxes(*hero, &BackBuffer);
  }
  g_ItemList.ForEach([z](const cStageItem& item) {
    if (item.present && (z == kEveryLayer || item.def.m_nZ == z)) DrawItemPixels(item, &BackBuffer, MarkSheet());
  });
  g_CharaList.ForEach([z, &scene](cStageChara& chara) {
    if ((!chara.present && !chara.dead) || !OnLayer(chara, z)) return;
    DrawCharaWithGauges(chara, scene.m_nFrameCount);
    DrawDropIcon(chara, &BackBuffer);
  });
  for (const cStageShot* shot : shots) DrawShotPixels(*shot, &BackBuffer);
  DrawShownPictures(scene, z);
}

// With the stage's Z order, eight passes by Z layer; else one with everything.
// The shots are sorted into their layers once, in list order.
void DrawObjectLayers(cStageScene& scene) {
  static std::array<std::vector<const cStageShot*>, kZLayers> shotLayers;
  for (auto& layer : shotLayers) layer.clear();
  const bool byZ = g_PlayStage.ZOrder != 0;
  g_ShotList.ForEach([&](const cStageShot& shot) {
    if (!byZ) shotLayers[0].push_back(&shot);
    else if (shot.rec.m_nZ < kZLayers) shotLayers[shot.rec.m_nZ].push_back(&shot);
  });
  if (!byZ) {
    DrawObjectLayer(scene, kEveryLayer, shotLayers[0]);
    return;
  }
  for (int z = 0; z < kZLayers; ++z) DrawObjectLayer(scene, z, shotLayers[static_cast<std::size_t>(z)]);
}

}  // namespace

void DrawStagePixels(cStageScene& scene, int play, int, int hint) {
  // A headless run has no frame to draw into: every draw below would be
  // clipped away, after walking all the objects for nothing.
  if (SurfacePixels(&BackBuffer) == nullptr) return;
  if (IsStageHiddenByPause(scene, play)) {
    DrawBackgroundLayers(g_PlayStage.m_vBackground, 0, g_StageSpace.scrollX, g_StageSpace.scrollY, 1);
    return;
  }
  DrawLayerPass(0);
  DrawBlocks(g_BlockMap, 0, g_StageSpace.scrollX, g_StageSpace.scrollY, MarkSheet(), &scene.m_Draw.blocks);
  DrawObjectLayers(scene);
  DrawBlocks(g_BlockMap, 1, g_StageSpace.scrollX, g_StageSpace.scrollY, MarkSheet(), &scene.m_Draw.blocks);
  DrawLayerPass(1);
  if (const cHero* hero = PlayerHero()) DrawViewMask(*hero, &BackBuffer);
  for (const cStageEffect& effect : scene.m_Draw.stageEffects)
    effect.Draw(&BackBuffer, g_StageSpace.scrollX.position, g_StageSpace.scrollY.position, 0);
  DrawStageMessages(scene);
  DrawScreenEffect(scene.m_Draw.screenEffect, HeroScreenCentre(), &RedrawBothLayerPasses);
  if (g_PlayStage.StatusPanel) DrawStatusPanel(*g_System, CurrentStatusValues());
  if (!scene.m_bTimeStopped) DrawTimeDisplay(scene.m_nTimeLeft);
  if (hint) DrawHintLine(*g_System);
  DrawScreenColor(scene.m_Draw.screenColor);
}
