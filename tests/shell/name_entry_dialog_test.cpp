#include "shell/dialogs/name_entry_dialog.h"

#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "tests/shell/dialog_test_support.h"

namespace {

using namespace platform;

class NameEntryDialogTest : public DialogTest {};

TEST_F(NameEntryDialogTest, TypedNameIsTakenAndAFourthCharacterRefused) {
  std::string name = "XYZ";
  // The name is selected on opening: the first key replaces it.
  Script({TextEvent("A"), TextEvent("B"), TextEvent("C"), TextEvent("D"), KeyDownEvent(kVkReturn)});
  cNameEntryDlg dialog(&name, 0);
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(name, "ABC");
  EXPECT_FALSE(cHook::Installed());
}

TEST_F(NameEntryDialogTest, ClosingLeavesTheNameAlone) {
  std::string name = "XYZ";
  Script({TextEvent("Q")});
  cNameEntryDlg dialog(&name, 0);
  EXPECT_EQ(dialog.DoModal(0), 0);
  EXPECT_EQ(name, "XYZ");
}

TEST_F(NameEntryDialogTest, JapaneseComposedTextIsEnteredAndEnterWhileComposingDoesNotConfirm) {
  std::string name;
  Script({CompositionEvent("な"), CompositionEvent("なま"), KeyDownEvent(kVkReturn), CompositionEvent(""),
          TextEvent("生え"), TextEvent("る"), TextEvent("x"), KeyDownEvent(kVkReturn)});
  cNameEntryDlg dialog(&name, 0);
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(name, Cp932Literal("生える"));
}

TEST_F(NameEntryDialogTest, CharactersCp932CannotHoldAreRefused) {
  std::string name;
  Script({TextEvent("A😀B"), TextEvent("€"), KeyDownEvent(kVkReturn)});
  cNameEntryDlg dialog(&name, 0);
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(name, "AB");
}

TEST_F(NameEntryDialogTest, PastedLongNameIsReadUpToAWholeCharacter) {
  std::string name;
  SetDialogObserver([](DialogBox& box) {
    SetClipboardText("あいうえ");
    box.HandleEvent(KeyDownEvent('V', true));
    box.Click(IDC_DIALOG_OK);
  });
  cNameEntryDlg dialog(&name, 0);
  EXPECT_EQ(dialog.DoModal(0), 1);
  // "あいうえ" is read as its first six bytes: three characters.
  EXPECT_EQ(name, Cp932Literal("あいう"));
}

TEST_F(NameEntryDialogTest, BackspaceAndArrowsEditAndEnglishChangesTheLabel) {
  std::string name = "ABC";
  SetDialogObserver([](DialogBox& box) {
    EXPECT_EQ(box.ItemText(IDC_NAME_LABEL), "     Name");
    EXPECT_EQ(box.ItemText(IDC_DIALOG_OK), "OK");
  });
  Script({KeyDownEvent(kVkEnd), KeyDownEvent(kVkLeft), KeyDownEvent(kVkBack), KeyUpEvent(kVkBack), TextEvent("Z"),
          MouseEvent(UiEventKind::MouseMove, 0, 0), KeyDownEvent(kVkReturn)});
  cNameEntryDlg dialog(&name, 1);
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(name, "AZC");
}

TEST_F(NameEntryDialogTest, WithoutABoundNameOkChangesNothing) {
  Script({TextEvent("A"), KeyDownEvent(kVkReturn)});
  cNameEntryDlg dialog(nullptr, 0);
  EXPECT_EQ(dialog.DoModal(0), 1);
}

}  // namespace
