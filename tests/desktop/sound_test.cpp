// The player's sound through a real sound server of the test's own, heard
// on the server's sink: the title music, and the server going away under
// the running player and coming back, or starting only after the player.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/sound_server.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

using Clock = std::chrono::steady_clock;

// A quarter of a second of music heard is music.
constexpr std::size_t kHeardWindow = kRecordRate / 4;

constexpr const char* kLost = "The audio device was lost: sounds and music play silently until it is back\n";
constexpr const char* kBack = "The audio device is back: sounds and music play on\n";
constexpr const char* kNoServer = "No audio device (no sound server answered; ";
constexpr const char* kFound = "An audio device opened: sounds and music play from now on\n";

int Count(const std::string& text, const std::string& line) {
  int count = 0;
  for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++count;
  return count;
}

class SoundOnADesktop : public DesktopFixture {
 protected:
  bool StartGame() {
    if (!StartDesktop(WindowManager::Openbox, 1024, 768)) return false;
    WriteGame({1, 1, 32});
    return !HasFatalFailure();
  }
  bool StartServer() {
    const bool started = server_.Start();
    EXPECT_TRUE(started) << server_.Problem();
    return started;
  }
  SpawnedProgram& StartPlayerWithSound() { return StartPlayer({}, server_.ClientEnvironment()); }

  bool Reported(const std::string& line) const {
    const bool reported =
        WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return Report().find(line) != std::string::npos; });
    EXPECT_TRUE(reported) << "not reported: " << line << "the report:\n" << Report();
    return reported;
  }

  // Records the monitor until the music is heard; how long ago the first
  // heard frame played, reckoned back from the frames recorded since.
  std::optional<Clock::duration> HeardSince() {
    MonitorRecording recording(server_);
    std::optional<std::size_t> heard;
    const bool came = WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
      heard = FirstHeardFrame(recording.Samples(), kHeardWindow);
      return heard.has_value();
    });
    EXPECT_TRUE(came) << "no music was heard; the loudest quarter second: " << Loudest(recording.Samples());
    if (!came) return std::nullopt;
    const std::size_t since = recording.Samples().size() / kRecordChannels - *heard;
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(double(since) / kRecordRate));
  }

  // The music goes on: the next second is as loud as music all through.
  void ExpectPlaysOn() const {
    const std::vector<float> second = server_.Record(1.0);
    ASSERT_FALSE(second.empty()) << "no recording came";
    for (std::size_t from = 0; from < kRecordRate; from += kHeardWindow)
      EXPECT_GE(Loudness(second, from, from + kHeardWindow), kHeardLoudness) << "at frame " << from;
  }

  static float Loudest(const std::vector<float>& samples) {
    float loudest = 0.0f;
    for (std::size_t from = 0; from + kHeardWindow <= samples.size() / kRecordChannels; from += kHeardWindow)
      loudest = std::max(loudest, Loudness(samples, from, from + kHeardWindow));
    return loudest;
  }

  SoundServer server_;
};

// The sound server ends under the player at the title (`pulseaudio -k`, a
// package update) and starts again at the same socket: the music is heard
// again a few seconds later, and the log tells of the loss and the return
// once each.
TEST_F(SoundOnADesktop, TheTitleMusicIsHeardAgainAfterTheSoundServerRestarts) {
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(StartServer());
  SpawnedProgram& player = StartPlayerWithSound();
  ASSERT_TRUE(HeardSince().has_value()) << player.Stderr() << Report();
  ExpectPlaysOn();

  ASSERT_TRUE(server_.Stop());
  ASSERT_TRUE(Reported(kLost));
  ASSERT_TRUE(StartServer());
  const Clock::time_point answered = Clock::now();
  const std::optional<Clock::duration> since = HeardSince();
  ASSERT_TRUE(since.has_value()) << player.Stderr() << Report();
  const auto back = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - *since - answered);
  std::printf("the music was heard again %lld ms after the sound server answered\n", (long long)back.count());
  ExpectPlaysOn();
  EXPECT_TRUE(Reported(kBack));
  const std::string report = Report();
  EXPECT_EQ(Count(report, kLost), 1) << report;
  EXPECT_EQ(Count(report, kBack), 1) << report;
  EXPECT_EQ(Count(report, "No audio device"), 0) << report;
  EXPECT_FALSE(player.EndsWithin(0)) << player.Stderr();
}

// A player started while no sound server runs says so, keeps looking, and
// plays through the server that starts after it.
TEST_F(SoundOnADesktop, ASoundServerStartedAfterThePlayerIsHeard) {
  ASSERT_TRUE(StartGame());
  SpawnedProgram& player = StartPlayerWithSound();
  ASSERT_TRUE(Reported(kNoServer));
  ASSERT_TRUE(StartServer());
  ASSERT_TRUE(HeardSince().has_value()) << player.Stderr() << Report();
  ExpectPlaysOn();
  EXPECT_TRUE(Reported(kFound));
  EXPECT_EQ(Count(Report(), kFound), 1) << Report();
}

}  // namespace
}  // namespace desktop_test
