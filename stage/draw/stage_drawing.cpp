#include "stage/draw/stage_drawing.h"

#include "definitions/stage/stage_record.h"
#include "graphics/device/device.h"
#include "shell/game/frame_step.h"
#include "shell/subsystems/subsystem_steps.h"
#include "stage/blocks/block_map.h"
#include "stage/core/stage_rules.h"
#include "stage/draw/blocks/block_drawing.h"
#include "stage/draw/effects/chara_effect_slot.h"
#include "stage/draw/layers/layer_motion.h"
#include "stage/draw/panel/status_panel.h"
#include "stage/draw/resources/surface_restore.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/shown_pictures.h"
#include "stage/show/stage_messages.h"

void InitEffectSlotsOfStage() {
  InitCharaEffectSlots();
  InitScrEffectSlots();
}

namespace {
// At start-up: the effect slots are bound, and the stage's surfaces join
// the restore after a lost screen.
void StartStageDrawing() {
  InitEffectSlotsOfStage();
  AddLostSurfaceList(&RestoreStageSurfaces);
}
}  // namespace

void RegisterStageDrawing() { SetInitEffectSlots(&StartStageDrawing); }

bool IsStageHiddenByPause(const cStageScene& scene, int play) {
  return !play && scene.Phase() == kPhasePause && g_StageRules.hideStageOnPause;
}

void AdvanceStageDrawing(cStageScene& scene, int play, int overlay) {
  AdvanceBlockConditions(g_BlockMap, g_StageSpace.scrollX, g_StageSpace.scrollY, scene.m_Draw.blocks);
  if (scene.Phase() != kPhasePause) MoveBackgroundLayers(g_PlayStage.m_vBackground);
  AdvanceShownPictures(scene, overlay);
  scene.m_Draw.stageEffects.remove_if([](cStageEffect& effect) { return effect.Advance() != 0; });
  AdvanceStageMessages(scene, overlay);
  AdvanceScreenEffect(scene.m_Draw.screenEffect, overlay);
  AdvanceScreenColor(scene.m_Draw.screenColor, overlay);
  if (!scene.m_bTimeStopped) RequestTimeWarning(scene.m_nTimeLeft, g_PlayStage.TimeWarning, play);
}

void StartSceneScreenEffect(cStageScene& scene, int n, int mode, int loop) {
  StartScreenEffect(scene.m_Draw.screenEffect, n, mode, loop);
  if (n == 0 && lpDTCon != nullptr) DDSetVirBackBufferMode(0);
}

void AddStageEffect(cStageScene& scene, int n, const EffectBox& a, const EffectBox& b, int k) {
  scene.m_Draw.stageEffects.emplace_back(n, a, b, k);
}

void StartSceneScreenColor(cStageScene& scene, const std::array<std::int32_t, 8>& params) {
  StartScreenColorChange(scene.m_Draw.screenColor, params, CurrentScreenColorPath());
}
