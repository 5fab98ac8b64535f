// The player's sound through a real sound server of the test's own, heard
// on the server's sink: the title music and its loop, and the server going
// away under the running player and coming back, suspending its sink, or
// starting only after the player.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/desktop/process_threads.h"
#include "tests/desktop/sound_server.h"
#include "tests/desktop/unanswering_socket.h"
#include "tests/support/song_repeat.h"
#include "tests/support/test_sound_font.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr sample_game::StartupSettings kStartup{1, 1, 32};

// A quarter of a second of music heard is music.
constexpr std::size_t kHeardWindow = kRecordRate / 4;

// The sample game's title song, to its end-of-track.
constexpr double kTitleSongSeconds = 14.536;

constexpr const char* kLost = "The audio device was lost: sounds and music play silently until it is back\n";
constexpr const char* kBack = "The audio device is back: sounds and music play on\n";
constexpr const char* kNoServer = "No audio device (no sound server answered; ";
constexpr const char* kFound = "An audio device opened: sounds and music play from now on\n";

// A close ends the player within this, whatever its sound device does: in
// about half a second (each case prints what it took), where a close that
// waits on its sound server waits for good. The bound leaves room for a
// sanitizer build on a busy machine.
constexpr int kCloseWaitMs = 10000;

int Count(const std::string& text, const std::string& line) {
  int count = 0;
  for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++count;
  return count;
}

class SoundOnADesktop : public DesktopFixture {
 protected:
  bool StartGame() {
    if (!StartDesktop(WindowManager::Openbox, 1024, 768)) return false;
    WriteGame(kStartup);
    return !HasFatalFailure();
  }
  bool StartServer() {
    const bool started = server_.Start();
    EXPECT_TRUE(started) << server_.Problem();
    return started;
  }
  // With the sound font the sound tests render MIDI with.
  SpawnedProgram& StartPlayerWithSound() {
    SpawnedProgram::Setup::Environment environment = server_.ClientEnvironment();
    environment.emplace_back("SDL_SOUNDFONTS", kTestSoundFont);
    return StartPlayer({}, environment);
  }

  bool Reported(const std::string& line) const {
    const bool reported =
        WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return Report().find(line) != std::string::npos; });
    EXPECT_TRUE(reported) << "not reported: " << line << "the report:\n" << Report();
    return reported;
  }

  // Waits until the recording holds music; its first heard frame.
  static std::optional<std::size_t> FirstHeardIn(MonitorRecording& recording) {
    std::optional<std::size_t> heard;
    const bool came = WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
      heard = FirstHeardFrame(recording.Samples(), kHeardWindow);
      return heard.has_value();
    });
    EXPECT_TRUE(came) << "no music was heard; the loudest quarter second: " << Loudest(recording.Samples());
    return heard;
  }

  // Records the monitor until the music is heard; how long ago the first
  // heard frame played, reckoned back from the frames recorded since.
  std::optional<Clock::duration> HeardSince() {
    MonitorRecording recording(server_);
    const std::optional<std::size_t> heard = FirstHeardIn(recording);
    if (!heard) return std::nullopt;
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

std::string Names(const std::set<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// A sound server that hangs as the game starts (stuck on a dead Bluetooth
// sink or a suspended card: its socket takes the connection and never
// answers) holds neither the game nor its close: the title takes Z, and a
// termination ends the player at once as a close does, with status 0 and
// the window's place saved.
TEST_F(SoundOnADesktop, ASoundServerThatHangsHoldsNeitherTheGameNorTheClose) {
  const TitleFrames frames = HeadlessTitleFrames(kStartup);
  ASSERT_TRUE(StartGame());
  const UnansweringSoundServer hung;
  ASSERT_TRUE(hung.Listening());
  SpawnedProgram::Setup::Environment environment = server_.ClientEnvironment();
  environment.insert(environment.end(),
                     {{"PULSE_SERVER", std::nullopt}, {"XDG_RUNTIME_DIR", hung.RuntimeFolder().string()}});
  SpawnedProgram& player = StartPlayer({}, environment);
  const std::optional<XWindowId> window = WindowOf(player);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntilShown(*window, frames.title));
  EXPECT_TRUE(TapAndWaitForThePictureToChange(*window, XK_z)) << "the title took no key";
  EXPECT_TRUE(WaitUntilShown(*window, frames.slots)) << "Z did not lead to the save-slot list";

  const Clock::time_point asked = Clock::now();
  player.Signal(SIGTERM);
  ASSERT_TRUE(player.EndsWithin(kCloseWaitMs)) << "the close waits for the sound server";
  std::printf("the player ended %lld ms after its close\n",
              (long long)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - asked).count());
  EXPECT_EQ(player.ExitCode(), 0) << player.Stderr();
  EXPECT_TRUE(fs::exists(Game() / "user_data" / "Window.dat")) << "the window's place was not saved";
}

