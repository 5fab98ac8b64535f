#include "input/replay_requests.h"

#include <gtest/gtest.h>

namespace {

TEST(ReplayRequestsTest, LoadAsksThroughTheShellsHookAndWithoutOneLoadsNothing) {
  SetReplayRequestHooks({});
  EXPECT_EQ(RequestReplayLoad(), 0);
  int asked = 0;
  SetReplayRequestHooks({nullptr, nullptr, [&] {
                           ++asked;
                           return 1;
                         }});
  EXPECT_EQ(RequestReplayLoad(), 1);
  EXPECT_EQ(asked, 1);
  SetReplayRequestHooks({});
}

}  // namespace
