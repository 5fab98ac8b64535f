#include "shell/dialogs/message_box_dialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/presenter.h"
#include "platform/window.h"
#include "shell/dialogs/dialog_canvas.h"
#include "shell/dialogs/dialog_font.h"
#include "tests/shell/dialog_test_support.h"

namespace {

using namespace platform;

using MessageBoxDialogTest = WindowDialogTest;

TEST_F(MessageBoxDialogTest, ConfirmExitBothWaysThroughTheHeadlessAnswer) {
  SetHeadlessBoxAnswer(kAnswerNo);
  EXPECT_EQ(ConfirmExit(0), 0);
  SetHeadlessBoxAnswer(kAnswerYes);
  EXPECT_EQ(ConfirmExit(1), 1);
  const std::vector<ShownBox> boxes = TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "終了しますか？\n");
  EXPECT_EQ(boxes[0].caption, "終了確認");
  EXPECT_EQ(boxes[1].text, "Would you like to quit?\n");
  EXPECT_EQ(boxes[1].caption, "End confirmation");
}

TEST_F(MessageBoxDialogTest, DrawnQuitQuestionAnswersByKeysAndClicks) {
  // Enter presses the default button, Yes.
  Script({KeyDownEvent(kVkReturn)});
  EXPECT_EQ(ConfirmExit(1), 1);
  // Tab to No, then Space.
  Script(Keys({kVkTab, kVkSpace}));
  EXPECT_EQ(ConfirmExit(0), 0);
  // A click on No.
  SetDialogObserver([](DialogBox& box) {
    EXPECT_EQ(box.Caption(), "End confirmation");
    ClickItem(box, IDNO);
  });
  Script({MouseEvent(UiEventKind::MouseMove, 1, 1)});
  EXPECT_EQ(ConfirmExit(1), 0);
  EXPECT_TRUE(TakeHeadlessBoxes().empty());
}

TEST_F(MessageBoxDialogTest, EscapeAnswersOnlyWhereABoxOffersCancelOrOnlyOk) {
  Script({KeyDownEvent(kVkEscape), KeyDownEvent(kVkEscape)});
  // Yes/No ignores the first Escape; the script then ends, which closes it as No.
  EXPECT_EQ(MesBox("q", "c", MB_YESNO), IDNO);
  Script({KeyDownEvent(kVkEscape)});
  EXPECT_EQ(MesBox("q", "c", MB_OKCANCEL), IDCANCEL);
  Script({KeyDownEvent(kVkEscape)});
  EXPECT_EQ(MesBox("q", "c", MB_OK), IDOK);
}

// Ink pixels (not the face colour) of a block of a picture.
int InkIn(const std::vector<std::uint32_t>& picture, int pitch, int x, int y, int width, int height) {
  int ink = 0;
  for (int row = y; row < y + height; ++row)
    for (int col = x; col < x + width; ++col) ink += picture[std::size_t(row) * pitch + col] != dialog_colors::kFace;
  return ink;
}

// The last line of a box keeps its descenders: drawn in the box, the second
// player's question's "Would you like to restart the game?" has all the ink
// it has drawn on its own.
TEST_F(MessageBoxDialogTest, TheLastLineIsDrawnWithItsDescenders) {
  const std::string lastLine = "Would you like to restart the game?";
  const std::string question = Cp932Literal("既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\n") + lastLine;
  const DialogFont& font = DialogFont::Get();
  const int band = font.LineHeight() * 3 / 2;
  DialogCanvas alone(font.TextWidth(lastLine), band, dialog_colors::kFace);
  alone.Text(0, 0, lastLine, dialog_colors::kText);
  const int inkAlone = InkIn(alone.Pixels(), alone.Width(), 0, 0, alone.Width(), band);
  int inkInBox = -1;
  SetDialogObserver([&](DialogBox& box) {
    const DialogRect text = box.Items().front()->Rect();
    int width = 0, height = 0;
    const std::vector<std::uint32_t> picture = GetPresenter().LastFrame(&width, &height);
    inkInBox = InkIn(picture, width, box.ClientOriginX() + text.x, box.ClientOriginY() + text.y + 3 * font.LineHeight(),
                     alone.Width(), band);
    box.Click(IDNO);
  });
  Script({MouseEvent(UiEventKind::MouseMove, 1, 1)});
  EXPECT_EQ(MesBox(question, Cp932Literal("二重起動"), MB_YESNO), IDNO);
  EXPECT_GT(inkAlone, 0);
  EXPECT_EQ(inkInBox, inkAlone);
}

TEST_F(MessageBoxDialogTest, BoxesFromOtherThreadsAreShownOnTheMainThread) {
  SetHeadlessBoxAnswer(kAnswerNo);
  // Written by the worker, polled here: atomic, or the poll may never see it.
  std::atomic<int> answer{0};
  std::thread worker([&] { answer = MesBox("q", "c", MB_YESNO); });
  while (answer.load() == 0) ServeMainThread();
  worker.join();
  EXPECT_EQ(answer, IDNO);
}

}  // namespace
