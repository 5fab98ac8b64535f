// The advance half of drawing a frame: animations step, deaths that have
// played out end (the character is removed; the hero's end costs a life or
// restarts the attempt), effects, pictures and messages count down and
// retire. The pixels follow when there is a screen. Only the play draw
// animates: the draws of the pause menu, of messages, waits and effects that
// hold the game, of the intro, the stage end and the menus after a death
// hold every death where it is, so it goes on once play does.
#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "stage/core/stage_rules.h"
#include "stage/draw/chara/chara_drawing.h"
#include "stage/draw/chara/hero_drawing.h"
#include "stage/draw/items/item_drawing.h"
#include "stage/draw/stage_drawing.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/items/stage_item.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"
#include "stage/draw/shots/shot_drawing.h"
#include "stage/shots/shot_list.h"

namespace {

// The characters, the items and the shots, each by one drawn frame.
void AdvanceObjectDrawing(cStageScene& scene, int animate) {
  g_CharaList.ForEach([&](cStageChara& chara) {
    if (scene.DrawCharaAndCheckDeath(chara, animate)) scene.RemoveChara(chara);
  });
  g_ItemList.ForEach([](cStageItem& item) { AdvanceItemDrawing(item); });
  const ScreenOrigin view = ScreenOrigin::Now();
  g_ShotList.ForEach([&view](cStageShot& shot) { AdvanceShotDrawing(shot, view); });
}

}  // namespace

void cStageScene::Draw(int play, int overlay, int animate, int hint) {
  // A paused stage that is hidden shows only its background: nothing moves.
  if (IsStageHiddenByPause(*this, play)) {
    DrawStagePixels(*this, play, overlay, hint);
    return;
  }
  // The objects after the hero are drawn with the pass's animate flag,
  // except in the pass whose hero's death end sets a new attempt up: that
  // attempt's objects are drawn as set up, without advancing. A replay's
  // playback sets its attempt up outside any draw, and nothing in the replay
  // file tells it that the recorded attempt began after a lost life, so one
  // tick here would leave every character a tick ahead of its playback.
  const int newAttempt = DrawHeroAndCheckDeath(animate);
  AdvanceObjectDrawing(*this, newAttempt ? 0 : animate);
  AdvanceStageDrawing(*this, play, overlay);
  DrawStagePixels(*this, play, overlay, hint);
}

int cStageScene::DrawCharaAndCheckDeath(cStageChara& chara, int animate) {
  if (chara.dead) return AdvanceCharaDeath(chara, animate ? 0 : 1);
  if (chara.present || chara.awake) AdvanceCharaDrawing(chara, animate ? 0 : 1);
  if (animate) AdvanceDropIcon(chara);
  return 0;
}

int cStageScene::DrawHeroAndCheckDeath(int animate) {
  cHero* hero = PlayerHero();
  if (hero == nullptr) return 0;
  if (!hero->dead) {
    AdvanceCharaDrawing(*hero, animate ? 0 : 1);
    if (animate) AdvanceHeroBoxDisplay(*hero);
    return 0;
  }
  // Only the play draw may end the death: the end changes the phase.
  if (!AdvanceCharaDeath(*hero, animate ? 0 : 1) || !animate) return 0;
  return HeroDeathEnded();
}

int cStageScene::HeroDeathEnded() {
  if (g_Game.m_nTitleCmd == kTitleCmdReplay) {
    g_SaveData.RestoreStageStart(1, g_Game.m_nPlayMode, g_bDirectStage);
    SetStage(1, 1);
    m_nPhase = kPhaseIntro;
    return 1;
  }
  if (!UseLife(g_SaveData)) {
    m_nPhase = kPhaseEndWait;
    return 0;
  }
  if (g_PlayStage.CarryOver) g_SaveData.ResetCarryOverFlags();
  g_SaveData.RestoreStageStart(0, g_Game.m_nPlayMode, g_bDirectStage);
  if (g_Game.m_nPlayMode == PM_STORY && g_StageRules.retryMenu) {
    m_nPhaseCounter = 0;
    m_nPhase = kPhaseRetryMenu;
    return 0;
  }
  SetStage(1, 0);
  m_nPhase = kPhaseIntro;
  return 1;
}
