// The commands a screen's menu offers: visible entries in list order, none
// past what the screen knows, and command 0 when nothing shows.
#include <gtest/gtest.h>

#include "screens/common/visible_commands.h"

namespace {

cVector<cCmdItem> Menu(std::initializer_list<int> visible) {
  cVector<cCmdItem> list;
  int n = 0;
  for (int flag : visible) {
    cCmdItem& item = list.emplace_back();
    item.m_bVisible = flag;
    item.m_strName = "item" + std::to_string(n++);
  }
  return list;
}

TEST(VisibleCommandsTest, HiddenAndUnknownEntriesAreNotOffered) {
  EXPECT_EQ(VisibleCommands(Menu({1, 0, 1, 1}), 4, "test"), (std::vector<int>{0, 2, 3}));
  // A list longer than the screen's commands: the extra entries are left out.
  EXPECT_EQ(VisibleCommands(Menu({0, 1, 1, 1, 1, 1}), 4, "test"), (std::vector<int>{1, 2, 3}));
}

TEST(VisibleCommandsTest, NothingVisibleOffersCommandZero) {
  EXPECT_EQ(VisibleCommands(Menu({0, 0}), 4, "test"), std::vector<int>{0});
  EXPECT_EQ(VisibleCommands(Menu({}), 4, "test"), std::vector<int>{0});
  // Command 0 of an empty list has no name, and asking is no error.
  EXPECT_EQ(CommandName(Menu({}), 0), "");
  EXPECT_EQ(CommandName(Menu({1, 1}), 1), "item1");
}

}  // namespace
