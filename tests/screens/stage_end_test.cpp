// The end of a stage on small hand-made stages: the tally with its extra
// lives, the ranking check at the last stage of a run, the registration of
// new records, and what follows per title command (the next stage of the
// run c01-1..c01-3, the world map, the challenge list with its progress
// file, free play and the replay).
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "definitions/save_data/save_data.h"
#include "definitions/save_data/save_slots.h"
#include "foundation/record.h"
#include "input/input_record.h"
#include "input/replay.h"
#include "input/replay_file.h"
#include "input/replay_serving.h"
#include "platform/main_thread.h"
#include "project/data_paths.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "project/world_map.h"
#include "screens/ranking/ranking_files.h"
#include "screens/stage_end/finish_stage.h"
#include "screens/stage_end/next_stage.h"
#include "screens/stage_end/ranking_registration.h"
#include "screens/stage_end/register_stage_end.h"
#include "screens/stage_end/stage_tally.h"
#include "screens/title/title_scene.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/game/game_clock.h"
#include "shell/game/timers.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_sinks.h"
#include "stage/scene/stage_end_slot.h"
#include "stage/scene/stage_hooks.h"
#include "tests/project/project_test_support.h"
#include "tests/screens/ranking_thread_closer.h"
#include "tests/stage/stage_fixture.h"

namespace {

constexpr int kSoundExtraLife = 15;

int Count(const std::vector<int>& sounds, int number) {
  return static_cast<int>(std::count(sounds.begin(), sounds.end(), number));
}

// A game folder with the run data\stg4\c01-1..c01-3 and the folders of the
// slots, the challenge file and the replays; the play stands on c01-1 of a
// story game.
class StageEndTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    StartProjectData();
    RegisterStageEnd();
    for (const char* folder :
         {"data/stg4", "user_data/story", "user_data/challenge", "user_data/free", "user_data/rpl4"})
      std::filesystem::create_directories(folder);
    for (int n = 1; n <= 3; ++n) {
      StageBuilder stage(20, 15, 2, 10 + n);
      for (int column = 0; column < 20; ++column) stage.Block(column, 14);  // a floor to stand on
      const std::string path = "data\\stg4\\c01-" + std::to_string(n) + ".stg4_000";
      ASSERT_TRUE(SaveFile(stage.stage, path)) << path;
    }
    g_SaveData.Reset();
    SetCurrentStage(g_SaveData, "data\\stg4\\c01-1.stg4", 0, 0, 0);
    g_SaveData.m_nSeriesStage = 1;
    g_SaveData.m_nSeries = 5;  // the world stage's clear switch
    g_SaveData.m_nLife = 3;
    g_Game.m_nTitleCmd = kTitleNewGame;
    g_Game.m_nPlayMode = PM_STORY;
    g_Game.m_bRanking = 0;
  }
  void TearDown() override {
    run_.reset();
    g_StageEnd = StageEndSlot();
    g_Game.m_nTitleCmd = g_Game.m_nPlayMode = g_Game.m_bRanking = 0;
    g_bDirectStage = 0;
    g_strReplayFile.clear();
    g_Replay.Empty();
    g_ReplayPrev.Empty();
    g_SaveData.Reset();
    g_ReplaySaveData.Reset();
    g_ReplaySaveDataPrev.Reset();
    StopProjectData();
    GameFolderTest::TearDown();
  }
  cStageScene& Play(int width = 20) { return Play(StageBuilder(width, 15, 2, 10)); }
  cStageScene& Play(const StageBuilder& builder, std::uint32_t seed = 7) {
    run_.reset();  // a harness gives the program's own sinks back when it goes
    run_ = std::make_unique<StageRun>(builder, seed);
    // The extra-life messages stop the game: their frames pass at once.
    SetGameClock(clock_.AsGameClock());
    ResetFrameTimers();
    return run_->harness.Scene();
  }
  const std::vector<int>& Sounds() { return run_->harness.Sounds(); }

  std::unique_ptr<StageRun> run_;
  cManualClock clock_;
};