// A sound server stopped as the game starts and going on 5 seconds later:
// the title takes keys meanwhile, silently, and its music is heard once the
// server answers.
TEST_F(SoundOnADesktop, TheTitleMusicIsHeardOnceAStoppedSoundServerGoesOn) {
  const TitleFrames frames = HeadlessTitleFrames(kStartup);
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(StartServer());
  ASSERT_TRUE(server_.Pause(true));
  const Clock::time_point paused = Clock::now();
  SpawnedProgram& player = StartPlayerWithSound();
  const std::optional<XWindowId> window = WindowOf(player);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntilShown(*window, frames.title));
  // Down moves the title's menu; the title and its music stay.
  EXPECT_TRUE(TapAndWaitForThePictureToChange(*window, XK_Down)) << "the title took no key";
  std::this_thread::sleep_until(paused + std::chrono::seconds(5));
  ASSERT_TRUE(server_.Pause(false));
  ASSERT_TRUE(HeardSince().has_value()) << player.Stderr() << Report();
  ExpectPlaysOn();
  EXPECT_FALSE(player.EndsWithin(0)) << player.Stderr();
}

// SDL's audio part watches for devices on a thread at the lowest priority.
// A process whose main thread has ended with that one left does the rest
// of its exit at that priority, which on a busy machine takes tens of
// seconds: the close ends the audio part first.
class LowestPriorityAtTheClose : public SoundOnADesktop {
 protected:
  // Plays the title until `loseTheDevice` has the player lose its device,
  // then ends the player on a processor kept busy, where the lowest priority
  // gets almost nothing, and checks that no thread at a lower priority than
  // its main thread is left once the main thread has ended.
  void ExpectNoneOutlivesTheCloseAfter(const std::function<bool()>& loseTheDevice) {
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(StartServer());
    SpawnedProgram& player = StartPlayerWithSound();
    ASSERT_TRUE(HeardSince().has_value()) << player.Stderr() << Report();
    ASSERT_TRUE(loseTheDevice());
    ASSERT_TRUE(Reported(kLost));
    const auto main = [&](const std::vector<ProcessThread>& threads) {
      for (const ProcessThread& thread : threads)
        if (thread.id == player.Pid()) return thread;
      return ProcessThread{};
    };
    const auto lowest = [&](const std::vector<ProcessThread>& threads) {
      std::set<std::string> names;
      const int nice = main(threads).nice;
      for (const ProcessThread& thread : threads)
        if (thread.nice > nice && thread.state != 'Z') names.insert(thread.name);
      return names;
    };
    ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return !lowest(ThreadsOf(player.Pid())).empty(); }))
        << "no thread of the player runs at a lower priority";

    const int processor = LastOwnProcessor();
    const BusyProcessor busy(processor);
    ASSERT_TRUE(BindThreadsTo(player.Pid(), processor));
    // Between two looks for a device: a close given one under way gives it
    // up after a moment, and on this processor its end may come after the
    // process's.
    WaitUntilALookHasEnded(player.Pid());
    player.Signal(SIGTERM);
    std::set<std::string> left;
    ASSERT_TRUE(WaitUntil([&] {
      const std::vector<ProcessThread> threads = ThreadsOf(player.Pid());
      if (main(threads).state == 'Z') left.merge(lowest(threads));
      return player.EndsWithin(0);
    })) << "the player did not end";
    EXPECT_TRUE(left.empty()) << "left to do the exit at the lowest priority: " << Names(left);
    EXPECT_EQ(player.ExitCode(), 0) << player.Stderr();
  }

 private:
  // Waits until a look for a device seen under way has ended, or none came
  // for longer than looks are apart (a device that plays on a suspended
  // sink is not looked for). On the busy processor a look takes tens of
  // milliseconds at least, and the next comes seconds after it.
  static void WaitUntilALookHasEnded(pid_t pid) {
    const auto underWay = [pid] {
      for (const ProcessThread& thread : ThreadsOf(pid))
        if (thread.name == "AudioLook") return true;
      return false;
    };
    constexpr int kLooksApartMs = 3000;
    constexpr int kLookPollMs = 2;
    if (!WaitUntilWithin(kLooksApartMs, kLookPollMs, underWay)) return;
    EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kLookPollMs, [&] { return !underWay(); })) << "a look never ended";
  }
};

