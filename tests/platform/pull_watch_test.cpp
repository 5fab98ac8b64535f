#include "platform/audio/pull_watch.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// A device watched from its open, an hour into the clock, with 7 pulls
// counted before it.
class PullWatchTest : public testing::Test {
 protected:
  PullWatchTest() { watch_.Restart(7, open_); }

  const platform::PullWatch::Clock::time_point open_{1h};
  platform::PullWatch watch_{5s, 1s};
};

// A device that stops calling back is told from one that starts late (a
// sound server's stream) or pauses between periods: only a count that
// stands still for the whole limit, counted from the open or the last
// pull, is a stall.
TEST_F(PullWatchTest, ADeviceStallsOnlyWhenItsCallbacksStandStillForTheLimit) {
  EXPECT_FALSE(watch_.Stalled(7, open_ + 4900ms)) << "a late first period";
  EXPECT_TRUE(watch_.Stalled(7, open_ + 5s));
  EXPECT_FALSE(watch_.Stalled(8, open_ + 6s)) << "it pulled";
  EXPECT_FALSE(watch_.Stalled(8, open_ + 10900ms));
  EXPECT_TRUE(watch_.Stalled(8, open_ + 11s));
  watch_.Restart(8, open_ + 12s);
  EXPECT_FALSE(watch_.Stalled(8, open_ + 13s)) << "opened again";
}

// A sound server fills a new stream's buffer at once, even on a sink that
// plays nothing (a suspended one): sound flows only once the device pulls
// after the fill's time, however late the count is looked at and however
// many pulls the fill took.
TEST_F(PullWatchTest, SoundFlowsOnlyWhenTheDevicePullsAfterTheBufferIsFilled) {
  EXPECT_FALSE(watch_.Flowed(12, open_ + 2s)) << "the fill, looked at late";
  EXPECT_FALSE(watch_.Flowed(12, open_ + 9s));
  watch_.Restart(12, open_ + 10s);
  EXPECT_FALSE(watch_.Flowed(13, open_ + 10100ms)) << "opened again: the fill";
  EXPECT_FALSE(watch_.Flowed(14, open_ + 11s));
  EXPECT_TRUE(watch_.Flowed(15, open_ + 11100ms)) << "it plays";
  EXPECT_TRUE(watch_.Flowed(15, open_ + 20s)) << "and from then on";
}

}  // namespace