TEST_F(StageEndTest, ExtraLifeStepsCountEachStepPassed) {
  EXPECT_EQ(ExtraLifeSteps(19000, 31000, 10000), 2);  // 3 - 1
  EXPECT_EQ(ExtraLifeSteps(19000, 19999, 10000), 0);
  EXPECT_EQ(ExtraLifeSteps(31000, 19000, 10000), 0);  // never negative
  EXPECT_EQ(ExtraLifeSteps(0, INT_MAX, 1), INT_MAX);   // taken in 64 bits
  EXPECT_EQ(ExtraLifeSteps(INT_MIN, INT_MAX, 1), 4294967295LL);
  EXPECT_EQ(ExtraLifeSteps(0, 100, 0), 0);
}

TEST_F(StageEndTest, TallyAddsTheStageAndHandsOutExtraLives) {
  g_System->m_bScoreStep = 1;
  g_System->m_nScoreStep = 10000;
  cStageScene& scene = Play();
  g_SaveData.m_nStageValue = 19000;
  g_SaveData.m_nScore = 12000;
  g_SaveData.m_nLife = 3;
  scene.m_bTimeStopped = 0;
  scene.m_nTimeLeft = 40;
  scene.m_nPlayTime = 700;
  run_->harness.Hero()->hp = 6;
  run_->harness.Hero()->sp = 2;
  run_->harness.ClearRecords();
  PrepareStageEnd(scene);
  EXPECT_EQ(Sounds().front(), 14);
  EXPECT_EQ(g_SaveData.m_nStageValue, 31000);
  EXPECT_EQ(g_SaveData.m_nResult1, 40);
  EXPECT_EQ(g_SaveData.m_nResult2, 700);
  EXPECT_EQ(g_SaveData.m_nResult3, 6);
  EXPECT_EQ(g_SaveData.m_nResult4, 2);
  EXPECT_EQ(g_SaveData.m_nLife, 5);
  EXPECT_EQ(Count(Sounds(), kSoundExtraLife), 2);
  EXPECT_EQ(scene.m_nWaitMode, 1);  // each shown as a message that stops the game

  scene.m_bQuit = 1;  // a closing program stops handing them out
  g_SaveData.m_nScore = 20000;
  TallyStageResult(scene);
  EXPECT_EQ(g_SaveData.m_nLife, 5);
  scene.m_bQuit = 0;
}

TEST_F(StageEndTest, LivesStopAtNinetyNineAndUnlimitedLivesNeverChange) {
  g_System->m_bScoreStep = 1;
  g_System->m_nScoreStep = 1000;
  cStageScene& scene = Play();
  g_SaveData.m_nLife = 98;
  g_SaveData.m_nScore = 3000;
  run_->harness.ClearRecords();
  TallyStageResult(scene);
  EXPECT_EQ(g_SaveData.m_nLife, 99);
  EXPECT_EQ(Count(Sounds(), kSoundExtraLife), 3);  // every step sounds, also at 99

  g_SaveData.m_nLife = cSaveData::kUnlimited;
  run_->harness.ClearRecords();
  TallyStageResult(scene);
  EXPECT_EQ(g_SaveData.m_nLife, cSaveData::kUnlimited);
  EXPECT_EQ(Count(Sounds(), kSoundExtraLife), 0);
}

TEST_F(StageEndTest, AJumpOfMillionsOfStepsTalliesAtMostAHundredAndTotalsSaturate) {
  g_System->m_bScoreStep = 1;
  g_System->m_nScoreStep = 1;
  cStageScene& scene = Play();
  g_SaveData.m_nLife = 1;
  g_SaveData.m_nStageValue = INT_MAX - 5;
  g_SaveData.m_nScore = 1000;
  g_SaveData.m_nResult2 = INT_MIN + 1;
  scene.m_nPlayTime = -10;
  run_->harness.ClearRecords();
  TallyStageResult(scene);
  EXPECT_EQ(g_SaveData.m_nStageValue, INT_MAX);
  EXPECT_EQ(g_SaveData.m_nResult2, INT_MIN);
  EXPECT_EQ(Count(Sounds(), kSoundExtraLife), 5);

  g_SaveData.m_nStageValue = 0;
  g_SaveData.m_nScore = 5000000;
  run_->harness.ClearRecords();
  TallyStageResult(scene);
  EXPECT_EQ(Count(Sounds(), kSoundExtraLife), kMostExtraLifeSteps);
  EXPECT_EQ(g_SaveData.m_nLife, 99);
}