// The sound server went away under the player, which has been looking for
// a device since.
TEST_F(LowestPriorityAtTheClose, NoThreadOutlivesItAfterTheSoundServerWentAway) {
  ExpectNoneOutlivesTheCloseAfter([&] { return server_.Stop(); });
}

// The sink is suspended under the playing title: the device let go waits
// on a server that takes nothing, and its close with it.
TEST_F(LowestPriorityAtTheClose, NoThreadOutlivesItWithTheSinkSuspended) {
  ExpectNoneOutlivesTheCloseAfter([&] { return server_.SuspendSink(true); });
}

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

// The title song loops at its end-of-track through the sound server too,
// which takes the player's mix in periods of its own: each round is heard
// 14.536 s after the one before, to within 10 ms, reckoned in frames of the
// recording, so that the test's own delays change nothing.
//
// A machine that starves the player cannot be timed so: the sound server
// plays exact zeros, a period or more, while the player is late, and what
// is heard after them is no longer where the song put it. Such a round is
// told by those silences (the song itself has none as long, only the short
// one where its rounds meet) and is not judged: the next round is. A song
// the player cut short or started again early has no such silence and
// fails in every round.
class TitleSongLoop : public SoundOnADesktop {
 protected:
  static constexpr double kMargin = 0.010;
  // A sound server's period at the least; the silence where the rounds meet
  // is shorter.
  static constexpr std::size_t kStarvedFrames = kRecordRate / 200;
  // Rounds heard before the test gives up on a machine that starves each.
  static constexpr int kRounds = 4;

  // Whether the player was starved somewhere in the `frames` from `start`:
  // a long silence other than the one where the round meets the next.
  static bool Starved(const std::vector<float>& recording, std::size_t start, std::size_t frames) {
    const std::vector<float> round(recording.begin() + std::ptrdiff_t(start * kRecordChannels),
                                   recording.begin() + std::ptrdiff_t((start + frames) * kRecordChannels));
    for (const FrameSpan& silence : Silences(round, kStarvedFrames)) {
      const double from = double(silence.from) / kRecordRate, to = double(silence.to) / kRecordRate;
      if (from > kTitleSongSeconds + kMargin || to < kTitleSongSeconds - kMargin) return true;
    }
    return false;
  }

