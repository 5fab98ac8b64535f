// The replay requests end to end on the main thread: the proposed name, the
// save box, the file written; the open box, the file read back; a damaged
// file is a message and the program goes on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "input/replay.h"
#include "platform/window.h"
#include "project/global_data.h"
#include "shell/requests/game_requests.h"
#include "shell/requests/request_handlers.h"
#include "tests/shell/dialog_test_support.h"

namespace {

using namespace platform;
namespace fs = std::filesystem;

class ReplayRequestTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    StartProjectData();
    fs::create_directories("user_data/rpl4");
    ASSERT_TRUE(CreateMainWindow(640, 480));
    g_Stage = cEdStage();
    g_Stage.m_vChara.resize(1);
    g_Stage.m_vChara[0].m_nOperator = kOperatorPlayer;
    g_Stage.m_vChara[0].m_nGraphicNo = 1;
    g_Stage.Normalize();
    g_Stage.FilePath = "data\\stg4\\forest.stg4_001";
    g_PlayStage = g_Stage;
    g_Replay.Empty();
    g_Replay.m_nSeed = 1234;
    cInput input;
    input.Init();
    for (std::uint16_t dir = 0; dir < 16; ++dir) {
      input.m_wDir = dir;
      g_Replay.RecordFrame(input);
    }
    TakeCloseRequest();
  }
  void TearDown() override {
    g_Replay.Empty();
    DestroyMainWindow();
    StopProjectData();
    DialogTest::TearDown();
  }
  static std::vector<fs::path> Replays() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator("user_data/rpl4")) files.push_back(entry.path().filename());
    return files;
  }
  static std::vector<UiEvent> TypeName(const std::string& name) {
    return {KeyDownEvent('A', true), TextEvent(name), KeyDownEvent(kVkReturn)};
  }
};

TEST_F(ReplayRequestTest, SavedUnderTheProposedNameAndLoadedBack) {
  Script({KeyDownEvent(kVkReturn)});  // the proposed name as it stands
  ServeSaveReplay(false);
  EXPECT_EQ(g_bFileRequestDone.load(), 1);
  EXPECT_EQ(g_nFileRequestResult.load(), 1);
  const std::vector<fs::path> files = Replays();
  ASSERT_EQ(files.size(), 1u);
  const std::string name = files[0].string();
  EXPECT_EQ(name.rfind("forest__", 0), 0u) << name;
  EXPECT_EQ(files[0].extension(), ".rpl4_878");

  g_Replay.Empty();
  Script(TypeName(name));
  ServeLoadReplay();
  EXPECT_EQ(g_nFileRequestResult.load(), 1);
  EXPECT_EQ(g_Replay.m_nSeed, 1234);
  EXPECT_EQ(g_Replay.m_vDirValue.size(), 16u);
  EXPECT_FALSE(TakeCloseRequest().has_value());
}

TEST_F(ReplayRequestTest, DamagedReplayIsAMessageAndTheProgramGoesOn) {
  std::ofstream("user_data/rpl4/bad.rpl4_878") << "not a replay";
  Script(TypeName("bad.rpl4_878"));
  ServeLoadReplay();
  EXPECT_EQ(g_bFileRequestDone.load(), 1);
  EXPECT_EQ(g_nFileRequestResult.load(), 0);
  EXPECT_EQ(g_Replay.m_nSeed, 1234);
  EXPECT_FALSE(TakeCloseRequest().has_value());
  bool reported = false;
  for (const ShownBox& box : TakeHeadlessBoxes()) reported = reported || box.text.find("bad.rpl4_878") != std::string::npos;
  EXPECT_TRUE(reported);
}

}  // namespace
