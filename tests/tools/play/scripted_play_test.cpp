// The sample game's stages played through by their input scripts on the
// headless stage harness: each stage with a key is left with the key taken
// and the hero alive; every stage plays the same on every run of one seed.
#include <gtest/gtest.h>

#include "definitions/save_data/save_data.h"
#include "sample_stage_play.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/stage_scene.h"
#include "tools/sample_game/play/stage_scripts.h"
#include "tools/sample_game/project_files.h"

namespace {

using namespace sample_game;
using namespace sample_game_test;

constexpr std::uint32_t kSeed = 2026;

std::vector<ScriptFrame> Script(std::string_view text) {
  const auto frames = ParseInputScript(text);
  EXPECT_TRUE(frames.has_value());
  return frames.value_or(std::vector<ScriptFrame>{});
}

TEST(InputScript, CountsWordsAndCommentsMakeFrames) {
  const auto frames = ParseInputScript("# walk, then jump right\n2 R\n\n1 R J S W   # all at once\n1 -\n1 L U D\n");
  ASSERT_TRUE(frames);
  const std::vector<ScriptFrame> expected = {{2, 0}, {2, 0}, {2, 7}, {0, 0}, {1 | 4 | 8, 0}};
  EXPECT_EQ(*frames, expected);
}

TEST(InputScript, MalformedLinesAreRejected) {
  for (const char* text : {"R\n", "3\n", "0 R\n", "-2 R\n", "2 Q\n", "2 RJ\n", "2x R\n", "999999999 R\n"})
    EXPECT_FALSE(ParseInputScript(text)) << text;
}

class ScriptedPlay : public testing::Test {
 protected:
  LoadedSampleGame game_;
};

// Every story stage but the castle ends at its key; the castle ends with
// the boss.
TEST_F(ScriptedPlay, StoryStagesAreClearedByTheirScripts) {
  for (int index = 0; index < kStoryStageCount - 1; ++index) {
    SCOPED_TRACE(kStoryStages[index]);
    SampleStageRun run(kStoryStages[index], kSeed);
    ASSERT_TRUE(run.Loaded());
    ASSERT_TRUE(KeyStillOnStage());
    run.Play(Script(StoryStageScript(index)), [] { return !KeyStillOnStage(); });
    EXPECT_FALSE(KeyStillOnStage());
    ASSERT_NE(run.Harness().Hero(), nullptr);
    EXPECT_FALSE(run.Harness().Hero()->dead);
  }
}

// Whether the castle's boss (the one character drawn from the big extra
// bitmap) is still standing.
bool BossStands() {
  bool stands = false;
  g_CharaList.ForEach([&](cStageChara& chara) { stands = stands || (chara.def.m_nGraphicKind == 4 && !chara.dead); });
  return stands;
}

// The boss's death leaves its herald behind, which ends the stage two
// seconds later: the boss's own death flow stops with it.
TEST_F(ScriptedPlay, TheCastlesBossFallsToItsScriptAndTheStageEndsAfterAPause) {
  SampleStageRun run(kStoryStages[kStoryStageCount - 1], kSeed);
  ASSERT_TRUE(run.Loaded());
  ASSERT_EQ(g_CharaList.Count(), 1u);
  cStageScene& scene = run.Harness().Scene();
  int frame = 0, bossFell = -1;
  run.Play(Script(StoryStageScript(kStoryStageCount - 1)), [&] {
    ++frame;
    if (bossFell < 0 && !BossStands()) bossFell = frame;
    return scene.Phase() != kPhasePlay;
  });
  EXPECT_EQ(scene.Phase(), kPhaseStageEnd);
  ASSERT_GT(bossFell, 0);
  EXPECT_GE(frame - bossFell, 115);
  EXPECT_LE(frame - bossFell, 125);
  EXPECT_FALSE(run.Harness().Hero()->dead);
}

// The guide draws the garden's lucky number before the stage starts and
// keeps a stopwatch in stage variable 3.
TEST_F(ScriptedPlay, TheGuideSetsItsVariablesBeforeAndDuringTheGarden) {
  SampleStageRun run(kStoryStages[3], kSeed);
  ASSERT_TRUE(run.Loaded());
  const auto& variables = run.Harness().Scene().m_vStageVars;
  EXPECT_GE(variables[2], 1);
  EXPECT_LE(variables[2], 6);
  EXPECT_EQ(variables[3], 0);
  run.Play(std::vector<ScriptFrame>(200));
  EXPECT_GE(variables[3], 2);
}

TEST_F(ScriptedPlay, ChallengeStagesAreClearedByTheirScripts) {
  for (int index = 0; index < kChallengeStageCount; ++index) {
    SCOPED_TRACE(kChallengeStages[index]);
    SampleStageRun run(kChallengeStages[index], kSeed);
    ASSERT_TRUE(run.Loaded());
    run.Play(Script(ChallengeStageScript(index)), [] { return !KeyStillOnStage(); });
    EXPECT_FALSE(KeyStillOnStage());
    EXPECT_FALSE(run.Harness().Hero()->dead);
  }
}

// Two runs of a script from one seed give equal hashes on every frame, the
// castle's boss fight and the guide's effects included.
TEST_F(ScriptedPlay, EveryStagePlaysTheSameOnEveryRun) {
  for (const auto& [stage, text] : EveryStageScript()) {
    SCOPED_TRACE(stage);
    const std::vector<ScriptFrame> frames = Script(text);
    std::vector<std::uint64_t> first, second;
    // Each run starts from the same save data (the garden counts visits in
    // a common variable).
    for (auto* hashes : {&first, &second}) {
      g_SaveData = cSaveData();
      SampleStageRun run(stage, kSeed);
      *hashes = run.Play(frames);
    }
    ASSERT_EQ(first.size(), frames.size());
    EXPECT_EQ(first, second);
  }
}

}  // namespace
