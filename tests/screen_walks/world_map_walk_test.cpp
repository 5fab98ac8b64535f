// The world map on the sample game: reached by a new game, the figure walks
// from the start cell; stepping on the first stage, which is not open yet,
// opens the confirm menu at once; "no" puts the figure back, "yes" starts
// the stage, which plays the file the map loaded. Back from a stage the map
// auto-saves. A failure on the way (a damaged stage or picture) tells of
// itself and then asks before closing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "definitions/save_data/save_data.h"
#include "definitions/save_data/save_slots.h"
#include "definitions/stage/stage_record.h"
#include "foundation/game_files.h"
#include "foundation/message_box.h"
#include "map_walk_steps.h"
#include "player_threads.h"
#include "platform/input_devices.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "project/world_map.h"
#include "screens/mapmenu/map_menu_scene.h"
#include "shell/dialogs/message_box_dialog.h"
#include "shell/game/game.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/stage_scene.h"

namespace {

// The first stage's numbered files: the name the map gives, with a number
// behind.
std::vector<std::filesystem::path> FirstStageFiles() {
  const std::filesystem::path named =
      std::filesystem::absolute(ResolveGamePath(g_WorldMap->GetPointAt({7, 10})->m_vStage[0].m_strStage));
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(named.parent_path()))
    if (entry.path().filename().string().starts_with(named.filename().string())) files.push_back(entry.path());
  return files;
}

// The first stage's files damaged: their end value zeroed.
void DamageTheFirstStage() {
  const std::vector<std::filesystem::path> files = FirstStageFiles();
  ASSERT_FALSE(files.empty());
  for (const auto& file : files) {
    std::fstream stage(file, std::ios::in | std::ios::out | std::ios::binary);
    stage.seekp(-4, std::ios::end);
    stage.write("\0\0\0\0", 4);
  }
}

TEST(WorldMapWalk, NewGameWalksOntoTheFirstStageAndStartsIt) {
  cScreenWalk walk("world_map");
  ASSERT_TRUE(walk.Start());
  ASSERT_NO_FATAL_FAILURE(NewGameToTheMap(walk));
  walk.Step();
  walk.Shot("start");
  EXPECT_EQ(Map()->Cursor().x, 4);
  EXPECT_EQ(Map()->Cursor().y, 10);

  for (int i = 0; i < 3 && Map()->Phase() == cWorldMapScene::kWalk; ++i) walk.Tap(kKeyRight);
  ASSERT_EQ(Map()->Phase(), cWorldMapScene::kEnter);
  EXPECT_EQ(Map()->Cursor().x, 7);
  walk.Step();
  walk.Shot("confirm");
  EXPECT_EQ(g_MenuCursor.Top().nRow, 1);  // the menu opens on "no"
  walk.Tap(kKeyZ);
  EXPECT_EQ(Map()->Phase(), cWorldMapScene::kWalk);
  EXPECT_EQ(Map()->Cursor().x, 6);  // back where it came from

  walk.Tap(kKeyRight);
  ASSERT_EQ(Map()->Phase(), cWorldMapScene::kEnter);
  walk.Tap(kKeyUp);
  walk.Tap(kKeyZ);
  EXPECT_EQ(Map()->Phase(), cWorldMapScene::kLeave);
  EXPECT_EQ(g_SaveData.m_nSeriesStage, 1);
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nState == GS_STAGE; }));
  EXPECT_EQ(g_Game.m_nPrevState, GS_WORLDMAP);
  // The stage plays the file the map just loaded: the player stays open and
  // the scene runs into its opening with the stage's hero placed.
  ASSERT_EQ(walk.Harness().StepFrames(60), 60);
  walk.Shot("stage");
  ASSERT_NE(StageScene(), nullptr);
  EXPECT_GE(StageScene()->Phase(), kPhaseFadeIn);
  EXPECT_LE(StageScene()->Phase(), kPhasePlay);
  EXPECT_EQ(g_PlayStage.FilePath, g_Stage.FilePath);
  EXPECT_NE(PlayerHero(), nullptr);
  EXPECT_TRUE(walk.Harness().Close());
}

