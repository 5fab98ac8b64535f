#include "input/replay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

namespace {

struct Words {
  std::uint16_t dir;
  std::uint16_t button;
  bool operator==(const Words&) const = default;
};

// Input as a player makes it: words that mostly stay for a while.
std::vector<Words> RandomPlay(unsigned seed, int frames) {
  std::mt19937 random(seed);
  std::vector<Words> play;
  Words now{0, 0};
  for (int i = 0; i < frames; ++i) {
    if (random() % 8 == 0) now.dir = static_cast<std::uint16_t>(random() % 16);
    if (random() % 5 == 0) now.button = static_cast<std::uint16_t>(random() % 256);
    play.push_back(now);
  }
  return play;
}

cReplay Record(const std::vector<Words>& play) {
  cReplay replay;
  cInput input;
  input.Init();
  for (const Words& words : play) {
    input.m_wDir = words.dir;
    input.m_wButton = words.button;
    replay.RecordFrame(input);
  }
  return replay;
}

std::vector<Words> PlayBack(cReplay& replay) {
  std::vector<Words> play;
  cInput input;
  input.Init();
  while (replay.PlayFrame(input) == 0) play.push_back({input.m_wDir, input.m_wButton});
  return play;
}

std::vector<unsigned char> Saved(cReplay& replay) {
  DataWriter out("replay");
  replay.Save(out);
  return out.Bytes();
}

// Loads a saved stream (with a version head) into a copy; true when it read whole.
bool Load(cReplay& replay, std::vector<unsigned char> stream) {
  std::vector<unsigned char> file = {0x6E, 0x03, 0, 0};  // 878
  file.insert(file.end(), stream.begin(), stream.end());
  auto in = OpenReadBytes(std::move(file), "replay");
  if (!in) return false;
  cReplay loaded;
  loaded.Load(*in);
  if (!in->ok() || in->Remaining() != 0) return false;
  replay = loaded;
  return true;
}

TEST(ReplayTest, WhatIsRecordedPlaysBackFrameForFrame) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const std::vector<Words> play = RandomPlay(seed, 3000);
    cReplay replay = Record(play);
    EXPECT_EQ(PlayBack(replay), play) << "seed " << seed;
    EXPECT_LT(replay.m_vDirValue.size(), play.size() / 4);
    replay.Rewind();
    EXPECT_EQ(PlayBack(replay), play);
  }
}

TEST(ReplayTest, AnAttemptWithoutInputIsOneRunPerStream) {
  cReplay replay = Record(std::vector<Words>(500, Words{0, 0}));
  ASSERT_EQ(replay.m_vDirValue.size(), 1u);
  ASSERT_EQ(replay.m_vButtonValue.size(), 1u);
  EXPECT_EQ(replay.m_vDirLength[0], 500u);
  EXPECT_EQ(replay.m_vButtonLength[0], 500u);
  EXPECT_TRUE(replay.HasDirRuns());
}

TEST(ReplayTest, ThePlaybackEndsWithTheShorterStream) {
  cReplay replay = Record({{1, 0}, {1, 0}, {2, 0}, {2, 1}});
  replay.m_vButtonLength[0] = 1;  // buttons now cover 2 frames, directions 4
  cInput input;
  input.Init();
  EXPECT_EQ(replay.PlayFrame(input), 0);
  EXPECT_EQ(replay.PlayFrame(input), 0);
  input.m_wDir = 9;
  EXPECT_EQ(replay.PlayFrame(input), 1);
  EXPECT_EQ(input.m_wDir, 9);  // nothing written
}

TEST(ReplayTest, SavedStreamLoadsBackToTheSameBytes) {
  cReplay replay = Record(RandomPlay(7, 2000));
  replay.m_nSeed = -123456;
  const std::vector<unsigned char> bytes = Saved(replay);
  cReplay loaded;
  ASSERT_TRUE(Load(loaded, bytes));
  EXPECT_EQ(loaded.m_nSeed, -123456);
  EXPECT_EQ(Saved(loaded), bytes);
  EXPECT_EQ(PlayBack(loaded), RandomPlay(7, 2000));
}

TEST(ReplayTest, StreamLayoutIsTheSeedRecordThenFourLists) {
  cReplay replay = Record({{4, 1}, {4, 1}, {8, 1}});
  replay.m_nSeed = 77;
  const std::vector<unsigned char> expected = {
      1, 0, 0, 0, 77, 0, 0, 0, 0, 0, 0, 0,  // one field (the seed), no strings
      2, 0, 0, 0, 4, 0, 8, 0,                // direction values
      1, 0, 0, 0, 1, 0,                      // button values
      2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,    // direction run lengths
      1, 0, 0, 0, 3, 0, 0, 0,                // button run lengths
  };
  EXPECT_EQ(Saved(replay), expected);
}

TEST(ReplayTest, StreamsThatCouldNotHaveBeenRecordedAreRefused) {
  const cReplay good = Record({{4, 1}, {4, 1}, {8, 1}});
  cReplay target = Record({{1, 1}});

  cReplay zeroRun = good;
  zeroRun.m_vButtonLength[0] = 0;
  EXPECT_FALSE(Load(target, Saved(zeroRun)));

  cReplay unequal = good;
  unequal.m_vDirLength.pop_back();
  EXPECT_FALSE(Load(target, Saved(unequal)));

  cReplay copy = good;
  std::vector<unsigned char> huge = Saved(copy);
  const std::uint32_t count = 0x7FFFFFFF;
  std::memcpy(huge.data() + 12, &count, sizeof count);  // the direction value count
  EXPECT_FALSE(Load(target, huge));

  std::vector<unsigned char> truncated = Saved(copy);
  truncated.pop_back();
  EXPECT_FALSE(Load(target, truncated));
  EXPECT_EQ(target.m_vDirValue.size(), 1u);  // the target is as it was
}

TEST(ReplayTest, NegativeOrZeroCountsReadAsEmptyLists) {
  std::vector<unsigned char> stream = {1, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0};
  for (int list = 0; list < 4; ++list) stream.insert(stream.end(), {0xFF, 0xFF, 0xFF, 0xFF});
  cReplay replay = Record({{1, 1}});
  ASSERT_TRUE(Load(replay, stream));
  EXPECT_FALSE(replay.HasDirRuns());
  EXPECT_EQ(replay.m_nSeed, 5);
  cInput input;
  input.Init();
  EXPECT_EQ(replay.PlayFrame(input), 1);
}

TEST(ReplayTest, EmptyForgetsRunsSeedAndCursor) {
  cReplay replay = Record(RandomPlay(3, 100));
  replay.m_nSeed = 9;
  cInput input;
  replay.PlayFrame(input);
  replay.Empty();
  EXPECT_FALSE(replay.HasDirRuns());
  EXPECT_TRUE(replay.m_vButtonLength.empty());
  EXPECT_EQ(replay.m_nSeed, 0);
  EXPECT_EQ(replay.m_nDirFrame, 0u);
  EXPECT_EQ(replay.m_nDirRun, 0u);
}

}  // namespace