TEST_F(StageEndTest, NextStageNamesFollowTheRunStem) {
  cStageScene& scene = Play();
  std::string name;
  EXPECT_EQ(MakeNextStageFileName(scene, name, 2), 1);
  EXPECT_EQ(name, "data\\stg4\\c01-2.stg4_000");
  EXPECT_EQ(MakeNextStageFileName(scene, name, 4), 0);
  EXPECT_TRUE(name.empty());
  EXPECT_EQ(MakeNextStageFileName(scene, name, 0), 0);
  EXPECT_EQ(IsLastStage(scene, 3), 0);
  EXPECT_EQ(IsLastStage(scene, 4), 1);

  scene.m_bOwnNextStage = 1;  // a stage that names its next file itself
  scene.m_strNextStageFile = "data\\stg4\\c01-3.stg4";
  EXPECT_EQ(MakeNextStageFileName(scene, name, 9), 1);
  EXPECT_EQ(name, "data\\stg4\\c01-3.stg4_000");
  scene.m_strNextStageFile = ".stg4";  // an empty stem names nothing
  EXPECT_EQ(MakeNextStageFileName(scene, name, 2), 0);

  scene.m_bOwnNextStage = 0;
  g_SaveData.m_bSeriesStart = 0;  // a stage that is not part of a run
  EXPECT_EQ(MakeNextStageFileName(scene, name, 2), 0);
}

TEST_F(StageEndTest, TheRankingIsCheckedOnlyAtTheLastStageOfARun) {
  g_Game.m_bRanking = 1;
  g_System->m_vRankingSettings[PM_STORY].m_bOn = 1;
  cStageScene& scene = Play();
  g_SaveData.m_nScore = 500;
  scene.m_nNextStage = 2;
  PrepareStageEnd(scene);
  EXPECT_EQ(scene.m_bResultShown, 0);
  EXPECT_EQ(scene.m_nResults[0], 0);

  scene.m_nNextStage = 4;  // no c01-4: this was the last stage
  PrepareStageEnd(scene);
  EXPECT_EQ(scene.m_nResults[0], 1000);  // two tallies of 500
  EXPECT_EQ(scene.m_bResultShown, 1);
  EXPECT_EQ(scene.m_nRankPlaces[0], 0);  // an empty table takes it first

  g_PlayStage.RankingSwitches[0] = 0;  // a stage that does not rank the score
  PrepareStageEnd(scene);
  EXPECT_EQ(scene.m_nRankPlaces[0], -1);
}

TEST_F(StageEndTest, StoryGoesOnToTheNextStageOfTheRun) {
  cStageScene& scene = Play();
  scene.m_nNextStage = 2;
  EXPECT_EQ(FinishStage(scene), GS_STAGE);
  EXPECT_EQ(g_SaveData.m_nSeriesStage, 2);
  EXPECT_NE(g_Stage.FilePath.find("c01-2"), std::string::npos);
  EXPECT_EQ(g_Stage.m_vChara[0].m_nRow, 12);  // the hero start of c01-2
  EXPECT_EQ(g_SaveData.m_vSwitch[5], 0);
}