// The lives a map stage starts with: the lives left + 1 when the project
// carries them over from stage to stage, else the story's starting lives
// (the sample game's 3) every time.
TEST(WorldMapWalk, StageLivesFollowTheCarryOverSwitch) {
  for (int carry : {1, 0}) {
    SCOPED_TRACE(carry);
    cScreenWalk walk("world_map_lives");
    ASSERT_TRUE(walk.Start());
    g_System->m_bLifeCarryOver = carry;
    ASSERT_NO_FATAL_FAILURE(NewGameToTheMap(walk));
    g_SaveData.m_nLife = 7;
    ASSERT_NO_FATAL_FAILURE(EnterTheFirstStage(walk));
    ASSERT_EQ(Map()->Phase(), cWorldMapScene::kLeave);
    EXPECT_EQ(g_SaveData.m_nLifeStart, carry ? 8 : 3);
    EXPECT_TRUE(walk.Harness().Close());
  }
}

// A stage that gives up at once and goes back to the map, as its pause
// menu does.
class GiveUpStage : public cScene {
 public:
  GiveUpStage() : cScene(GS_STAGE) {}
  void Run() override {
    g_SaveData.MarkBackToMap();
    g_Game.m_nNextState = GS_WORLDMAP;
    Leave();
  }
};

// Back from a stage that was not cleared: the map auto-saves into the play's
// slot and puts the figure back on the cell it came from. The slot keeps
// the way back, so continuing it from the title steps back the same way
// instead of entering the stage at once.
TEST(WorldMapWalk, ReturnWithoutAClearAutoSavesAndStepsBack) {
  cScreenWalk walk("world_map_return");
  SetSceneFactory(GS_STAGE, [] { return std::make_unique<GiveUpStage>(); });
  ASSERT_TRUE(walk.Start());
  ASSERT_NO_FATAL_FAILURE(NewGameToTheMap(walk));
  ASSERT_NO_FATAL_FAILURE(EnterTheFirstStage(walk));
  const auto slotFile = walk.Folder() / "user_data" / "story" / "Story01.dat";
  EXPECT_FALSE(std::filesystem::exists(slotFile));
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nPrevState == GS_STAGE && Map() && Map()->Phase() == cWorldMapScene::kWalk; }));
  EXPECT_TRUE(std::filesystem::exists(slotFile));
  EXPECT_EQ(Map()->Cursor().x, 6);
  EXPECT_EQ(g_SaveData.m_bBackToMap, 0);
  cSaveData saved;
  ASSERT_TRUE(LoadFromSlot(saved, 0));
  EXPECT_EQ(saved.m_bBackToMap, 1);
  EXPECT_EQ(saved.m_nMapX, 7);  // the stage's cell

  walk.Tap(kKeyX);  // the map's menu, to the title
  ASSERT_TRUE(walk.StepUntil([] {
    auto* menu = dynamic_cast<cMapMenuScene*>(g_Game.Scene(GS_MAPMENU));
    return menu && menu->Phase() == cMapMenuScene::kMenu;
  }));
  for (int i = 0; i < 3; ++i) walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  walk.Tap(kKeyUp);
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil([] { return Title() && Title()->Phase() == cTitleScene::kMenu; }));
  walk.Tap(kKeyDown);  // continue, slot 0
  walk.Tap(kKeyZ);
  walk.Step();
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil([] { return Map() && Map()->Phase() == cWorldMapScene::kWalk; }));
  EXPECT_EQ(g_Game.m_nPrevState, GS_TITLE);  // no stage was entered on the way
  EXPECT_EQ(Map()->Cursor().x, 6);
  EXPECT_EQ(g_SaveData.m_bBackToMap, 0);
  EXPECT_TRUE(walk.Harness().Close());
  RegisterStageScene();
}

