// Which stage a world-map point offers: the first entry whose switch,
// variable and total-score conditions hold; conditions naming a switch or a
// variable the save data does not have fail with a report line; the
// remainder comparisons take the value's size in 64 bits.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <sstream>

#include "definitions/save_data/save_data.h"
#include "screens/worldmap/world_stage_rules.h"
#include "tests/project/project_test_support.h"

namespace {

class WorldStageRulesTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    data_.Reset();
  }
  cWorldStage Entry(const char* name) {
    cWorldStage stage;
    stage.m_strName = name;
    return stage;
  }
  const char* Chosen() {
    const cWorldStage* stage = ChoosePointStage(&point_, data_);
    return stage ? stage->m_strName.c_str() : "none";
  }
  std::string ReportText() const {
    std::ifstream in(Folder() / "Report_Game.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  cSaveData data_;
  cWorldPoint point_;
};

TEST_F(WorldStageRulesTest, TheFirstEntryWhoseConditionsHoldIsChosen) {
  cWorldStage bySwitch = Entry("switch");
  bySwitch.m_nSwitch = 5;
  cWorldStage byScore = Entry("score");
  byScore.m_nValue5 = 100;
  point_.m_vStage = {bySwitch, byScore, Entry("plain")};
  EXPECT_STREQ(Chosen(), "plain");
  data_.m_nStageValueTotal = 100;
  EXPECT_STREQ(Chosen(), "score");
  data_.m_vSwitch[5] = 1;
  EXPECT_STREQ(Chosen(), "switch");
  EXPECT_STREQ(ChoosePointStage(nullptr, data_) ? "some" : "none", "none");
}

TEST_F(WorldStageRulesTest, RemainderKindsTakeTheSizeIn64BitsAndAZeroOperand) {
  cWorldStage stage = Entry("var");
  stage.m_nVar = 3;
  point_.m_vStage = {stage};
  struct Case {
    int kind;
    std::int32_t value, operand;
    bool holds;
  };
  const Case cases[] = {{6, 7, 0, true},        {7, 7, 0, false},      {6, -9, 3, true},     {7, -9, 3, false},
                        {6, INT_MIN, -1, true}, {7, INT_MIN, 3, true}, {6, INT_MIN, 2, true}, {2, 5, 5, true},
                        {5, 5, 5, false},       {8, 0, 0, false}};
  for (const Case& c : cases) {
    point_.m_vStage[0].m_nCompare = c.kind;
    point_.m_vStage[0].m_nVarValue = c.operand;
    data_.m_vVar[3] = c.value;
    EXPECT_STREQ(Chosen(), c.holds ? "var" : "none") << c.kind << " " << c.value << " " << c.operand;
  }
}

// The map chooses its points' stages on every frame it draws: each line once.
TEST_F(WorldStageRulesTest, ASwitchOrVariableOutsideTheSaveDataFailsWithAReportLineOnce) {
  cWorldStage bySwitch = Entry("switch");
  bySwitch.m_nSwitch = 1000;
  cWorldStage byVariable = Entry("variable");
  byVariable.m_nVar = -2;
  point_.m_vStage = {bySwitch, byVariable};
  for (int frame = 0; frame < 60; ++frame) EXPECT_STREQ(Chosen(), "none");
  EXPECT_EQ(ReportText(),
            "world map: switch 1000 is outside the save data (1000)\n"
            "world map: variable -2 is outside the save data (1001)\n");
}

TEST_F(WorldStageRulesTest, ClearedByItsSwitchAndOpenWhenClearedOrAlwaysOpen) {
  cWorldStage stage = Entry("stage");
  stage.m_nValue3 = 12;
  EXPECT_FALSE(IsStageCleared(stage, data_));
  EXPECT_FALSE(IsStageOpen(stage, data_));
  stage.m_nValue4 = 1;
  EXPECT_TRUE(IsStageOpen(stage, data_));
  stage.m_nValue4 = 0;
  data_.m_vSwitch[12] = 1;
  EXPECT_TRUE(IsStageCleared(stage, data_));
  EXPECT_TRUE(IsStageOpen(stage, data_));
  stage.m_nValue3 = 5000;  // no such switch: never cleared
  EXPECT_FALSE(IsStageCleared(stage, data_));
}

}  // namespace