TEST_F(StageEndTest, StoryAfterTheLastStageRecordsTheClearAndGoesBackToTheMap) {
  cStageScene& scene = Play();
  g_SaveData.m_nSeriesStage = 3;
  g_SaveData.m_nStageValue = 4200;
  scene.m_nNextStage = 4;
  EXPECT_EQ(FinishStage(scene), GS_WORLDMAP);
  EXPECT_EQ(g_SaveData.m_nSeriesStage, 3);  // back to where it was
  EXPECT_EQ(g_SaveData.m_vSwitch[5], 1);
  EXPECT_EQ(g_SaveData.GetStageValue(g_SaveData.m_strStageKey), 4200);

  cWorldStage entry;  // the map's entry asks for the next round
  entry.m_nAfterLast = 1;
  g_SaveData.m_pMapStage = &entry;
  const int round = g_SaveData.m_nRound;
  EXPECT_EQ(FinishStage(scene), GS_WORLDMAP);
  EXPECT_EQ(g_SaveData.m_nRound, round + 1);
  EXPECT_EQ(g_SaveData.m_vSwitch[5], 0);

  entry.m_nAfterLast = 2;  // ... or the title, keeping the stage index
  scene.m_nNextStage = 7;
  EXPECT_EQ(FinishStage(scene), GS_TITLE);
  EXPECT_EQ(g_SaveData.m_nSeriesStage, 7);
  g_SaveData.m_pMapStage = nullptr;

  g_SaveData.m_nSeries = 5000;  // a clear switch past the switches records nothing
  EXPECT_EQ(FinishStage(scene), GS_WORLDMAP);
}

// A next stage that is there but cannot be played (damaged: its end value
// zeroed) ends the run without the clear: back to the map, or the challenge
// list, and nothing recorded as cleared; its failure raises the close. A
// missing next stage still ends the run as a clear.
TEST_F(StageEndTest, ADamagedNextStageEndsTheRunWithoutTheClear) {
  {
    std::fstream stage("data/stg4/c01-2.stg4_000", std::ios::in | std::ios::out | std::ios::binary);
    stage.seekp(-4, std::ios::end);
    stage.write("\0\0\0\0", 4);
  }
  cStageScene& scene = Play();
  const std::int32_t storedValue = g_SaveData.GetStageValue(g_SaveData.m_strStageKey);
  g_SaveData.m_nStageValue = 4200;
  scene.m_nNextStage = 2;
  EXPECT_EQ(FinishStage(scene), GS_WORLDMAP);
  EXPECT_EQ(g_SaveData.m_nSeriesStage, 1);
  EXPECT_EQ(g_SaveData.m_vSwitch[5], 0);
  EXPECT_EQ(g_SaveData.GetStageValue(g_SaveData.m_strStageKey), storedValue);
  EXPECT_EQ(g_SaveData.m_bBackToMap, 1);  // the figure steps back off the stage
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Fatal);

  g_Game.m_nTitleCmd = kTitleChallenge;
  g_Game.m_nPlayMode = PM_CHALLENGE;
  g_SaveData.m_vPair.assign(5, cIntPair());
  g_SaveData.m_nSeries = 1;
  EXPECT_EQ(FinishStage(scene), GS_CHALLENGE);
  EXPECT_EQ(g_SaveData.m_vPair[0].nFirst, 0);
  EXPECT_FALSE(std::filesystem::exists("user_data/challenge/Challenge.dat"));
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Fatal);

  std::filesystem::remove("data/stg4/c01-2.stg4_000");
  g_Game.m_nTitleCmd = kTitleNewGame;
  g_Game.m_nPlayMode = PM_STORY;
  g_SaveData.m_nSeries = 5;
  EXPECT_EQ(FinishStage(scene), GS_WORLDMAP);
  EXPECT_EQ(g_SaveData.m_vSwitch[5], 1);
  EXPECT_EQ(platform::TakeCloseRequest(), std::nullopt);
}

