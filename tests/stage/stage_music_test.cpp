// The stage's music request as the program sends it: the music number goes
// to the stage slot of the music player and the loop flag travels in the
// stage's loop word, set before the request is sent.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/main_thread.h"
#include "sound/bgm/bgm_request.h"
#include "stage/core/stage_sinks.h"

namespace {

struct SentBgm {
  std::uintptr_t slot = 0;
  std::intptr_t number = 0;
  int loop = 0;
  bool operator==(const SentBgm&) const = default;
};

TEST(StageMusic, TheRequestCarriesTheNumberToTheStageSlotAndTheLoopFlag) {
  // The test runs its requests itself, as the window thread would.
  platform::BecomeMainThread();
  std::vector<SentBgm> sent;
  platform::SetRequestHandler([&](unsigned id, std::uintptr_t wParam, std::intptr_t lParam) -> std::intptr_t {
    if (id == WM_GAME_PLAYBGM) sent.push_back({wParam, lParam, g_nStageBgmLoop});
    return 0;
  });
  ResetStageSinks();
  RequestStageMusic(5, 1);
  RequestStageMusic(3, 0);
  RequestStageMusic(0, 1);
  platform::SetRequestHandler({});
  EXPECT_EQ(sent, (std::vector<SentBgm>{{kStageBgmSlot, 5, 1}, {kStageBgmSlot, 3, 0}, {kStageBgmSlot, 0, 1}}));
  g_nStageBgmLoop = 0;
}

}  // namespace
