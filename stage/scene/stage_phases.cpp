// The phases around play: the intro banners, the pause menu, the stage end,
// the retry menu after a lost life and the game-over wait.
#include <algorithm>
#include <array>

#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "input/input_record.h"
#include "project/global_data.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "foundation/run_mode.h"
#include "graphics/device/device.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/core/stage_sinks.h"
#include "stage/draw/panel/stage_banners.h"
#include "project/system_record.h"
#include "stage/scene/scene_resources.h"
#include "stage/scene/stage_end_slot.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr int kBannerFrames = 80;
constexpr int kButtonDecide = 1;
constexpr int kButtonCancel = 2;
constexpr int kPauseMenuTerms = 19;
constexpr int kRetryMenuTerms = 23;

// Registration with F3 (ranking modes 0 and 1) or on decide (2 and 3).
int RankingMode() { return g_UserOption.IsStarted() ? g_UserOption->m_nRankingMode : 0; }

bool RankingPlaceReached(const std::array<std::int32_t, 5>& places) {
  return std::any_of(places.begin(), places.end(), [](std::int32_t place) { return place != -1; });
}

cInput* MenuInput() {
  if (g_Inputs.empty()) return nullptr;
  cInput& input = g_Inputs[0];
  input.LatchButtons(0);
  input.RepeatDirKeys();
  return &input;
}

// A menu of system terms [first, first + count), all visible.
void BuildTermMenu(cVector<cCmdItem>& menu, int first, int count) {
  menu.assign(static_cast<std::size_t>(count), cCmdItem());
  for (int i = 0; i < count; ++i) {
    menu[i].m_bVisible = 1;
    menu[i].m_strName = g_System->Term(first + i);
  }
}

// The banner of this intro frame, counting its frame: a replay's banner, or
// the start banner and then the second one, each for 80 frames while its
// switch is on; none in a test play of a single stage.
IntroBanner CountIntroBanner(std::int32_t& first, std::int32_t& second) {
  if (g_bFromEditor && g_bDirectStage) return IntroBanner::None;
  if (g_Game.m_nTitleCmd == kTitleCmdReplay) return first++ < kBannerFrames ? IntroBanner::Replay : IntroBanner::None;
  if (g_PlayStage.IntroSwitch1 && first++ < kBannerFrames) return IntroBanner::Start;
  if (g_PlayStage.IntroSwitch2 && second++ < kBannerFrames) return IntroBanner::Second;
  return IntroBanner::None;
}

// One frame of a stage menu's cursor: on the menu's first frame the cursor
// starts on `firstEntry`. The menu input after the cursor moved; null when
// there is none.
cInput* StepMenuCursor(cStageScene& scene, int firstEntry) {
  if (scene.m_nPhaseCounter == 0) {
    scene.m_nMenuCursor = firstEntry;
    ResetStageMenuCursor(firstEntry);
    scene.m_nPhaseCounter = 1;
  }
  cInput* input = MenuInput();
  if (input == nullptr) return nullptr;
  scene.m_nMenuCursor = MoveStageMenuCursor(*input, scene.m_Menu, scene.m_nMenuCursor);
  return input;
}

// Leaves the stage for the world map.
void LeaveForWorldMap(cStageScene& scene) {
  g_SaveData.MarkBackToMap();
  g_Game.m_nNextState = GS_WORLDMAP;
  scene.m_nPhaseCounter = 0;
  scene.SetPhase(kPhaseLeave);
}

// Back from the pause menu to the phase it interrupted; the buttons held
// now do not act there.
void ResumeSavedPhase(cStageScene& scene) {
  scene.m_bSwallowButtons = 1;
  scene.SetPhase(scene.m_nSavedPhase);
  scene.m_nPhaseCounter = scene.m_nSavedPhaseCounter;
}

}  // namespace

void cStageScene::Intro() {
  Draw(0, 1, 0, 1);
  const IntroBanner banner = CountIntroBanner(m_nBanner1, m_nBanner2);
  if (banner != IntroBanner::None) {
    DrawIntroBanner(banner, g_SaveData.m_nSeriesStage, &BackBuffer, WordSheet());
    return;
  }
  if (cHero* hero = PlayerHero()) hero->anime.SetPattern(hero->PassesBlocks() ? 2 : 0, 1);
  m_nBanner1 = 0;
  m_nPhase = kPhasePlay;
}