TEST_F(StageEndTest, ChallengeClearSavesTheProgressAndNeverClosesStages) {
  g_Game.m_nTitleCmd = kTitleChallenge;
  g_Game.m_nPlayMode = PM_CHALLENGE;
  g_System->m_nPairCount = 5;
  g_SaveData.m_vPair.assign(5, cIntPair());
  g_SaveData.m_nSeries = 1;  // challenge stage 1
  g_SaveData.m_nPairIndex = 1;
  cStageScene& scene = Play();
  scene.m_nNextStage = 2;
  EXPECT_EQ(FinishStage(scene), GS_STAGE);  // the run goes on first

  scene.m_nNextStage = 4;
  g_SaveData.m_nStageValue = 300;
  g_SaveData.m_nStageValueTotal = 1000;
  EXPECT_EQ(FinishStage(scene), GS_CHALLENGE);
  EXPECT_EQ(g_SaveData.m_vPair[0].nFirst, 1);
  EXPECT_EQ(g_SaveData.m_vPair[0].nSecond, 300);
  EXPECT_EQ(g_SaveData.m_nStageValueTotal, 1300);
  EXPECT_EQ(g_SaveData.m_nPairIndex, 2);
  ASSERT_TRUE(std::filesystem::exists("user_data/challenge/Challenge.dat"));
  cSaveData saved;
  ASSERT_TRUE(saved.LoadChallenge());
  EXPECT_EQ(saved.m_nPairIndex, 2);
  EXPECT_EQ(saved.m_vPair[0].nSecond, 300);

  g_SaveData.m_nPairIndex = 5;  // stage 1 cleared again, worse: stage 5 stays open
  g_SaveData.m_nStageValue = 200;
  EXPECT_EQ(FinishStage(scene), GS_CHALLENGE);
  EXPECT_EQ(g_SaveData.m_nPairIndex, 5);
  EXPECT_EQ(g_SaveData.m_vPair[0].nSecond, 300);
  EXPECT_EQ(g_SaveData.m_nStageValueTotal, 1300);

  g_SaveData.m_nSeries = 5;  // the last stage opens nothing past the count
  EXPECT_EQ(FinishStage(scene), GS_CHALLENGE);
  EXPECT_EQ(g_SaveData.m_nPairIndex, 5);
  g_SaveData.m_nSeries = 9;  // past the list: reported, nothing written
  EXPECT_EQ(FinishStage(scene), GS_CHALLENGE);
}

TEST_F(StageEndTest, FreePlayRunsOnOrStartsOverAndAReplayPlaysAgain) {
  g_Game.m_nTitleCmd = kTitleFree;
  g_Game.m_nPlayMode = PM_FREE;
  cStageScene& scene = Play();
  scene.m_nNextStage = 2;
  EXPECT_EQ(FinishStage(scene), GS_STAGE);
  EXPECT_EQ(g_SaveData.m_nSeriesStage, 2);
  scene.m_nNextStage = 4;
  EXPECT_EQ(FinishStage(scene), GS_TITLE);  // the run is over

  g_bDirectStage = 1;  // a stage played directly starts over
  EXPECT_EQ(FinishStage(scene), GS_STAGE);
  EXPECT_EQ(g_SaveData.m_bSeriesStart, 0);
  g_bDirectStage = 0;

  g_Game.m_nTitleCmd = kTitleReplay;
  g_Game.m_nPlayMode = PM_REPLAY;
  g_SaveData.m_nLife = 4;
  g_SaveData.SaveStageStart();
  g_SaveData.m_nLife = 1;
  EXPECT_EQ(FinishStage(scene), GS_STAGE);
  EXPECT_EQ(g_SaveData.m_nLife, 4);
}

TEST_F(StageEndTest, CarriedHeroesAreStoredWhenTheStageCarriesThemOut) {
  g_System->m_vCarryOverEnable.assign(g_System->m_vCarryOverEnable.size(), 1);
  cStageScene& scene = Play();
  g_PlayStage.CarryOut = 1;
  run_->harness.Hero()->hp = 17;
  scene.m_nNextStage = 2;
  FinishStage(scene);
  EXPECT_EQ(g_SaveData.m_bCarryOver, 1);
  EXPECT_EQ(g_SaveData.m_vCarryChara[0].m_nHp, 17);
}

