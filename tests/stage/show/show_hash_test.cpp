// Pictures and messages change the play (their waits stop it), so they are
// in the state hash, and the hash is the same whether they are drawn or not.
#include <gtest/gtest.h>

#include "definitions/save_data/save_data.h"
#include "graphics/device/device.h"
#include "stage/show/show_message.h"
#include "stage/show/show_picture.h"
#include "tests/stage/show/show_fixture.h"

namespace show_test {
namespace {

class ShowHashTest : public ShowTest {
 protected:
  // A few hundred frames with pictures and messages coming and going, the
  // hero walking so that character-centred ones move.
  std::vector<std::uint64_t> Play() {
    StartRun();
    std::vector<std::uint64_t> hashes;
    for (int frame = 0; frame < 400; ++frame) {
      g_SaveData.m_vVar[5] = frame;
      if (frame % 50 == 0) {
        PictureParams picture;
        picture.picture = 1 + frame / 50 % 2;
        picture.place = frame / 50 % 5;
        picture.percent = 50 + frame / 4;
        picture.duration = kShowTimed;
        picture.time = 7;
        picture.screenFixed = frame / 100 % 2;
        ShowPicture(Hero(), PictureCommand(picture));
        MessageParams message;
        message.place = frame / 50 % 9;
        message.duration = kShowTimed;
        message.time = 9;
        message.escapes = message.refresh = 1;
        message.refreshInterval = 3;
        message.keepInside = frame / 100 % 2;
        ShowMessage(Hero(), MessageCommand("#C5 left", message), 0);
      }
      run->harness.Step(frame % 80 < 40 ? 2 : 1, 0);
      hashes.push_back(run->harness.Hash());
    }
    return hashes;
  }
};

TEST_F(ShowHashTest, TheHashIsTheSameWithAndWithoutAScreen) {
  const std::vector<std::uint64_t> headless = Play();
  for (auto [d3d, bpp] : {std::pair{0, 8}, {0, 32}, {1, 32}}) {
    ASSERT_TRUE(DDInit(d3d, 640, 480, bpp, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    const std::vector<std::uint64_t> drawn = Play();
    run.reset();
    DDRelease();
    ASSERT_EQ(drawn.size(), headless.size());
    for (std::size_t i = 0; i < drawn.size(); ++i)
      ASSERT_EQ(drawn[i], headless[i]) << "frame " << i << " mode " << d3d << "/" << bpp;
  }
}

TEST_F(ShowHashTest, ShownPicturesAndMessagesAreInTheHash) {
  const std::uint64_t before = run->harness.Hash();
  ShowPicture(Hero(), PictureCommand(PictureParams{}));
  const std::uint64_t withPicture = run->harness.Hash();
  EXPECT_NE(withPicture, before);
  ShowMessage(Hero(), MessageCommand("x", MessageParams{}), 0);
  EXPECT_NE(run->harness.Hash(), withPicture);
}

}  // namespace
}  // namespace show_test
