// The window's dialog requests as the game thread sends them, answered by
// the toolkit's dialogs.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/clock.h"
#include "project/global_data.h"
#include "shell/dialogs/name_entry_dialog.h"
#include "shell/game/game.h"
#include "shell/requests/game_requests.h"
#include "shell/subsystems/subsystem_steps.h"
#include "shell/worker_threads.h"
#include "tests/shell/dialog_test_support.h"

namespace {

using namespace platform;

class DialogRequestsTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    SetRequestHandler(ServeGameRequest);
    g_UserOption.Start();
    savedCommand_ = g_Game.m_nTitleCmd;
  }
  void TearDown() override {
    thGame.Exit();
    g_Game.m_nTitleCmd = savedCommand_;
    g_UserOption.Stop();
    SetRequestHandler(nullptr);
    DialogTest::TearDown();
  }
  int savedCommand_ = 0;
};

TEST_F(DialogRequestsTest, NameEntryOnTheOptionsScreenEditsTheRegistrationName) {
  g_Game.m_nTitleCmd = 5;  // the options screen
  g_UserOption->m_strName = "AAA";
  SetDialogObserver([](DialogBox& box) {
    EXPECT_EQ(box.ItemText(IDC_NAME_EDIT), "AAA");
    box.HandleEvent(TextEvent("Bob"));
    box.Click(IDC_DIALOG_OK);
  });
  std::atomic<bool> done{false};
  thGame.Start([&] {
    RequestNameEntry();
    done = true;
    return 1u;
  });
  while (!done.load()) {
    ServeMainThread();
    SleepMs(1);
  }
  EXPECT_EQ(g_bNameEntryDone.load(), 1);
  EXPECT_EQ(g_UserOption->m_strName, "Bob");
}

TEST_F(DialogRequestsTest, ADialogRequestWhileADialogRunsIsRefused) {
  int shown = 0;
  std::optional<std::string> nested = "unset";
  SetDialogObserver([&](DialogBox& box) {
    ++shown;
    nested = AskStageFileStep();
    RunNameEntryDialogStep();
    box.Click(IDC_DIALOG_OK);
  });
  RunNameEntryDialogStep();
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(nested.has_value());
}

TEST_F(DialogRequestsTest, AnOverLongBoundNameShowsEmptyAndIsKeptWhenClosed) {
  std::string name = "ABCDEFG";
  SetDialogObserver([](DialogBox& box) { EXPECT_EQ(box.ItemText(IDC_NAME_EDIT), ""); });
  cNameEntryDlg dialog(&name, 0);
  EXPECT_EQ(dialog.DoModal(0), 0);
  EXPECT_EQ(name, "ABCDEFG");
}

// A failure's close raised while a dialog runs waits for its end, as the
// player's does: the box that tells of the failure is answered before the
// question. A termination ends the dialog at once. Each is raised again
// after it.
TEST_F(DialogRequestsTest, AFailuresCloseWaitsForTheDialogAndATerminationEndsIt) {
  for (CloseReason reason : {CloseReason::Fatal, CloseReason::Terminate}) {
    SCOPED_TRACE(static_cast<int>(reason));
    std::string name = "AAA";
    Script({TextEvent("B"), KeyDownEvent(kVkReturn)});
    SetDialogObserver([reason](DialogBox&) { RequestClose(reason); });
    cNameEntryDlg dialog(&name, 0);
    const bool terminated = reason == CloseReason::Terminate;
    EXPECT_EQ(dialog.DoModal(0), terminated ? 0 : 1);
    EXPECT_EQ(name, terminated ? "AAA" : "B");
    EXPECT_EQ(TakeCloseRequest(), reason);
    ResetMainThreadState();
  }
}

// Esc pressed in the pass that serves the dialog request: the dialog runs
// to its end undisturbed, and the close is taken after it.
TEST_F(DialogRequestsTest, APlayersCloseAskedForWithADialogIsTakenAfterIt) {
  std::string name = "AAA";
  Script({TextEvent("B"), KeyDownEvent(kVkReturn)});
  RequestClose(CloseReason::User);
  cNameEntryDlg dialog(&name, 0);
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(name, "B");
  EXPECT_EQ(TakeCloseRequest(), CloseReason::User);
  ResetMainThreadState();
}

}  // namespace