  // Plays the title, doing `meanwhile` once its song is heard, and checks
  // when the first round the machine did not starve is heard again;
  // returns how many rounds before it were starved.
  int ExpectHeardAgainAtItsLength(const std::function<void(SpawnedProgram& player)>& meanwhile) {
    if (!StartGame() || !StartServer()) return -1;
    // Recording before the player starts, so that the song's start is in it.
    MonitorRecording recording(server_);
    if (!WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return !recording.Samples().empty(); })) {
      ADD_FAILURE() << "no recording came";
      return -1;
    }
    SpawnedProgram& player = StartPlayerWithSound();
    // The music is waited for once the game shows: a sanitizer build on a
    // busy machine takes seconds to come up.
    if (!WindowOf(player)) {
      ADD_FAILURE() << "the player showed no window";
      return -1;
    }
    const std::optional<std::size_t> heard = FirstHeardIn(recording);
    if (!heard.has_value()) {
      ADD_FAILURE() << player.Stderr() << Report();
      return -1;
    }
    std::size_t start = FirstSoundingFrame(recording.Samples(), *heard);
    meanwhile(player);
    const std::size_t frames = SecondStartFrames(kRecordRate, kTitleSongSeconds);
    for (int round = 0; round < kRounds; ++round) {
      std::vector<float> samples;
      if (!WaitUntilWithin(kEventWaitMs + int(frames * 1000 / kRecordRate), kPollMs, [&] {
            samples = recording.Samples();
            return samples.size() >= (start + frames) * kRecordChannels;
          })) {
        ADD_FAILURE() << "the recording stopped at frame " << samples.size() / kRecordChannels;
        return -1;
      }
      const std::vector<float> song(samples.begin() + std::ptrdiff_t(start * kRecordChannels), samples.end());
      const double again = SecondStart(song, kRecordRate, kTitleSongSeconds);
      const bool starved = Starved(samples, start, frames);
      std::printf("round %d of the title song was heard again %.3f s after its start%s\n", round + 1, again,
                  starved ? " (the machine starved the player in it: not judged)" : "");
      if (!starved) {
        EXPECT_NEAR(again, kTitleSongSeconds, kMargin) << "round " << round + 1 << " was heard again " << again
                                                       << " s after its start, not " << kTitleSongSeconds << " s";
        EXPECT_FALSE(player.EndsWithin(0)) << player.Stderr();
        return round;
      }
      start += std::size_t(again * kRecordRate);
    }
    EXPECT_FALSE(player.EndsWithin(0)) << player.Stderr();
    return kRounds;
  }
};

TEST_F(TitleSongLoop, TheTitleMusicStartsAgainAtItsLength) {
  const int starved = ExpectHeardAgainAtItsLength([](SpawnedProgram&) {});
  if (starved == kRounds) GTEST_SKIP() << "the machine starved the player in each of " << kRounds << " rounds";
}

// The player stopped for 3 seconds early in the song, as a starved machine
// stops it (a little less than a device is given before it is taken for
// lost, which would drop what it held): that round is told as starved, and
// the next one keeps the song's length.
TEST_F(TitleSongLoop, AStarvedPlayerStartsTheTitleMusicAgainAtItsLength) {
  const int starved = ExpectHeardAgainAtItsLength([](SpawnedProgram& player) {
    player.Signal(SIGSTOP);
    std::this_thread::sleep_for(std::chrono::seconds(3));
    player.Signal(SIGCONT);
  });
  if (starved < 0) return;
  if (starved == kRounds) GTEST_SKIP() << "the machine starved the player in each of " << kRounds << " rounds";
  EXPECT_GE(starved, 1) << "the round in which the player was stopped was judged";
}

// A program that reserves the card has the sound server suspend the sink
// under the playing title: the loss is told once, the music is heard again
// once the sink resumes, and a close while it is suspended again ends the
// player at once, though its device hangs in the driver until the sink
// takes data.
TEST_F(SoundOnADesktop, ASuspendedSinkHoldsNeitherTheMusicNorTheClose) {
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(StartServer());
  SpawnedProgram& player = StartPlayerWithSound();
  ASSERT_TRUE(HeardSince().has_value()) << player.Stderr() << Report();

  ASSERT_TRUE(server_.SuspendSink(true));
  ASSERT_TRUE(Reported(kLost));
  ASSERT_TRUE(server_.SuspendSink(false));
  ASSERT_TRUE(HeardSince().has_value()) << player.Stderr() << Report();
  EXPECT_TRUE(Reported(kBack));
  EXPECT_EQ(Count(Report(), kLost), 1) << Report();

  ASSERT_TRUE(server_.SuspendSink(true));
  const Clock::time_point asked = Clock::now();
  player.Signal(SIGTERM);
  ASSERT_TRUE(player.EndsWithin(kCloseWaitMs)) << "the close waits for the device";
  std::printf("the player ended %lld ms after its close\n",
              (long long)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - asked).count());
  EXPECT_EQ(player.ExitCode(), 0) << player.Stderr();
}

}  // namespace
}  // namespace desktop_test
