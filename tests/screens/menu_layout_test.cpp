// Command menus with hidden entries, and the centring of term columns and
// command lists (widths in Shift-JIS characters, 16 pixels each).
#include <gtest/gtest.h>

#include "platform/text_encoding.h"
#include "project/global_data.h"
#include "screens/menu/command_menu.h"
#include "screens/menu/text_layout.h"

namespace {

cCmd Menu(std::initializer_list<std::pair<int, const char*>> entries) {
  cCmd list;
  for (const auto& [visible, name] : entries) {
    cCmdItem item;
    item.m_bVisible = visible;
    item.m_strName = platform::Cp932FromUtf8(name);
    list.push_back(item);
  }
  return list;
}

TEST(CommandMenuTest, CursorPositionsMapToTheVisibleEntries) {
  const cCmd list = Menu({{1, "a"}, {0, "b"}, {1, "c"}, {5, "d"}});
  EXPECT_EQ(CountVisibleCmds(list), 3);
  EXPECT_EQ(GetCmdNum(0, list), 0);
  EXPECT_EQ(GetCmdNum(1, list), 2);
  EXPECT_EQ(GetCmdNum(2, list), 3);
  // Past the visible entries, and negative positions: 0.
  EXPECT_EQ(GetCmdNum(3, list), 0);
  EXPECT_EQ(GetCmdNum(-1, list), 0);
  const cCmd hiddenFirst = Menu({{0, "a"}, {1, "b"}, {0, "c"}});
  EXPECT_EQ(GetCmdNum(0, hiddenFirst), 1);
  EXPECT_EQ(GetCmdNum(1, hiddenFirst), 0);
}

TEST(CommandMenuTest, AnEmptyListHasNoVisibleEntry) {
  const cCmd empty;
  EXPECT_EQ(CountVisibleCmds(empty), 0);
  EXPECT_EQ(GetCmdNum(0, empty), 0);
}

class MenuLayoutTest : public testing::Test {
 protected:
  void SetUp() override {
    StartProjectData();
    g_System->m_vTerms.assign(30, std::string());
    g_System->m_vTerms[19] = platform::Cp932FromUtf8("しゅうりょう");  // 6 characters
    g_System->m_vTerms[20] = platform::Cp932FromUtf8("つづける");
    g_System->m_vTerms[21] = "Retry";
  }
  void TearDown() override { StopProjectData(); }
};

TEST_F(MenuLayoutTest, TermsCentreOnTheWidestAndExtraAddsHalfACell) {
  EXPECT_EQ(CenterTermsX(320, 19, 3, 0), 320 - 16 * 6 / 2);
  EXPECT_EQ(CenterTermsX(320, 19, 3, 1), 320 - 16 * 7 / 2);
  EXPECT_EQ(CenterTermsX(320, 20, 2, 0), 320 - 16 * 5 / 2);
  // No terms: the centre.
  EXPECT_EQ(CenterTermsX(320, 19, 0, 0), 320);
}

TEST_F(MenuLayoutTest, CommandListsCentreOnTheWidestVisibleName) {
  EXPECT_EQ(CenterCmdListX(320, Menu({{1, "ab"}, {0, "ロングネーム"}, {1, "ニューゲーム"}})), 320 - 16 * 7 / 2);
  EXPECT_EQ(CenterCmdListX(320, Menu({{1, "abcd"}})), 320 - 16 * 5 / 2);
  EXPECT_EQ(CenterCmdListX(320, Menu({{0, "hidden"}, {1, ""}})), 320);
  EXPECT_EQ(CenterCmdListX(100, cCmd()), 100);
}

}  // namespace