// A story play of c01-1 whose hero, with a maximum HP of 40, is carried out
// with every carry-over item enabled and the music `music` asked for at its
// set-up; the clear loads the run's c01-2 (hero start (2, 12), no character).
class CarryOutTest : public StageEndTest {
 protected:
  cStageScene& PlayCarryingOut(int music = 0) {
    g_System->m_vCarryOverEnable.assign(g_System->m_vCarryOverEnable.size(), 1);
    StageBuilder first(20, 15, 2, 10);
    first.stage.CarryOut = 1;
    first.stage.BgmNumber = music;
    first.Hero().m_nMaxHp = 40;
    return Play(first);
  }
  static void ClearIntoTheSecondStage(cStageScene& scene) {
    scene.m_nNextStage = 2;
    ASSERT_EQ(FinishStage(scene), GS_STAGE);
  }
  // The loaded stage's first attempt, with its own carry-over switch.
  cHero& EnterTheLoadedStage(int carryOver, std::uint32_t seed = 11) {
    g_Stage.CarryOver = carryOver;
    run_->harness.ClearRecords();
    run_->harness.Begin(seed);
    return *run_->harness.Hero();
  }
};

// The carried record holds only the enabled items, so the next stage's hero
// keeps its own entry: its start cell, its faction and the player as its
// operator. The carried maximum HP reaches it only when that stage carries
// over, also from a slot saved after the carry-out and continued.
TEST_F(CarryOutTest, TheNextStagesHeroKeepsItsOwnEntryAndTakesTheCarriedItemsOnlyWhenItCarriesOver) {
  for (bool throughSlot : {false, true}) {
    for (int carryOver : {1, 0}) {
      SCOPED_TRACE(testing::Message() << "slot " << throughSlot << ", carry-over " << carryOver);
      ASSERT_NO_FATAL_FAILURE(ClearIntoTheSecondStage(PlayCarryingOut()));
      if (throughSlot) {
        ASSERT_EQ(SaveToSlot(g_SaveData, 0), 1);
        g_SaveData.Reset();
        ASSERT_EQ(LoadFromSlot(g_SaveData, 0), 1);
        ASSERT_EQ(g_SaveData.m_bCarryOver, 1);
      }
      const cHero& hero = EnterTheLoadedStage(carryOver);
      EXPECT_EQ(static_cast<int>(hero.x) / 32 - 10, 2);
      EXPECT_EQ(static_cast<int>(hero.y) / 32 - 10, 12);
      EXPECT_EQ(hero.side, 0);
      EXPECT_EQ(g_CharaList.Count(), 0u);  // no computer character stands in for the hero
      EXPECT_EQ(hero.def.m_nMaxHp, carryOver ? 40 : 10);
    }
  }
}

// Play and playback of a stage the hero was carried into set the same hero
// up, so the replay repeats every frame.
TEST_F(CarryOutTest, AReplayRecordedOnTheCarriedInStagePlaysBackExactly) {
  constexpr const char* kReplayPath = "user_data\\rpl4\\carried.rpl4_878";
  g_System->m_bReplayRecord = 1;
  ASSERT_NO_FATAL_FAILURE(ClearIntoTheSecondStage(PlayCarryingOut()));
  EnterTheLoadedStage(1, 1234);
  std::vector<std::uint64_t> recorded;
  for (int frame = 0; frame < 120; ++frame) {
    run_->harness.Step(frame % 3 == 0 ? kDirRight : 0, static_cast<std::uint16_t>((frame / 7) % 2));
    recorded.push_back(run_->harness.Hash());
  }
  ASSERT_EQ(WriteReplayFile(g_Replay, kReplayPath, g_Stage, g_PlayStage, g_ReplaySaveData), 1);

  g_Game.m_nTitleCmd = kTitleReplay;
  g_Game.m_nPlayMode = PM_REPLAY;
  ASSERT_TRUE(LoadChosenReplay(kReplayPath));
  run_->harness.Begin(99);
  std::vector<std::uint64_t> played;
  for (std::size_t frame = 0; frame < recorded.size(); ++frame) {
    ASSERT_EQ(run_->harness.Step(0, 0), FrameEnd::Drawn) << "frame " << frame;
    played.push_back(run_->harness.Hash());
  }
  EXPECT_EQ(played, recorded);
}