// A stage that comes back to the map without a clear and without the
// back-to-map flag, leaving the figure on the first stage's cell, whose file
// files have gone meanwhile.
class LeaveOnTheStageCell : public cScene {
 public:
  explicit LeaveOnTheStageCell(std::vector<std::filesystem::path> files) : cScene(GS_STAGE), m_files(std::move(files)) {}
  void Run() override {
    g_SaveData.m_nMapX = 7;
    for (const auto& file : m_files) std::filesystem::remove(file);
    g_Game.m_nNextState = GS_WORLDMAP;
    Leave();
  }

 private:
  std::vector<std::filesystem::path> m_files;
};

// The map enters a stage that is not open at once as it fades in; when that
// stage cannot be loaded it says so once, puts the figure back on the cell
// it came from and lets it walk.
TEST(WorldMapWalk, AStageEnteredAtOnceThatCannotLoadIsReportedOnceAndLeft) {
  cScreenWalk walk("world_map_unloadable");
  ASSERT_TRUE(walk.Start());
  const std::vector<std::filesystem::path> files = FirstStageFiles();
  ASSERT_FALSE(files.empty());
  SetSceneFactory(GS_STAGE, [files] { return std::make_unique<LeaveOnTheStageCell>(files); });
  ASSERT_NO_FATAL_FAILURE(NewGameToTheMap(walk));
  ASSERT_NO_FATAL_FAILURE(EnterTheFirstStage(walk));
  platform::TakeHeadlessBoxes();
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nPrevState == GS_STAGE && Map() && Map()->Phase() == cWorldMapScene::kWalk; }));
  walk.Step(30);
  EXPECT_EQ(Map()->Phase(), cWorldMapScene::kWalk);
  EXPECT_EQ(g_Game.m_nState, GS_WORLDMAP);
  EXPECT_EQ(Map()->Cursor().x, 6);
  EXPECT_EQ(platform::TakeHeadlessBoxes().size(), 1u);
  EXPECT_TRUE(walk.Harness().Close());
  RegisterStageScene();
}

