#include "shell/dialogs/file_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "foundation/game_files.h"
#include "platform/window.h"
#include "shell/dialogs/dialog_font.h"
#include "shell/dialogs/file_chooser.h"
#include "shell/dialogs/file_listing.h"
#include "shell/dialogs/list_item.h"
#include "shell/dialogs/message_box_dialog.h"
#include "tests/shell/dialog_test_support.h"

namespace {

using namespace platform;
namespace fs = std::filesystem;

class FileDialogTest : public WindowDialogTest {
 protected:
  void SetUp() override {
    WindowDialogTest::SetUp();
    fs::create_directories("data/stg4/old_ver");
    fs::create_directories("user_data/rpl4");
    for (const char* file : {"data/stg4/b.stg4_878", "data/stg4/A.STG4_878", "data/stg4/run.rpl4_878",
                             "data/stg4/notes.txt", "user_data/rpl4/old.rpl4_878"})
      std::ofstream(file) << "x";
  }
  static std::vector<std::string> ListedLines(DialogBox& box) {
    return dynamic_cast<ListItem*>(box.Item(IDC_FILE_LIST))->Lines();
  }
  // Types a name into the emptied field and presses Enter.
  static std::vector<UiEvent> TypeName(const std::string& utf8) {
    return {KeyDownEvent('A', true), TextEvent(utf8), KeyDownEvent(kVkReturn)};
  }
};

TEST(FileListingTest, FiltersMatchAnyCaseAndSeveralPatterns) {
  EXPECT_TRUE(MatchesFilter("a.STG4_878", "*.stg4_*;*.rpl4_*"));
  EXPECT_TRUE(MatchesFilter("x.rpl4_1", "*.stg4_*;*.rpl4_*"));
  EXPECT_FALSE(MatchesFilter("x.rpl4", "*.stg4_*;*.rpl4_*"));
  EXPECT_FALSE(MatchesFilter("stg4_", "*.stg4_*"));
  EXPECT_TRUE(MatchesFilter("ab", "a?"));
  EXPECT_FALSE(MatchesFilter("anything", ""));
  EXPECT_EQ(JoinStoredPath(SplitStoredPath("data\\stg4\\"), true), "data\\stg4\\");
  // A trail byte 0x5C is not a separator.
  const std::string name = Cp932Literal("表");
  EXPECT_EQ(SplitStoredPath("data\\" + name).back(), name);
}

TEST_F(FileDialogTest, OpenStageListsFoldersFirstThenMatchingFilesByName) {
  SetDialogObserver([](DialogBox& box) {
    EXPECT_EQ(box.Caption(), Cp932Literal("ステージファイルの読み込み"));
    const std::vector<std::string> expected = {"[..]", "[old_ver]", "A.STG4_878", "b.stg4_878", "run.rpl4_878"};
    EXPECT_EQ(ListedLines(box), expected);
    EXPECT_EQ(box.ItemText(IDC_FILE_FILTER), "StageFile ( *.stg4_*;*.rpl4_* )");
  });
  Script(TypeName("b.stg4_878"));
  std::string path;
  cFileDlg dialog(&path, FILEDLG_OPEN_STAGE, 0);
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(path, "data\\stg4\\b.stg4_878");
}

TEST_F(FileDialogTest, ListSelectionDoubleClickAndFoldersStayInsideTheGame) {
  SetDialogObserver([](DialogBox& box) {
    box.HandleEvent(KeyDownEvent(kVkTab, false, true));  // back to the list
    // Up twice leaves the game folder's top: "[..]" is gone there.
    for (int i = 0; i < 2; ++i) {
      box.SetFocus(IDC_FILE_LIST);
      box.HandleEvent(KeyDownEvent(kVkHome));
      box.HandleEvent(KeyDownEvent(kVkReturn));
    }
    EXPECT_EQ(box.ItemText(IDC_FILE_FOLDER), ".\\");
    EXPECT_NE(ListedLines(box).front(), "[..]");
    box.SetItemText(IDC_FILE_NAME, "..\\..\\etc");
    box.Click(IDOK_COMMAND);
    EXPECT_FALSE(box.Ended());
    box.SetItemText(IDC_FILE_NAME, "user_data");
    box.Click(IDOK_COMMAND);
    EXPECT_EQ(box.ItemText(IDC_FILE_FOLDER), "user_data\\");
    box.SetFocus(IDC_FILE_LIST);
    box.HandleEvent(KeyDownEvent(kVkEnd));  // [rpl4]
    box.HandleEvent(KeyDownEvent(kVkReturn));
    box.SetFocus(IDC_FILE_LIST);
    box.HandleEvent(KeyDownEvent(kVkEnd));  // old.rpl4_878, copied to the name field
    EXPECT_EQ(box.ItemText(IDC_FILE_NAME), "old.rpl4_878");
    box.HandleEvent(KeyDownEvent(kVkReturn));
  });
  std::string path;
  cFileDlg dialog(&path, FILEDLG_OPEN_STAGE, 0);
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(path, "user_data\\rpl4\\old.rpl4_878");
}

TEST_F(FileDialogTest, DoubleClickOpensAFolderAndTheWheelScrolls) {
  SetDialogObserver([](DialogBox& box) {
    const DialogItem* list = box.Item(IDC_FILE_LIST);
    const int x = box.ClientOriginX() + list->Rect().x + 10;
    const int row = DialogFont::Get().LineHeight();
    const int y = box.ClientOriginY() + list->Rect().y + 2 + row + row / 2;  // second row: [old_ver]
    for (int click = 0; click < 2; ++click) {
      box.HandleEvent(MouseEvent(UiEventKind::MouseDown, x, y));
      box.HandleEvent(MouseEvent(UiEventKind::MouseUp, x, y));
    }
    EXPECT_EQ(box.ItemText(IDC_FILE_FOLDER), "data\\stg4\\old_ver\\");
    UiEvent wheel;
    wheel.kind = UiEventKind::MouseWheel;
    wheel.wheel = -1;
    box.HandleEvent(wheel);  // a short list does not move
    box.Click(IDCANCEL_COMMAND);
  });
  std::string path;
  cFileDlg dialog(&path, FILEDLG_OPEN_STAGE, 0);
  EXPECT_EQ(dialog.DoModal(0), 0);
}

TEST_F(FileDialogTest, OpenRefusesAMissingFileAndCancelEmptiesThePath) {
  SetHeadlessBoxAnswer(kAnswerOk);
  Script(TypeName("missing.rpl4_878"));
  std::string path = "before";
  cFileDlg dialog(&path, FILEDLG_LOAD_REPLAY, 1);
  EXPECT_EQ(dialog.DoModal(0), 0);
  EXPECT_EQ(path, "");
  const std::vector<ShownBox> boxes = TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "The file was not found.");
}

