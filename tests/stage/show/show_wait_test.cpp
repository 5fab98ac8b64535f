// A message or picture with the wait switch stops the game: the modal
// sub-loop draws frames of its own until the wait is over, and the shown
// thing goes with the wait.
#include <gtest/gtest.h>

#include "shell/game/game_clock.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/show_message.h"
#include "stage/show/show_picture.h"
#include "tests/stage/show/show_fixture.h"

namespace show_test {
namespace {

class ShowWaitTest : public ShowTest {
 protected:
  void SetUp() override {
    ShowTest::SetUp();
    SetGameClock(m_clock.AsGameClock());
  }
  // Frames the modal sub-loop drew while `show` ran: a timed picture that
  // counts on held frames too is one frame shorter for each.
  template <typename Show>
  int FramesWaited(Show&& show) {
    cShownPicture& counter = Scene().m_Draw.shows.pictures.emplace_front();
    counter.duration = kShowTimed;
    counter.wait = 1;
    counter.remaining = 100000;
    counter.serial = 0xFFFFFFFF;
    show();
    const int drawn = 100000 - counter.remaining;
    Scene().m_Draw.shows.pictures.pop_front();
    return drawn;
  }

 private:
  cManualClock m_clock;
};

TEST_F(ShowWaitTest, ATimedPictureStopsTheGameForItsTimeAndGoesWithTheWait) {
  PictureParams p;
  p.wait = 1;
  p.duration = kShowTimed;
  p.time = 10;
  const int frameCount = Scene().m_nFrameCount;
  const int frames = FramesWaited([&] { ShowPicture(Hero(), PictureCommand(p)); });
  EXPECT_EQ(frames, 60);
  EXPECT_EQ(Scene().m_nFrameCount, frameCount);
  EXPECT_EQ(Scene().m_Draw.shows.pictures.size(), 0u);
  EXPECT_EQ(Scene().m_nWaitMode, 3);
}

TEST_F(ShowWaitTest, ATimedMessageWaitsInMessageModeWithoutTheOpeningSound) {
  MessageParams p;
  p.wait = 1;
  p.duration = kShowTimed;
  p.time = 5;
  run->harness.ClearRecords();
  const int frames = FramesWaited([&] { ShowMessage(Hero(), MessageCommand("wait", p), 0); });
  EXPECT_EQ(frames, 30);
  EXPECT_TRUE(Scene().m_Draw.shows.messages.empty());
  EXPECT_EQ(Scene().m_nWaitMode, 1);
  EXPECT_TRUE(run->harness.Sounds().empty());
}

TEST_F(ShowWaitTest, UntilTheStageEndsReusesTheLastWaitAndANewAttemptStartsClean) {
  MessageParams p;
  p.wait = 1;
  p.duration = kShowTimed;
  p.time = 2;
  ShowMessage(Hero(), MessageCommand("first", p), 0);
  p.duration = kShowUntilStageEnd;
  // The record the last wait left counts below 0 at once: the wait ends.
  EXPECT_EQ(FramesWaited([&] { ShowMessage(Hero(), MessageCommand("again", p), 0); }), 0);
  EXPECT_TRUE(Scene().m_Draw.shows.messages.empty());
  Scene().SetStage(1, 0);
  EXPECT_EQ(Scene().m_nWaitMode, 0);
  EXPECT_EQ(Scene().m_nWaitFrames, 0);
}

}  // namespace
}  // namespace show_test
