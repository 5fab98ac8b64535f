#include "shell/dialogs/edit_limit.h"

#include <gtest/gtest.h>

#include "foundation/message_box.h"

namespace {

// The name entry's limits: one line of three characters, double bytes counted once.
const EditLimits kName{1, 3, 1, 0};

EditState Change(const EditLimits& limits, std::string_view previous, std::string text, int start, int end,
                 bool backspace = false) {
  return LimitEditChange(limits, previous, {std::move(text), start, end}, backspace);
}

TEST(EditLimitTest, FourthCharacterIsRefusedWithTheCaretAtTheEnd) {
  const EditState typed = Change(kName, "ABC", "ABCD", 4, 4);
  EXPECT_EQ(typed.text, "ABC");
  EXPECT_EQ(typed.selStart, 3);
  EXPECT_EQ(typed.selEnd, 3);
  // Typed in the middle, the previous text comes back and the caret stays.
  const EditState middle = Change(kName, "ABC", "AXBC", 2, 2);
  EXPECT_EQ(middle.text, "ABC");
  EXPECT_EQ(middle.selStart, 2);
}

TEST(EditLimitTest, DoubleByteCharactersCountOnce) {
  const std::string three = Cp932Literal("あいう");
  EXPECT_EQ(Change(kName, Cp932Literal("あい"), three, 6, 6).text, three);
  const std::string four = Cp932Literal("あいうえ");
  EXPECT_EQ(Change(kName, three, four, 8, 8).text, three);
  // Counted in bytes, three double-byte characters do not fit three.
  const EditLimits bytes{1, 3, 0, 0};
  EXPECT_EQ(Change(bytes, "", Cp932Literal("あい"), 4, 4).text, "");
}

TEST(EditLimitTest, LongLineBreaksAndItsTailJoinsTheNextLine) {
  const EditLimits twoLines{2, 3, 0, 0};
  const EditState state = Change(twoLines, "ABC\r\nE", "ABCD\r\nE", 4, 4);
  EXPECT_EQ(state.text, "ABC\r\nDE");
  EXPECT_EQ(state.selStart, 6);
  // A third line is one too many: the whole change is refused, and the
  // selection is the one read, off the line feed it would sit on.
  const EditState refused = Change(twoLines, "ABC\r\nDEF", "ABCX\r\nDEF", 4, 4);
  EXPECT_EQ(refused.text, "ABC\r\nDEF");
  EXPECT_EQ(refused.selStart, 5);
  EXPECT_EQ(refused.selEnd, 5);
  EXPECT_EQ(Change(twoLines, "ABC\r\nDEF", "ABCX\r\nDEF", 3, 4).selStart, 3);
}

TEST(EditLimitTest, TrimCutsAfterTheLastAllowedLine) {
  const EditLimits trim{1, 3, 0, 1};
  EXPECT_EQ(Change(trim, "", "AB\r\nCD", 6, 6).text, "AB");
  EXPECT_EQ(Change(trim, "", "ABCDE", 5, 5).text, "ABC");
}

TEST(EditLimitTest, BackspaceThatWouldJoinAFullLineIsUndone) {
  const EditLimits twoLines{2, 3, 0, 0};
  // "ABC" + "DE": joining them would overflow the first line.
  EXPECT_EQ(Change(twoLines, "ABC\r\nDE", "ABCDE", 3, 3, true).text, "ABC\r\nDE");
  // "AB" + "C" fits.
  EXPECT_EQ(Change(twoLines, "AB\r\nC", "ABC", 2, 2, true).text, "ABC");
  // Without Backspace held the join is limited like any change.
  EXPECT_EQ(Change(twoLines, "ABC\r\nDE", "ABCDE", 3, 3, false).text, "ABC\r\nDE");
}

TEST(EditLimitTest, SelectionMovesOffLineFeedsAndIntoTheText) {
  const EditLimits open{3, 10, 0, 0};
  const EditState state = Change(open, "", "AB\r\nC", 3, 9);
  EXPECT_EQ(state.selStart, 4);
  EXPECT_EQ(state.selEnd, 5);
  // No limits at all: nothing changes.
  const EditLimits none{0, 0, 0, 0};
  EXPECT_EQ(Change(none, "", "anything goes", 20, 20).selStart, 20);
}

TEST(EditLimitTest, ReadingCutsOnAWholeCharacter) {
  const std::string text = std::string("a") + Cp932Literal("あいう");
  EXPECT_EQ(CutToBytes(text, 6), std::string("a") + Cp932Literal("あい"));
  EXPECT_EQ(CutToBytes("ABCDEFG", 6), "ABCDEF");
  EXPECT_EQ(CutToBytes(text, 0), "");
}

}  // namespace