// The music the stage asked for last goes on into the next stage when the
// project carries it (item 24): the set-up's own, or the one "BGMの再生"
// asked for since; the next stage's own music (3) gives way to it.
TEST_F(CarryOutTest, TheNextStagePlaysTheMusicTheStageBeforeAskedForLast) {
  for (int commanded : {0, 2}) {
    SCOPED_TRACE(commanded);
    cStageScene& scene = PlayCarryingOut(1);
    if (commanded != 0) RequestStageMusic(commanded, 1);  // as the command asks for it
    ASSERT_NO_FATAL_FAILURE(ClearIntoTheSecondStage(scene));
    g_Stage.BgmNumber = 3;
    EnterTheLoadedStage(1);
    ASSERT_FALSE(run_->harness.Music().empty());
    EXPECT_EQ(run_->harness.Music().front().first, commanded != 0 ? commanded : 1);
  }
}

// Registration under the fixed name of modes 1 and 3: the new rows go into
// their tables, the file is written and the window runs until it is closed.
TEST_F(StageEndTest, RegistrationUnderTheFixedNameInsertsSavesAndShowsTheWindow) {
  for (int mode : {1, 3}) {
    g_Game.m_bRanking = 1;
    g_System->m_vRankingSettings[PM_STORY].m_bOn = 1;
    g_UserOption->m_nRankingMode = mode;
    g_UserOption->m_strName = "ace";
    cStageScene& scene = Play();
    g_SaveData.m_nScore = 100 * mode;
    scene.m_nNextStage = 4;
    PrepareStageEnd(scene);
    ASSERT_EQ(scene.m_bResultShown, 1);
    run_->harness.ClearRecords();
    std::thread closer = CloseRankingWindowWhenOpen();
    StartRankingRegistration(scene);
    closer.join();
    EXPECT_EQ(Sounds().front(), 16);
    EXPECT_EQ(scene.m_bRecordsRegistered, 1);
    StartRankingRegistration(scene);  // once per stage end
    EXPECT_EQ(Count(Sounds(), 16), 1);
  }
  cRanking saved;
  ASSERT_EQ(LoadRanking(saved, PM_STORY, g_SaveData.m_strStage, 0, 0, 0), 1);
  EXPECT_EQ(saved.m_vTables[0].m_vEntries[0].m_strName, "ace");
  EXPECT_EQ(saved.m_vTables[0].m_vEntries[0].m_nScore, 400);  // the totals of both ends
  EXPECT_EQ(saved.m_vTables[0].m_vEntries[1].m_nScore, 100);
}

TEST_F(StageEndTest, NothingIsRegisteredWithoutANewRecordOrWithRankingOff) {
  g_UserOption->m_nRankingMode = 1;
  cStageScene& scene = Play();
  scene.m_bResultShown = 1;
  run_->harness.ClearRecords();
  StartRankingRegistration(scene);  // ranking off for the play
  g_Game.m_bRanking = 1;
  scene.m_bResultShown = 0;
  StartRankingRegistration(scene);
  EXPECT_EQ(Count(Sounds(), 16), 0);
  EXPECT_EQ(scene.m_bRecordsRegistered, 0);
}

TEST_F(StageEndTest, TheRankingWindowEndsOnDecideAndStepsRankedGenres) {
  g_Game.m_bRanking = 1;
  cRankingSetting& setting = g_System->m_vRankingSettings[PM_STORY];
  setting.m_bOn = 1;
  setting.m_vGenre = {0, 1, 0, 1, 0};
  cStageScene& scene = Play();
  RankingWindow window = OpenRankingWindow();
  EXPECT_EQ(window.genre, 1);
  cInput input;
  input.Init();
  input.m_wButton = 8;
  run_->harness.ClearRecords();
  EXPECT_TRUE(RankingWindowFrame(scene, window, input));
  EXPECT_EQ(window.genre, 3);
  EXPECT_EQ(Sounds().back(), 6);
  input.m_bLatch = 0;
  input.m_wButton = 1;
  EXPECT_FALSE(RankingWindowFrame(scene, window, input));
  EXPECT_EQ(Sounds().back(), 1);
}

}  // namespace
