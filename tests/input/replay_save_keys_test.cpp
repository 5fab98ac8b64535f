#include "input/replay_save_keys.h"

#include <gtest/gtest.h>

#include <vector>

#include "input/replay.h"
#include "input/replay_requests.h"
#include "platform/input_devices.h"
#include "platform/main_thread.h"
#include "project/global_data.h"
#include "sound/sound_messages.h"

namespace {

class ReplaySaveKeysTest : public testing::Test {
 protected:
  void SetUp() override {
    StartProjectData();
    g_System->m_bReplayRecord = 1;
    platform::ResetMainThreadState();
    platform::BecomeMainThread();
    platform::SetRequestHandler([this](unsigned id, std::uintptr_t wParam, std::intptr_t) -> std::intptr_t {
      if (id == WM_GAME_PLAYSE) sounds_.push_back(static_cast<int>(wParam));
      return 0;
    });
    SetReplayRequestHooks({[this] { return playingBack_; },
                           [this](int attempt) {
                             saves_.push_back(attempt);
                             return 1;
                           },
                           nullptr});
    cInput input;
    input.Init();
    g_Replay.Empty();
    g_Replay.RecordFrame(input);
    g_ReplayPrev.Empty();
    platform::ReleaseAllInput();
    // The refusal cooldown is program-wide: an earlier test may have left it running.
    ResetReplaySaveKeys();
  }
  void TearDown() override {
    platform::ReleaseAllInput();
    SetReplayRequestHooks({});
    platform::ResetMainThreadState();
    g_Replay.Empty();
    StopProjectData();
  }
  int Frame(std::initializer_list<int> held) {
    platform::ReleaseAllInput();
    for (int key : held) platform::SetKeyHeld(key, true);
    return CheckReplaySaveKeys();
  }

  bool playingBack_ = false;
  std::vector<int> sounds_;
  std::vector<int> saves_;
};

TEST_F(ReplaySaveKeysTest, F1SavesTheCurrentAttemptOncePerPress) {
  EXPECT_EQ(Frame({112}), 1);
  EXPECT_EQ(Frame({112}), 0);  // still held after the dialog
  EXPECT_EQ(Frame({}), 0);
  EXPECT_EQ(Frame({112}), 1);
  EXPECT_EQ(saves_, (std::vector<int>{0, 0}));
  EXPECT_EQ(sounds_, (std::vector<int>{1, 1}));
}

TEST_F(ReplaySaveKeysTest, F2WithAnEmptyPreviousAttemptIsRefusedOnceASecond) {
  for (int frame = 0; frame < 121; ++frame) EXPECT_EQ(Frame({113}), 0);
  EXPECT_EQ(sounds_, (std::vector<int>{3, 3, 3}));  // frames 0, 60 and 120
  EXPECT_TRUE(saves_.empty());
  cInput input;
  input.Init();
  g_ReplayPrev.RecordFrame(input);
  EXPECT_EQ(Frame({113}), 1);
  EXPECT_EQ(saves_, (std::vector<int>{1}));
}

TEST_F(ReplaySaveKeysTest, NothingDuringPlaybackOrWithoutRecording) {
  playingBack_ = true;
  EXPECT_EQ(Frame({112}), 0);
  playingBack_ = false;
  g_System->m_bReplayRecord = 0;
  EXPECT_EQ(Frame({112}), 0);
  EXPECT_TRUE(saves_.empty());
  EXPECT_TRUE(sounds_.empty());
}

}  // namespace
