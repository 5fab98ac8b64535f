#include "shell/dialogs/edit_text.h"

#include <gtest/gtest.h>

#include "foundation/message_box.h"
#include "platform/clipboard.h"

namespace {

// "aあb": bytes a(0) あ(1,2) b(3).
std::string Mixed() { return std::string("a") + Cp932Literal("あ") + "b"; }

TEST(EditTextTest, PositionsStayOnCharacterStarts) {
  EditText edit;
  edit.SetText(Mixed());
  edit.SetSelection(2, 2);  // inside あ
  EXPECT_EQ(edit.Caret(), 1);
  edit.SetSelection(-5, 99);
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_EQ(edit.SelEnd(), 4);
}

TEST(EditTextTest, CaretMovesAndDeletesWholeCharacters) {
  EditText edit;
  edit.SetText(Mixed());
  edit.MoveToEdge(true, false);
  edit.MoveCaret(-1, false);
  EXPECT_EQ(edit.Caret(), 3);
  ASSERT_TRUE(edit.Backspace());
  EXPECT_EQ(edit.Text(), "ab");
  EXPECT_EQ(edit.Caret(), 1);
  edit.MoveToEdge(false, false);
  ASSERT_TRUE(edit.DeleteForward());
  EXPECT_EQ(edit.Text(), "b");
  EXPECT_FALSE(edit.Backspace());  // at the start
  edit.MoveToEdge(true, false);
  EXPECT_FALSE(edit.DeleteForward());  // at the end
}

TEST(EditTextTest, ShiftExtendsAndAPlainMoveCollapsesTheSelection) {
  EditText edit;
  edit.SetText("abcd");
  edit.SetSelection(1, 1);
  edit.MoveCaret(1, true);
  edit.MoveCaret(1, true);
  EXPECT_EQ(edit.SelStart(), 1);
  EXPECT_EQ(edit.SelEnd(), 3);
  edit.MoveCaret(-1, false);
  EXPECT_EQ(edit.Caret(), 1);
  EXPECT_FALSE(edit.HasSelection());
  edit.MoveToEdge(true, true);
  EXPECT_EQ(edit.SelStart(), 1);
  EXPECT_EQ(edit.SelEnd(), 4);
}

TEST(EditTextTest, TypingReplacesTheSelectionAndKeepsTheFirstLine) {
  EditText edit;
  edit.SetText("abcd");
  edit.SetSelection(1, 3);
  ASSERT_TRUE(edit.InsertUtf8("Xあ\nrest"));
  EXPECT_EQ(edit.Text(), std::string("aX") + Cp932Literal("あ") + "d");
  EXPECT_EQ(edit.Caret(), 4);
  EXPECT_FALSE(edit.InsertUtf8("\xF0\x9F\x98\x80"));  // nothing CP932 can hold
  EXPECT_EQ(edit.Text(), std::string("aX") + Cp932Literal("あ") + "d");
}

TEST(EditTextTest, CopyCutAndPasteGoThroughTheClipboardAsUtf8) {
  EditText edit;
  edit.SetText(Mixed());
  edit.SelectAll();
  edit.Copy();
  EXPECT_EQ(platform::ClipboardText(), "aあb");
  edit.SetSelection(1, 3);
  ASSERT_TRUE(edit.Cut());
  EXPECT_EQ(edit.Text(), "ab");
  EXPECT_EQ(platform::ClipboardText(), "あ");
  edit.MoveToEdge(true, false);
  ASSERT_TRUE(edit.Paste());
  EXPECT_EQ(edit.Text(), std::string("ab") + Cp932Literal("あ"));
  EXPECT_FALSE(edit.Cut());  // nothing selected
  platform::SetClipboardText("");
  EXPECT_FALSE(edit.Paste());
}

TEST(EditTextTest, CompositionIsKeptApartFromTheText) {
  EditText edit;
  edit.SetText("a");
  edit.SetComposition("かな", 1);
  EXPECT_TRUE(edit.Composing());
  EXPECT_EQ(edit.CompositionCursor(), 1);
  EXPECT_EQ(edit.Text(), "a");
  edit.SetComposition("", 0);
  EXPECT_FALSE(edit.Composing());
}

}  // namespace
