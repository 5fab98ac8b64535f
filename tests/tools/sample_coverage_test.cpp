// The sample game exercises the whole command set: read back through the
// player's loaders, its common palette and stages hold every character
// command kind and every item command kind, flows of every trigger kind,
// effect commands that reach every character-effect and screen-effect kind
// of the database, and the smaller features a game of this kind leans on.
// A kind the game leaves unused fails the test by name.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "definitions/command_kinds.h"
#include "definitions/flow_record.h"
#include "definitions/palette/palette.h"
#include "definitions/stage/stage_loader.h"
#include "generated_game.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "project/effect_param_defaults.h"
#include "project/global_data.h"
#include "tools/sample_game/project_files.h"

namespace {

// What the game's definitions use, gathered over every flow and command.
struct Usage {
  std::set<int> charaKinds, itemKinds, triggers, charaEffects, screenEffects;
  std::vector<std::string> codes, messages;
  bool keySteps = false, itemWithCommands = false, blockChara = false;

  void Command(const cEdCmd& command) {
    (command.m_nFamily == kFamilyItem ? itemKinds : charaKinds).insert(command.m_nKind);
    const int kind = command.CharaKind();
    const int first = command.m_vParams.empty() ? 0 : command.m_vParams[0];
    if (kind == kCmdCharaEffect) CharaEffect(first);
    if (kind == kCmdScrEffect && first > 0 && static_cast<std::size_t>(first) < g_Database->m_vScrEffect.size())
      screenEffects.insert(g_Database->m_vScrEffect[first].m_nKind);
    if (kind == kCmdCode) codes.push_back(command.m_strCode);
    if (kind == kCmdMessage) messages.push_back(command.m_strCode);
    for (const cEdFlow& flow : command.m_vFlows) Flow(flow);
  }
  void Flow(const cEdFlow& flow) {
    triggers.insert(flow.m_nTrigger);
    keySteps = keySteps || !flow.m_vKeySteps.empty();
    for (const cEdCmd& command : flow.m_vCmds) Command(command);
  }
  void CharaEffect(int number) {
    if (number > 0 && static_cast<std::size_t>(number) < g_Database->m_vCharaEffect.size())
      charaEffects.insert(g_Database->m_vCharaEffect[number].m_nKind);
  }
  void Chara(const cEdChara& chara) {
    blockChara = blockChara || chara.m_bBlockChara;
    CharaEffect(chara.m_nDeathEffect);
    CharaEffect(chara.m_nBaseEffect);
    for (const cEdFlow& flow : chara.m_vFlows) Flow(flow);
  }
  void Item(const cEdItem& item) {
    itemWithCommands = itemWithCommands || !item.m_vCmds.empty();
    for (const cEdCmd& command : item.m_vCmds) Command(command);
  }
};

void ExpectAll(const std::set<int>& used, int first, int end, const char* what) {
  for (int kind = first; kind < end; ++kind) EXPECT_TRUE(used.count(kind)) << what << " " << kind << " is never used";
}

bool AnyContains(const std::vector<std::string>& texts, const std::string& part) {
  for (const std::string& text : texts)
    if (text.find(part) != std::string::npos) return true;
  return false;
}

class SampleCoverage : public testing::Test {
 protected:
  void SetUp() override {
    StartProjectData();
    ASSERT_EQ(LoadDatabases(*g_Database), 1);
    ASSERT_EQ(LoadCommonPalette(), 1);
    platform::TakeHeadlessBoxes();
    for (const cEdChara& chara : g_CommonPalette.m_vChara) usage.Chara(chara);
    for (const cEdItem& item : g_CommonPalette.m_vItem) usage.Item(item);
    std::vector<std::string> names(std::begin(sample_game::kStoryStages), std::end(sample_game::kStoryStages));
    names.insert(names.end(), std::begin(sample_game::kChallengeStages), std::end(sample_game::kChallengeStages));
    for (const std::string& name : names) {
      cEdStage stage;
      ASSERT_EQ(LoadFile(stage, name + "_000"), 1) << name;
      for (const cEdChara& chara : stage.m_vChara) usage.Chara(chara);
      for (const cEdItem& item : stage.m_vItem) usage.Item(item);
      timeLimit = timeLimit || stage.TimeLimitOn;
      for (const cEdStageCond& area : stage.RemovalAreas) removalArea = removalArea || area.IsOn();
    }
  }
  void TearDown() override {
    EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
    StopProjectData();
    platform::ResetMainThreadState();
  }
  sample_game_test::InGameFolder inGame_;
  Usage usage;
  bool timeLimit = false, removalArea = false;
};

TEST_F(SampleCoverage, EveryCommandKindAndTriggerKindIsUsed) {
  ExpectAll(usage.charaKinds, kCmdWait, kCharaCmdKindCount, "character command kind");
  ExpectAll(usage.itemKinds, kItemCmdChangeFlow, kItemCmdKindCount, "item command kind");
  ExpectAll(usage.triggers, kTriggerAlways, kFlowTriggerCount, "flow trigger kind");
}

TEST_F(SampleCoverage, EveryCharacterEffectAndScreenEffectKindIsUsed) {
  ExpectAll(usage.charaEffects, 1, kCharaEffectKindCount, "character effect kind");
  ExpectAll(usage.screenEffects, 1, kScrEffectKindCount, "screen effect kind");
}

TEST_F(SampleCoverage, KeysCodeMessagesAndStageRulesAreUsed) {
  EXPECT_TRUE(usage.keySteps);
  EXPECT_TRUE(usage.itemWithCommands);
  EXPECT_TRUE(usage.blockChara);
  EXPECT_TRUE(AnyContains(usage.codes, "rand("));
  // Both variable sources, and the zero, sign and width options.
  for (const char* escape : {"#C", "#S", "_2Z", "ZP"}) EXPECT_TRUE(AnyContains(usage.messages, escape)) << escape;
  EXPECT_TRUE(timeLimit);
  EXPECT_TRUE(removalArea);
}

}  // namespace