TEST_F(FileDialogTest, SaveAddsTheExtensionAndAsksBeforeReplacing) {
  EXPECT_EQ(ReplayFileExtension(), "rpl4_878");
  Script(TypeName("new"));
  std::string path = "user_data\\rpl4\\proposal.rpl4_878";
  cFileDlg save(&path, FILEDLG_SAVE_REPLAY, 0);
  EXPECT_EQ(save.DoModal(0), 1);
  EXPECT_EQ(path, "user_data\\rpl4\\new.rpl4_878");

  // Replacing: No keeps the box open (its script then ends: cancelled).
  SetHeadlessBoxAnswer(kAnswerNo);
  Script(TypeName("old"));
  path = "abc";
  cFileDlg refused(&path, FILEDLG_SAVE_REPLAY, 0);
  EXPECT_EQ(refused.DoModal(0), 0);
  EXPECT_EQ(path, "abc");
  const std::vector<ShownBox> boxes = TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "old.rpl4_878 は既に存在します。\n上書きしますか？");

  SetHeadlessBoxAnswer(kAnswerYes);
  Script(TypeName("old"));
  cFileDlg replaced(&path, FILEDLG_SAVE_REPLAY, 0);
  EXPECT_EQ(replaced.DoModal(0), 1);
  EXPECT_EQ(path, "user_data\\rpl4\\old.rpl4_878");
}

TEST_F(FileDialogTest, ProposedNameShowsInItsFolder) {
  SetDialogObserver([](DialogBox& box) {
    EXPECT_EQ(box.ItemText(IDC_FILE_FOLDER), "user_data\\rpl4\\");
    EXPECT_EQ(box.ItemText(IDC_FILE_NAME), "20261207.rpl4_878");
    EXPECT_EQ(box.ItemText(IDOK_COMMAND), "Save");
    box.Click(IDCANCEL_COMMAND);
  });
  std::string path = "user_data\\rpl4\\20261207.rpl4_878";
  cFileDlg dialog(&path, FILEDLG_SAVE_REPLAY, 1);
  EXPECT_EQ(dialog.DoModal(0), 0);
  EXPECT_EQ(path, "user_data\\rpl4\\20261207.rpl4_878");
}

TEST_F(FileDialogTest, NameThatCp932CannotHoldIsListedWithAMarkAndOpensByItsBytes) {
  std::ofstream("user_data/rpl4/\xF0\x9F\x98\x80.rpl4_878") << "x";
  std::string shown;
  SetDialogObserver([&shown](DialogBox& box) {
    box.SetFocus(IDC_FILE_LIST);
    box.HandleEvent(KeyDownEvent(kVkHome));  // [..]; "?" sorts before "old"
    box.HandleEvent(KeyDownEvent(kVkDown));
    shown = box.ItemText(IDC_FILE_NAME);
    box.Click(IDOK_COMMAND);
  });
  std::string path;
  cFileDlg dialog(&path, FILEDLG_LOAD_REPLAY, 0);
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_NE(shown.find('?'), std::string::npos);
  EXPECT_TRUE(fs::exists(ResolveGamePath(path))) << path;
}

}  // namespace
