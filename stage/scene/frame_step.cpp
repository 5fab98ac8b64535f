// One displayed frame of play: the frame's input (live or from the replay),
// the play timer and the time limit, then the stage's simulation speed-level
// times, then the frame's drawing. Within a sub-step the block characters
// act first, then the hero, then the other characters, then the shots; after
// them the removal areas and the hero's contact passes. Each place where the
// hero can die writes its label to the debug log.
#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "input/input_record.h"
#include "input/replay.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "stage/blocks/block_collision.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/core/stage_sinks.h"
#include "stage/items/stage_item.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/scene_resources.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"
#include "stage/shots/shot_list.h"

namespace {

bool InReplay() { return g_Game.m_nTitleCmd == kTitleCmdReplay; }

bool HeroDead() {
  const cHero* hero = PlayerHero();
  return hero == nullptr || hero->dead;
}

cInput* PlayerInputRecord() { return g_Inputs.empty() ? nullptr : &g_Inputs[0]; }

}  // namespace

int cStageScene::CheckPauseKey() {
  if (!g_StageRules.pauseMenu || !IsSpecialKeyHeld(SpecialKey::Space)) return 0;
  RequestStageSound(4);
  m_nSavedPhase = m_nPhase;
  m_nSavedPhaseCounter = m_nPhaseCounter;
  return 1;
}

void cStageScene::PlayFrame() {
  m_LastFrameEnd = FrameEnd::NoDraw;
  if (m_bQuit.load()) {
    PostCloseRequest();
    m_LastFrameEnd = FrameEnd::Close;
    return;
  }
  if (CheckPauseKey()) {
    m_nPhaseCounter = 0;
    m_nPhase = kPhasePause;
    m_LastFrameEnd = FrameEnd::PhaseChanged;
    return;
  }
  if (CheckReplaySaveKeys()) return;
  ++m_nFrameCount;
  cInput* input = PlayerInputRecord();
  if (InReplay() && input != nullptr) {
    input->ClearDir();
    input->ClearButtons();
    if (g_Replay.PlayFrame(*input) != 0) {
      g_SaveData.RestoreStageStart(1, g_Game.m_nPlayMode, g_bDirectStage);
      SetStage(1, 1);
      m_nPhase = kPhaseIntro;
      m_LastFrameEnd = FrameEnd::PhaseChanged;
      return;
    }
    input->UpdateFrameState();
  } else if (input != nullptr) {
    TakeFrameInput();
  }
  CountPlayTime(*this);
  if (CountTimeLimit(*this, -1) == 1 && !HeroDead()) {
    HeroDeath(nullptr);
    return;
  }
  if (cHero* hero = PlayerHero()) {
    hero->ClearFrameFlags();
    hero->hitFlag1 = hero->hitFlag2 = 0;
  }
  g_CharaList.ForEach([](cStageChara& chara) {
    if (!chara.dead) chara.ClearFrameFlags();
    chara.hitFlag1 = chara.hitFlag2 = 0;
  });
  const int level = g_PlayStage.Level;
  for (int i = 1; i <= level; ++i) {
    m_nSubStep = i;
    g_StageSpace.subStep = i;
    ++m_nSubStepTotal;
    UpdateActivity();
    if (!StepExistenceTimers()) return;
    g_CharaList.ForEach([](cStageChara& chara) {
      chara.StepInvincibleTimers();
      chara.ClearPressedFlags();
      chara.SavePos();
    });
    if (cHero* hero = PlayerHero()) {
      hero->StepInvincibleTimers();
      hero->ClearPressedFlags();
      hero->SavePos();
      hero->existTimeCopy = hero->existTime;
    }
    g_StageSpace.scrollX.Step();
    g_StageSpace.scrollY.Step();
    if (!StepBlockCharas() || !StepHero() || !StepOtherCharas()) return;
    StepShots(*this, i);
    if (i == 1 && !HeroDead()) StepRemovalAreas();
    if (!StepHeroContacts()) return;
  }
  Draw(1, 0, 1, 1);
  if (m_LastFrameEnd == FrameEnd::NoDraw) m_LastFrameEnd = FrameEnd::Drawn;
}

void cStageScene::TakeFrameInput() {
  cInput& input = g_Inputs[0];
  if (const cHero* hero = PlayerHero()) {
    if (hero->dirLock) input.ClearDir();
    if (hero->buttonLock) input.ClearButtons();
  }
  if (input.m_wButton == 0) m_bSwallowButtons = 0;
  else if (m_bSwallowButtons) input.m_wButton = 0;
  input.UpdateFrameState();
  if (g_StageRules.replayRecording) g_Replay.RecordFrame(input);
}

void cStageScene::UpdateActivity() {
  if (cHero* hero = PlayerHero()) hero->present = hero->onScreen = hero->awake = 1;
  std::fill(m_vWakeGroups.begin(), m_vWakeGroups.end(), 0);
  g_CharaList.ForEach([&](cStageChara& chara) {
    if (TestCharaConds(chara)) {
      chara.present = 1;
      chara.onScreen = chara.IsOnScreen();
      if (chara.IsSeen() && chara.def.m_bGroup) {
        const std::size_t group = chara.def.m_nGroupNo;
        if (group < m_vWakeGroups.size()) m_vWakeGroups[static_cast<long long>(group)] = 1;
      }
    } else {
      chara.present = chara.onScreen = 0;
    }
  });
  g_CharaList.ForEach([&](cStageChara& chara) { chara.awake = chara.present && chara.TryActivate(m_vWakeGroups); });
  g_ItemList.ForEach([](cStageItem& item) {
    item.present = TestItemConds(item);
    item.onScreen = item.present ? item.IsOnScreen() : 0;
  });
  UpdateShotActivity();
}

bool cStageScene::StepExistenceTimers() {
  if (HeroDead()) return true;
  g_CharaList.ForEach([&](cStageChara& chara) {
    if (chara.dead || chara.existTime == kUnlimitedTime) return;
    if (--chara.existTime < 0) RemoveChara(chara);
  });
  g_ItemList.ForEach([&](cStageItem& item) {
    if (item.existTime == kUnlimitedTime) return;
    if (--item.existTime < 0) RemoveItem(item);
  });
  return true;
}

bool cStageScene::HeroDeath(const char* label) {
  if (label != nullptr) StageDebugLog(label);
  HeroDied();
  return false;
}

bool cStageScene::Goal() {
  PrepareStageEnd(*this);
  m_nPhase = kPhaseStageEnd;
  m_LastFrameEnd = FrameEnd::PhaseChanged;
  return false;
}

void cStageScene::HeroDied() {
  cHero* hero = PlayerHero();
  RequestStageSound(8);
  if (hero != nullptr && hero->KillChara() == 1) {
    PrepareStageEnd(*this);
    m_nPhase = kPhaseStageEnd;
    m_LastFrameEnd = FrameEnd::PhaseChanged;
  }
}
