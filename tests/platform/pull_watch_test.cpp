#include "platform/audio/pull_watch.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// A device that stops calling back is told from one that starts late (a
// sound server's stream) or pauses between periods: only a count that
// stands still for the whole limit, counted from the open or the last
// pull, is a stall.
TEST(PullWatch, ADeviceStallsOnlyWhenItsCallbacksStandStillForTheLimit) {
  platform::PullWatch watch(5s, 1s);
  const platform::PullWatch::Clock::time_point open{1h};
  watch.Restart(7, open);
  EXPECT_FALSE(watch.Stalled(7, open + 4900ms)) << "a late first period";
  EXPECT_TRUE(watch.Stalled(7, open + 5s));
  EXPECT_FALSE(watch.Stalled(8, open + 6s)) << "it pulled";
  EXPECT_FALSE(watch.Stalled(8, open + 10900ms));
  EXPECT_TRUE(watch.Stalled(8, open + 11s));
  watch.Restart(8, open + 12s);
  EXPECT_FALSE(watch.Stalled(8, open + 13s)) << "opened again";
}

// A sound server fills a new stream's buffer at once, even on a sink that
// plays nothing (a suspended one): sound flows only once the device pulls
// after the fill's time, however late the count is looked at and however
// many pulls the fill took.
TEST(PullWatch, SoundFlowsOnlyWhenTheDevicePullsAfterTheBufferIsFilled) {
  platform::PullWatch watch(5s, 1s);
  const platform::PullWatch::Clock::time_point open{1h};
  watch.Restart(7, open);
  EXPECT_FALSE(watch.Flowed(12, open + 2s)) << "the fill, looked at late";
  EXPECT_FALSE(watch.Flowed(12, open + 9s));
  watch.Restart(12, open + 10s);
  EXPECT_FALSE(watch.Flowed(13, open + 10100ms)) << "opened again: the fill";
  EXPECT_FALSE(watch.Flowed(14, open + 11s));
  EXPECT_TRUE(watch.Flowed(15, open + 11100ms)) << "it plays";
  EXPECT_TRUE(watch.Flowed(15, open + 20s)) << "and from then on";
}

}  // namespace
