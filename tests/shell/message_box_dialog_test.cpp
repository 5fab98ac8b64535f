#include "shell/dialogs/message_box_dialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/window.h"
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
