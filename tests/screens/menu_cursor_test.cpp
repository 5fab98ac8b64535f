// The shared menu cursor: its level stack, the wrapping grid and the
// scrolling list with paging, driven by tables of direction words.
#include "screens/menu/menu_cursor.h"

#include <gtest/gtest.h>

namespace {

cInput Keys(std::uint16_t dir) {
  cInput input;
  input.m_wDir = dir;
  return input;
}

MENUCURSOR At(int column, int row, int x, int y) { return MENUCURSOR{column, row, x, y}; }

void ExpectLevel(const MENUCURSOR& level, const MENUCURSOR& expected) {
  EXPECT_EQ(level.nColumn, expected.nColumn);
  EXPECT_EQ(level.nRow, expected.nRow);
  EXPECT_EQ(level.nX, expected.nX);
  EXPECT_EQ(level.nY, expected.nY);
}

class MenuCursorTest : public testing::Test {
 protected:
  void SetUp() override { ResetMenuCursor(); }
  void TearDown() override { ResetMenuCursor(); }
};

TEST_F(MenuCursorTest, ResetLeavesOneZeroLevel) {
  g_MenuCursor.Top() = At(1, 2, 3, 4);
  PushMenuCursor(kPushZero);
  PushMenuCursor(kPushZero);
  ResetMenuCursor();
  ASSERT_EQ(g_MenuCursor.m_vLevels.size(), 1u);
  ExpectLevel(g_MenuCursor.Top(), At(0, 0, 0, 0));
  EXPECT_EQ(g_MenuCursor.Below(), nullptr);
  // A cut-down vector gets its level back.
  g_MenuCursor.m_vLevels.clear();
  ResetMenuCursor();
  EXPECT_EQ(g_MenuCursor.m_vLevels.size(), 1u);
}

TEST_F(MenuCursorTest, PushStartsZeroedOrAsACopyOfTheLevelBelow) {
  g_MenuCursor.Top() = At(1, 2, 3, 4);
  PushMenuCursor(kPushZero);
  ExpectLevel(g_MenuCursor.Top(), At(0, 0, 0, 0));
  ASSERT_NE(g_MenuCursor.Below(), nullptr);
  ExpectLevel(*g_MenuCursor.Below(), At(1, 2, 3, 4));
  g_MenuCursor.Top() = At(5, 6, 7, 8);
  PushMenuCursor(kPushCopyBelow);
  ExpectLevel(g_MenuCursor.Top(), At(5, 6, 7, 8));
  PushMenuCursor(kPushZero);
  ExpectLevel(g_MenuCursor.Top(), At(0, 0, 0, 0));
  ExpectLevel(*g_MenuCursor.Below(), At(5, 6, 7, 8));
  EXPECT_EQ(g_MenuCursor.m_vLevels.size(), 4u);
}

TEST_F(MenuCursorTest, EachPopModeLeavesTheNewTopAsItSays) {
  struct Case {
    int mode;
    MENUCURSOR expected;
  };
  for (const Case& c : {Case{kPopZero, At(0, 0, 0, 0)}, Case{kPopKeep, At(1, 2, 3, 4)},
                        Case{kPopTakeRemoved, At(9, 8, 7, 6)}}) {
    ResetMenuCursor();
    g_MenuCursor.Top() = At(1, 2, 3, 4);
    PushMenuCursor(kPushZero);
    g_MenuCursor.Top() = At(9, 8, 7, 6);
    PopMenuCursor(c.mode);
    ASSERT_EQ(g_MenuCursor.m_vLevels.size(), 1u) << "mode " << c.mode;
    ExpectLevel(g_MenuCursor.Top(), c.expected);
    EXPECT_EQ(g_MenuCursor.Below(), nullptr);
  }
  // A single level is never popped, whatever the mode.
  g_MenuCursor.Top() = At(1, 1, 1, 1);
  PopMenuCursor(kPopZero);
  ExpectLevel(g_MenuCursor.Top(), At(1, 1, 1, 1));
}

TEST_F(MenuCursorTest, VecAtMenuCursorReportsABadIndexAndGoesOnWithLevelZero) {
  g_MenuCursor.Top() = At(4, 4, 4, 4);
  EXPECT_EQ(VecAtMenuCursor(0).nRow, 4);
  EXPECT_EQ(VecAtMenuCursor(3).nRow, 4);
}

TEST_F(MenuCursorTest, GridWrapsAtEveryEdgeAndTheFirstKeyOfAPairWins) {
  struct Step {
    std::uint16_t dir;
    int column, row;
  };
  // 3 columns x 2 rows of 40 x 20 cells from (100, 50).
  const Step steps[] = {
      {kDirLeft, 2, 0},            {kDirRight, 0, 0},         {kDirRight, 1, 0},
      {kDirLeft | kDirRight, 0, 0}, {kDirUp, 0, 1},            {kDirDown, 0, 0},
      {kDirUp | kDirDown, 0, 1},    {kDirLeft | kDirDown, 2, 0}, {0, 2, 0},
  };
  for (const Step& s : steps) {
    MoveGridCursor(Keys(s.dir), 100, 50, 40, 20, 3, 2);
    ExpectLevel(g_MenuCursor.Top(), At(s.column, s.row, s.column * 40 + 100, s.row * 20 + 50));
  }
}

TEST_F(MenuCursorTest, GridOfOneColumnIgnoresLeftAndRightAndNegativeSizesDoNothing) {
  g_MenuCursor.Top().nRow = 1;
  MoveGridCursor(Keys(kDirRight), 0, 0, 10, 10, 1, 3);
  ExpectLevel(g_MenuCursor.Top(), At(0, 1, 0, 10));
  MoveGridCursor(Keys(kDirLeft), 0, 0, 10, 10, 1, 3);
  ExpectLevel(g_MenuCursor.Top(), At(0, 1, 0, 10));
  MoveGridCursor(Keys(kDirDown), 5, 5, 10, 10, -1, 3);
  ExpectLevel(g_MenuCursor.Top(), At(0, 1, 0, 10));
  MoveGridCursor(Keys(kDirDown), 5, 5, 10, 10, 1, -1);
  ExpectLevel(g_MenuCursor.Top(), At(0, 1, 0, 10));
}

struct ListStep {
  std::uint16_t dir;
  int entry, first;
};

// Runs the steps over a vertical list of `total` entries with `shown` rows
// of 16 pixels from y = 160 at x = 152, paging on.
void RunList(int total, int shown, const std::vector<ListStep>& steps, int first = 0) {
  for (const ListStep& s : steps) {
    ScrollListCursor(Keys(s.dir), 1, first, 160, 16, 152, shown, total, 1);
    const MENUCURSOR& top = g_MenuCursor.Top();
    EXPECT_EQ(top.nRow, s.entry) << "dir " << s.dir;
    EXPECT_EQ(first, s.first) << "dir " << s.dir;
    EXPECT_EQ(top.nY, (s.entry - s.first) * 16 + 160);
    EXPECT_EQ(top.nX, 152);
  }
}

TEST_F(MenuCursorTest, ListScrollsAtTheWindowEdgesAndStopsAtTheListEnds) {
  RunList(5, 3,
          {{kDirUp, 0, 0},   {kDirDown, 1, 0}, {kDirDown, 2, 0}, {kDirDown, 3, 1}, {kDirDown, 4, 2},
           {kDirDown, 4, 2}, {kDirUp, 3, 2},   {kDirUp, 2, 2},   {kDirUp, 1, 1},   {kDirUp | kDirDown, 0, 0}});
}

TEST_F(MenuCursorTest, PagingJumpsAWindowAndReachesBothEnds) {
  // 99 slots, 10 shown: a page is 9 rows.
  RunList(99, 10,
          {{kDirRight, 9, 9},    {kDirRight, 18, 18},   {kDirLeft, 9, 9},   {kDirLeft, 0, 0},
           {kDirLeft, 0, 0},     {kDirDown, 1, 0},      {kDirLeft, 0, 0}});
  // Near the end the window stops at total - shown; the next page goes to the last entry.
  g_MenuCursor.Top().nRow = 85;
  RunList(99, 10, {{kDirRight, 94, 89}, {kDirRight, 98, 89}, {kDirRight, 98, 89}}, 85);
  // A list shorter than its window pages straight to its ends.
  ResetMenuCursor();
  RunList(4, 10, {{kDirRight, 3, 0}, {kDirLeft, 0, 0}});
}

TEST_F(MenuCursorTest, AnEmptyListEndsAtEntryZeroAndRowZero) {
  g_MenuCursor.Top().nRow = 7;
  RunList(0, 10, {{kDirDown, 0, 0}, {kDirRight, 0, 0}, {kDirUp, 0, 0}}, 3);
}

TEST_F(MenuCursorTest, AHorizontalListMovesTheColumnAndSetsXAlongIt) {
  int first = 0;
  ScrollListCursor(Keys(kDirDown), 0, first, 40, 32, 300, 4, 10, 0);
  ExpectLevel(g_MenuCursor.Top(), At(1, 0, 72, 300));
  // Without paging, right and left do nothing.
  ScrollListCursor(Keys(kDirRight), 0, first, 40, 32, 300, 4, 10, 0);
  ExpectLevel(g_MenuCursor.Top(), At(1, 0, 72, 300));
}

}  // namespace