// The first stage's files damaged (their end value wrong): entering the
// stage from the map says so, and the failure's close asks first. No keeps
// the map, the play's progress and its slot, and the figure walks on; the
// next entry asks again, and Yes closes.
TEST(WorldMapWalk, ADamagedStageEnteredFromTheMapAsksBeforeClosing) {
  cScreenWalk walk("world_map_damaged");
  ASSERT_TRUE(walk.Start());
  ASSERT_NO_FATAL_FAILURE(DamageTheFirstStage());
  ASSERT_NO_FATAL_FAILURE(NewGameToTheMap(walk));
  g_SaveData.m_nLife = 7;
  g_SaveData.m_vSwitch[5] = 1;
  ASSERT_TRUE(SaveToSlot(g_SaveData, 0));
  const auto slotFile = walk.Folder() / "user_data" / "story" / "Story01.dat";
  auto slotBytes = [&] {
    std::ifstream in(slotFile, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string saved = slotBytes();
  Questions();

  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  for (int i = 0; i < 3 && Map()->Phase() == cWorldMapScene::kWalk; ++i) ASSERT_TRUE(TapWhileOpen(walk, kKeyRight));
  ASSERT_EQ(Map()->Phase(), cWorldMapScene::kEnter);
  ASSERT_EQ(walk.Harness().StepFrames(2), 2);
  std::vector<std::string> texts;
  EXPECT_EQ(Questions(&texts), 1u);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_NE(texts[0].find("が破損しています！"), std::string::npos);
  EXPECT_NE(texts[1].find("が読み込めません！"), std::string::npos);
  EXPECT_EQ(g_Game.m_nState, GS_WORLDMAP);
  EXPECT_EQ(g_SaveData.m_nLife, 7);
  EXPECT_EQ(g_SaveData.m_vSwitch[5], 1);
  EXPECT_EQ(slotBytes(), saved);
  ASSERT_TRUE(TapWhileOpen(walk, kKeyZ));  // "no" in the confirm menu
  EXPECT_EQ(Map()->Phase(), cWorldMapScene::kWalk);
  EXPECT_EQ(Map()->Cursor().x, 6);
  EXPECT_EQ(Questions(), 0u);

  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  platform::SetKeyHeld(kKeyRight, true);
  EXPECT_EQ(walk.Harness().StepFrames(1), 1);
  platform::SetKeyHeld(kKeyRight, false);
  EXPECT_EQ(Map()->Phase(), cWorldMapScene::kEnter);
  EXPECT_LT(walk.Harness().StepFrames(3), 3);
  EXPECT_EQ(Questions(), 1u);
  EXPECT_FALSE(platform::MainWindowExists());
}

// A drawn box's answer, and whether it took every key given to it: a key-up
// first, then Enter (or Tab and Enter, No, in the question). A box ended
// before its answer leaves keys behind.
struct AnsweredBox {
  std::string text;
  int answer;
  bool keysLeft;
  bool operator==(const AnsweredBox&) const = default;
};

// Drawn in the window, as a player sees them: each box that tells of the
// damaged stage waits for its OK while the failure's close waits behind it,
// and the question comes after them, once.
TEST(WorldMapWalk, ADamagedStagesBoxesAreAnsweredBeforeItsQuestion) {
  cScreenWalk walk("world_map_damaged_boxes");
  ASSERT_TRUE(walk.Start());
  ASSERT_NO_FATAL_FAILURE(DamageTheFirstStage());
  ASSERT_NO_FATAL_FAILURE(NewGameToTheMap(walk));
  std::vector<AnsweredBox> boxes;
  platform::SetMessageBoxOverride([&boxes](const std::string& text, const std::string& caption, unsigned type) {
    using platform::KeyDownEvent, platform::kVkReturn, platform::kVkTab;
    std::vector<platform::UiEvent> keys{platform::KeyUpEvent(kVkReturn), KeyDownEvent(kVkReturn)};
    if (caption == "終了確認") keys.insert(keys.begin() + 1, KeyDownEvent(kVkTab));
    platform::QueueHeadlessUiEvents(keys);
    const int answer = DialogMessageBox(platform::Cp932FromUtf8(text), platform::Cp932FromUtf8(caption), type);
    boxes.push_back({text, answer, !platform::HeadlessUiScriptEmpty()});
    platform::ClearHeadlessUiScript();
    return answer;
  });
  for (int i = 0; i < 3 && Map()->Phase() == cWorldMapScene::kWalk; ++i) ASSERT_TRUE(TapWhileOpen(walk, kKeyRight));
  const int played = walk.Harness().StepFrames(2);
  platform::SetMessageBoxOverride(nullptr);
  EXPECT_EQ(played, 2);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_NE(boxes[0].text.find("が破損しています！"), std::string::npos);
  EXPECT_NE(boxes[1].text.find("が読み込めません！"), std::string::npos);
  for (int i : {0, 1}) EXPECT_EQ((std::pair{boxes[i].answer, boxes[i].keysLeft}), (std::pair{IDOK, false})) << i;
  EXPECT_EQ(boxes[2], (AnsweredBox{"終了しますか？\n", IDNO, false}));
  EXPECT_EQ(g_Game.m_nState, GS_WORLDMAP);
  EXPECT_TRUE(walk.Harness().Close());
}

// As the player runs, the game thread entering the damaged stage while the
// main thread runs the window: each box is answered before the next one
// opens, and the question comes only after the last of them, never over
// one, also when the player clicked the window's close button while the
// first box was open: that close waits for the last box too, and the one
// question answers both. Yes closes.
TEST(WorldMapWalk, ADamagedStagesBoxesComeBeforeItsQuestionWithTheGameThreadRunning) {
  for (const CloseClick click : {CloseClick::None, CloseClick::InTheFirstBox}) {
    const bool clicked = click == CloseClick::InTheFirstBox;
    SCOPED_TRACE(clicked ? "closed in the first box" : "no close clicked");
    cScreenWalk walk(clicked ? "world_map_damaged_threads_closed" : "world_map_damaged_threads");
    ASSERT_TRUE(walk.Start());
    ASSERT_NO_FATAL_FAILURE(DamageTheFirstStage());
    ASSERT_NO_FATAL_FAILURE(NewGameToTheMap(walk));
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(TapWhileOpen(walk, kKeyRight));
    ASSERT_EQ(Map()->Phase(), cWorldMapScene::kWalk);
    ASSERT_EQ(Map()->Cursor().x, 6);  // the stage is the next cell
    ExpectTheDamagedStagesBoxesThenTheQuestion(PressAndRunPlayerThreadsAnsweringBoxes(kKeyRight, click));
    EXPECT_FALSE(platform::MainWindowExists());
    EXPECT_TRUE(walk.Harness().Close());
  }
}

// The stage's own pictures damaged (bmp\Block.bmp cut short): the stage
// cannot be set up and its failure asks. After No the scene stands still in
// its first phase, neither fading in nor playing, with no life used and no
// character; Esc asks again, and Yes closes.
TEST(WorldMapWalk, AStageThatCannotBeSetUpStandsStillAfterNo) {
  cScreenWalk walk("world_map_unmade_stage");
  ASSERT_TRUE(walk.Start());
  std::filesystem::resize_file(walk.Folder() / "bmp" / "Block.bmp", 20);
  ASSERT_NO_FATAL_FAILURE(NewGameToTheMap(walk));
  Questions();
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  ASSERT_NO_FATAL_FAILURE(EnterTheFirstStage(walk));
  const int lives = g_SaveData.m_nLife;
  ASSERT_TRUE(walk.StepUntil([] { return StageScene() != nullptr; }));
  EXPECT_EQ(walk.Harness().StepFrames(400), 400);
  EXPECT_EQ(Questions(), 1u);
  EXPECT_EQ(g_Game.m_nState, GS_STAGE);
  EXPECT_TRUE(StageScene()->SetUpFailed());
  EXPECT_EQ(StageScene()->Phase(), kPhaseFadeIn);
  EXPECT_EQ(PlayerHero(), nullptr);
  EXPECT_EQ(g_CharaList.Count(), 0u);
  EXPECT_EQ(g_SaveData.m_nLife, lives);

  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  platform::QueueHeadlessUiEvents({platform::KeyDownEvent(platform::kVkEscape)});
  EXPECT_LT(walk.Harness().StepFrames(3), 3);
  EXPECT_EQ(Questions(), 1u);
  EXPECT_FALSE(platform::MainWindowExists());
}

// A screen's picture damaged after start-up (the map's chips): the map
// asks, and after No it plays on whole, drawn without that picture: the
// figure walks onto the first stage and enters it.
TEST(WorldMapWalk, AMapWithoutItsPicturePlaysOnAfterNo) {
  cScreenWalk walk("world_map_without_chips");
  ASSERT_TRUE(walk.Start());
  std::filesystem::resize_file(walk.Folder() / "bmp" / "WorldMapChip.bmp", 20);
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  Questions();
  ASSERT_NO_FATAL_FAILURE(NewGameToTheMap(walk));
  EXPECT_EQ(Questions(), 1u);
  ASSERT_NO_FATAL_FAILURE(EnterTheFirstStage(walk));
  ASSERT_TRUE(walk.StepUntil([] { return StageScene() != nullptr && StageScene()->Phase() == kPhasePlay; }));
  EXPECT_NE(PlayerHero(), nullptr);
  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  EXPECT_TRUE(walk.Harness().Close());
}

}  // namespace
