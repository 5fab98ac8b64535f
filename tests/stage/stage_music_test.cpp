// The stage's music request as the program sends it: the music number goes
// to the stage slot of the music player and the loop flag travels in the
// stage's loop word, set before the request is sent. The play's save data
// hold both by then, for the stage end to carry the music on.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "definitions/save_data/save_data.h"
#include "platform/main_thread.h"
#include "sound/bgm/bgm_request.h"
#include "stage/core/stage_sinks.h"

namespace {

struct SentBgm {
  std::uintptr_t slot = 0;
  std::intptr_t number = 0;
  int loop = 0;
  std::int32_t heldNumber = 0;  // the save data's at the time the request is served
  std::int32_t heldLoop = 0;
  bool operator==(const SentBgm&) const = default;
};

TEST(StageMusic, TheRequestIsHeldInThePlayThenSentToTheStageSlotWithItsLoopFlag) {
  // The test runs its requests itself, as the window thread would.
  platform::BecomeMainThread();
  std::vector<SentBgm> sent;
  platform::SetRequestHandler([&](unsigned id, std::uintptr_t wParam, std::intptr_t lParam) -> std::intptr_t {
    if (id == WM_GAME_PLAYBGM)
      sent.push_back({wParam, lParam, g_nStageBgmLoop, g_SaveData.m_nStageState1, g_SaveData.m_nStageState2});
    return 0;
  });
  ResetStageSinks();
  RequestStageMusic(5, 1);
  RequestStageMusic(3, 0);
  RequestStageMusic(0, 1);
  platform::SetRequestHandler({});
  EXPECT_EQ(sent,
            (std::vector<SentBgm>{
                {kStageBgmSlot, 5, 1, 5, 1}, {kStageBgmSlot, 3, 0, 3, 0}, {kStageBgmSlot, 0, 1, 0, 1}}));
  g_nStageBgmLoop = 0;
  g_SaveData.m_nStageState1 = g_SaveData.m_nStageState2 = 0;
}

}  // namespace
