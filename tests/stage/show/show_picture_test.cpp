// "ピクチャーの表示" on a played stage: what is shown, replaced, reused and
// removed, the size, how long a picture stays, and a picture that does not
// load.
#include "stage/show/show_picture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/game_files.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "stage/chara/chara.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/show/show_fixture.h"

namespace show_test {
namespace {

class ShowPictureTest : public ShowTest {
 protected:
  void Show(const PictureParams& p) { ShowPicture(Hero(), PictureCommand(p)); }
  std::list<cShownPicture>& Pictures() { return Scene().m_Draw.shows.pictures; }
  std::vector<int> PictureNumbers() {
    std::vector<int> numbers;
    for (const cShownPicture& p : Pictures()) numbers.push_back(p.picture);
    return numbers;
  }
  PictureParams WithId(int picture, int id) {
    PictureParams p;
    p.picture = picture;
    p.idSwitch = 1;
    p.id = id;
    return p;
  }
};

TEST_F(ShowPictureTest, NoPictureRemovesByIdOrEverything) {
  Show(WithId(1, 7));
  Show(WithId(2, 8));
  Show(PictureParams{});
  ASSERT_EQ(Pictures().size(), 3u);
  Show(WithId(0, 99));  // an ID nobody carries: nothing changes
  EXPECT_EQ(PictureNumbers(), (std::vector<int>{1, 2, 1}));
  Show(WithId(0, 7));
  EXPECT_EQ(PictureNumbers(), (std::vector<int>{2, 1}));
  PictureParams all;
  all.picture = 0;
  Show(all);
  EXPECT_TRUE(Pictures().empty());
}

TEST_F(ShowPictureTest, TheSameIdIsReplacedInItsPlaceInTheDrawingOrder) {
  Show(WithId(1, 7));
  Show(WithId(2, 5));
  Show(WithId(1, 7));
  EXPECT_EQ(PictureNumbers(), (std::vector<int>{1, 2}));
  Show(WithId(2, 7));
  EXPECT_EQ(PictureNumbers(), (std::vector<int>{2, 2}));
  EXPECT_EQ(Pictures().front().width, 101);
  EXPECT_EQ(Pictures().front().id, 7);
  Show(WithId(0, 7));
  EXPECT_EQ(PictureNumbers(), (std::vector<int>{2}));
  EXPECT_EQ(Pictures().front().id, 5);
}

TEST_F(ShowPictureTest, ASameFilePictureIsTakenOverWithoutLoading) {
  Show(WithId(1, 7));
  std::filesystem::remove("bmp/picture/A.bmp");
  ForgetGameFolderListings();
  Show(WithId(3, 7));  // picture 3 names the same file: no load, so no failure
  ASSERT_EQ(PictureNumbers(), (std::vector<int>{3}));
  EXPECT_EQ(Pictures().front().width, 40);
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
  EXPECT_FALSE(platform::TakeCloseRequest().has_value());
}

TEST_F(ShowPictureTest, SizeIsRoundedHalfAwayFromZeroAndStretchesOnlyWhenScaled) {
  PictureParams p;
  p.picture = 2;
  p.percent = 150;  // 101 x 1.5 = 151.5
  Show(p);
  EXPECT_EQ(Pictures().back().width, 152);
  EXPECT_EQ(Pictures().back().height, 90);
  EXPECT_EQ(Pictures().back().stretch, 1);
  p.percent = 100;
  Show(p);
  EXPECT_EQ(Pictures().back().width, 101);
  EXPECT_EQ(Pictures().back().stretch, 0);
  EXPECT_EQ(ScaledPictureSize(101, 50), 51);   // 50.5
  EXPECT_EQ(ScaledPictureSize(-101, 50), -51);
  EXPECT_EQ(ScaledPictureSize(3, 1), 0);
  EXPECT_EQ(ScaledPictureSize(2147483647, 1000), 2147483647);
}

TEST_F(ShowPictureTest, ATimedPictureOfSixtyFramesIsDrawnSixtyTimes) {
  PictureParams p;
  p.duration = kShowTimed;
  p.time = 10;
  Show(p);
  int drawn = 0;
  while (!Pictures().empty() && drawn < 100) {
    Step();
    if (!Pictures().empty()) ++drawn;
  }
  EXPECT_EQ(drawn, 60);
  p.oneFrame = 1;
  Show(p);
  Step();
  EXPECT_EQ(Pictures().size(), 1u);
  Step();
  EXPECT_TRUE(Pictures().empty());
}

TEST_F(ShowPictureTest, UntimedPicturesStayUntilTheAttemptEnds) {
  PictureParams p;
  Show(p);
  p.duration = kShowUntilKey;
  Show(p);
  Step(300);
  EXPECT_EQ(Pictures().size(), 2u);
  Scene().SetStage(1, 0);
  EXPECT_TRUE(Pictures().empty());
}

TEST_F(ShowPictureTest, AFailedLoadShowsItsMessageAndClosesWithoutAnEntry) {
  Show(WithId(1, 7));
  std::filesystem::remove("bmp/picture/B.bmp");
  ForgetGameFolderListings();
  Show(WithId(2, 7));
  EXPECT_TRUE(Pictures().empty());
  const auto boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("B.bmp"), std::string::npos);
  EXPECT_TRUE(platform::TakeCloseRequest().has_value());
}

TEST_F(ShowPictureTest, APictureOutsideTheListIsReportedAndShowsNothing) {
  PictureParams p;
  p.picture = 9;
  Show(p);
  EXPECT_TRUE(Pictures().empty());
  EXPECT_FALSE(platform::TakeCloseRequest().has_value());
}

TEST_F(ShowPictureTest, NothingHappensOnceTheProgramIsClosing) {
  Scene().m_bQuit = 1;
  Show(PictureParams{});
  EXPECT_TRUE(Pictures().empty());
  Scene().m_bQuit = 0;
}

}  // namespace
}  // namespace show_test