void cStageScene::PauseMenu() {
  if (CheckReplaySaveKeys()) return;
  BuildTermMenu(m_Menu, kPauseMenuTerms, 4);
  if (g_Game.m_nPlayMode == PM_STORY) {
    m_Menu[2].m_bVisible = g_StageRules.storyRetry && StoryStageFlag();
    m_Menu[3].m_bVisible = g_StageRules.storyMap && StoryStageFlag();
  } else if (g_Game.m_nPlayMode == PM_CHALLENGE) {
    const int entry = g_SaveData.m_nSeries - 1;
    m_Menu[2].m_bVisible = g_StageRules.challengeRetry && entry >= 0 && ChallengeRetryFlag(entry);
    m_Menu[3].m_bVisible = 0;
  } else {
    m_Menu[3].m_bVisible = 0;
  }
  cInput* input = StepMenuCursor(*this, 1);  // entries 0 and 1 are always shown
  if (input == nullptr) return;
  if (input->m_wButton & kButtonDecide) {
    RequestStageSound(1);
    switch (m_nMenuCursor) {
      case 0:
        m_nPhase = kPhaseLeave;
        if (g_bDirectStage) PostCloseRequest();
        else g_Game.m_nNextState = GS_TITLE;
        return;
      case 2:
        m_bSwallowButtons = 1;
        g_SaveData.RestoreStageStart(1, g_Game.m_nPlayMode, g_bDirectStage);
        SetStage(1, 0);
        m_nPhase = kPhaseIntro;
        m_nPhaseCounter = 0;
        return;
      case 3:
        m_bSwallowButtons = 1;
        g_SaveData.RestoreStageStart(0, g_Game.m_nPlayMode, g_bDirectStage);
        LeaveForWorldMap(*this);
        return;
      default:
        ResumeSavedPhase(*this);
        return;
    }
  }
  if (input->m_wButton & kButtonCancel) {
    RequestStageSound(2);
    ResumeSavedPhase(*this);
    return;
  }
  Draw(0, 1, 0, 1);
  DrawPauseMenu(*this);
}

void cStageScene::StageEnd() {
  const bool results = !g_PlayStage.AutoEnd;
  if (results) {
    if (CheckPauseKey()) {
      m_nPhase = kPhasePause;
      m_nPhaseCounter = 0;
      return;
    }
    CheckReplaySaveKeys();
    if (RankingMode() <= 1 && IsSpecialKeyHeld(SpecialKey::F3)) StartRankingRegistration(*this);
  }
  if (m_nPhaseCounter == 0) {
    m_nEndBanner = 0;
    m_nPhaseCounter = 1;
  }
  cInput* input = MenuInput();
  ++m_nPhaseCounter;
  const bool over = m_nPhaseCounter > 199;
  if (over && (!results || (input != nullptr && (input->m_wButton & kButtonDecide)))) {
    if (results) {
      if (m_bResultShown && RankingPlaceReached(m_nRankPlaces) && RankingMode() >= 2)
        StartRankingRegistration(*this);
      else
        RequestStageSound(1);
    }
    g_Game.m_nNextState = FinishStage(*this);
    m_nPhaseCounter = 0;
    m_nPhase = kPhaseLeave;
    return;
  }
  // The registration hint takes the place of the hint line.
  const bool registrationHint = results && RankingPlaceReached(m_nRankPlaces) && RankingMode() <= 1;
  Draw(0, 1, 0, registrationHint ? 0 : 1);
  m_nEndBanner = g_PlayStage.EndSwitch ? m_nEndBanner + 4 : 200;
  DrawStageEndOverlay(*this);
}

void cStageScene::RetryMenu() {
  if (CheckReplaySaveKeys()) return;
  BuildTermMenu(m_Menu, kRetryMenuTerms, 2);
  cInput* input = StepMenuCursor(*this, 0);
  if (input == nullptr) return;
  if (input->m_wButton & kButtonDecide) {
    RequestStageSound(1);
    if (m_nMenuCursor == 0) {
      SetStage(1, 0);
      m_nPhase = kPhaseIntro;
    } else {
      LeaveForWorldMap(*this);
    }
    return;
  }
  Draw(0, 1, 0, 1);
  DrawPauseMenu(*this);
}

void cStageScene::EndWait() {
  if (CheckPauseKey()) {
    m_nPhase = kPhasePause;
    return;
  }
  if (CheckReplaySaveKeys()) return;
  cInput* input = MenuInput();
  if (input != nullptr && (input->m_wButton & kButtonDecide)) {
    RequestStageSound(1);
    m_nPhase = kPhaseLeave;
    g_Game.m_nNextState = GS_TITLE;
    return;
  }
  Draw(0, 1, 0, 1);
  if (g_PlayStage.EndWaitSwitch) DrawGameOverBanner(&BackBuffer, WordSheet());
}
