#include "sound/midi/midi_player.h"

#include "platform/audio/midi_synth.h"
#include "tests/sound/midi_files.h"
#include "tests/sound/sound_test_support.h"
#include "tests/support/song_repeat.h"
#include "tests/support/wait_until.h"
#include "tools/sample_game/song.h"

namespace {

// Note on at 0, off after 48 ticks, end of track at 96 ticks (a quarter
// second at 192 ticks per beat and the default tempo).
std::vector<std::uint8_t> ShortSong() {
  return SmfFile(0, 192, {Track({0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x30, 0x80, 0x3C, 0x00, 0x30, 0xFF, 0x2F, 0x00})});
}

// The mix as a device takes it, `period` frames at a time, each period once
// the streams are ready for it (as a device's period gives their threads
// the time).
std::vector<float> TakeInPeriods(std::size_t frames, std::size_t period) {
  platform::AudioMixer& mixer = platform::GetMixer();
  std::vector<float> mix(frames * 2);
  for (std::size_t done = 0; done < frames; done += period) {
    const std::size_t piece = std::min(period, frames - done);
    mixer.WaitForStreams(piece, 5000);
    mixer.Mix(mix.data() + done * 2, piece);
  }
  return mix;
}

// The first frame from `from` on at which a note starts: where the sound
// first grows past a tenth of its loudest.
std::size_t OnsetFrom(const std::vector<float>& mix, std::size_t from) {
  const float threshold = Peak(mix, from * 2) / 10;
  for (std::size_t i = from * 2; i < mix.size(); ++i)
    if (std::fabs(mix[i]) > threshold) return i / 2;
  return SIZE_MAX;
}

class MidiPlayerTest : public SoundTest {
 protected:
  // Waits for the feeder thread to reach a state.
  static bool WaitForState(const cMidiPlayer& player, int state) {
    return WaitUntil([&] { return player.State() == state; });
  }
  static bool HaveSoundFont() { return !platform::MidiSynth::Shared(platform::GetMixer().Rate())->SoundFont().empty(); }
};

TEST_F(MidiPlayerTest, AFileThatIsNoMidiFileDoesNotLoad) {
  Write("bgm/t.mid", {1, 2, 3});
  EXPECT_FALSE(cMidiPlayer("bgm\\t.mid").Loaded());
  EXPECT_FALSE(cMidiPlayer("bgm\\none.mid").Loaded());
  EXPECT_EQ(DebugLogText(),
            "Midi bgm\\t.mid Init 標準MIDIでない(4)\nMidi bgm\\none.mid Create ファイルが開けません\n");
}

TEST_F(MidiPlayerTest, TheSynthesiserRendersTheSong) {
  if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI sound font installed";
  Write("bgm/t.mid", ShortSong());
  cMidiPlayer player("bgm\\t.mid");
  ASSERT_TRUE(player.Loaded());
  EXPECT_EQ(Peak(Capture(2000)), 0.0f) << "nothing before Play";
  player.Play(0);
  EXPECT_GT(Peak(Capture(4410)), 0.01f);
}

// The sound font is the first file named in SDL_SOUNDFONTS that FluidSynth
// loads, else the system's General MIDI font. A file it refuses (one cut
// short by a failed download still has a sound font's header) is named in
// the report and the next one tried; a link is named with its file.
TEST_F(MidiPlayerTest, TheSoundFontIsTheFirstNamedOneThatLoadsElseTheSystemsChoice) {
  if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI sound font installed";
  const std::filesystem::path named = folder_ / "named.sf2", cut = folder_ / "cut.sf2", text = folder_ / "text.sf2";
  std::filesystem::create_symlink(kTestSoundFont, named);
  std::filesystem::create_directory(folder_ / "folder.sf2");
  Write("text.sf2", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 't', 'e', 'x', 't'});
  std::vector<std::uint8_t> font = ReadBytes(kTestSoundFont);
  font.resize(font.size() / 2);
  Write("cut.sf2", font);
  const std::string refused = (folder_ / "missing.sf2").string() + ":" + (folder_ / "folder.sf2").string() +
                              "::" + text.string() + ":" + cut.string();
  ::setenv("SDL_SOUNDFONTS", (refused + ":" + named.string()).c_str(), 1);
  Write("bgm/t.mid", ShortSong());
  {
    cMidiPlayer player("bgm\\t.mid");
    player.Play(0);
    EXPECT_GT(Peak(Capture(4410)), 0.01f) << "the named font plays";
  }
  const std::string report = ReportText();
  const auto refusal = [](const std::filesystem::path& file) {
    return "The sound font " + file.string() + " was refused: FluidSynth cannot load it (damaged, or no sound font)\n";
  };
  EXPECT_EQ(report, refusal(text) + refusal(cut) + "MIDI music plays with the sound font " + named.string() + " -> " +
                        kTestSoundFont + "\n");

  const char* systemFont = "/usr/share/sounds/sf2/default-GM.sf2";
  if (!std::filesystem::exists(systemFont)) GTEST_SKIP() << "no system General MIDI sound font";
  ::setenv("SDL_SOUNDFONTS", refused.c_str(), 1);
  EXPECT_EQ(platform::MidiSynth::Shared(platform::GetMixer().Rate())->SoundFont(), systemFont);
  ::unsetenv("SDL_SOUNDFONTS");
  EXPECT_EQ(platform::MidiSynth::SoundFontFiles().front(), systemFont);
}

TEST_F(MidiPlayerTest, TheEndOfTrackRewindsAndStopsOrPlaysAgain) {
  Write("bgm/t.mid", ShortSong());
  cMidiPlayer once("bgm\\t.mid");
  once.Play(0);
  Capture(platform::GetMixer().Rate() / 2);
  EXPECT_TRUE(WaitForState(once, MIDI_STOPPED));

  cMidiPlayer looping("bgm\\t.mid");
  looping.Play(1);
  Capture(platform::GetMixer().Rate());  // four rounds of the song
  EXPECT_EQ(looping.State(), MIDI_PLAYING);
  looping.Stop(1);
  EXPECT_EQ(looping.State(), MIDI_PAUSED);
  looping.Stop(0);
  EXPECT_EQ(looping.State(), MIDI_STOPPED);
}

TEST_F(MidiPlayerTest, ASongWithoutLengthDoesNotLoop) {
  Write("bgm/empty.mid", SmfFile(0, 96, {Track({})}));
  cMidiPlayer player("bgm\\empty.mid");
  ASSERT_TRUE(player.Loaded());
  player.Play(1);
  Capture(1000);
  EXPECT_TRUE(WaitForState(player, MIDI_STOPPED));
}

TEST_F(MidiPlayerTest, ATrackLongerThanOneBufferPlaysToItsEndInTime) {
  // 3000 notes a tick apart at 960 ticks per beat: 3000 x 0.52 ms = 1.56 s.
  Bytes events;
  for (int i = 0; i < 3000; ++i) events.Raw({0x01, 0x90, std::uint8_t(40 + i % 40), 0x00});
  Write("bgm/long.mid", SmfFile(0, 960, {Track(events.Get())}));
  cMidiPlayer player("bgm\\long.mid");
  ASSERT_TRUE(player.Loaded());
  player.Play(0);
  // The stream renders at most a fifth of a second ahead of the mix: after
  // 1.3 s of it the song's end (1.5625 s) cannot have been rendered, after
  // 1.6 s it has been, and the feeder must then stop the player. Counted in
  // frames of the mix, not in time, so a loaded machine changes nothing.
  const std::size_t tenth = std::size_t(platform::GetMixer().Rate() / 10);
  for (int i = 0; i < 13; ++i) Capture(tenth);
  EXPECT_EQ(player.State(), MIDI_PLAYING) << "ended before its time";
  for (int i = 0; i < 3; ++i) Capture(tenth);
  EXPECT_TRUE(WaitForState(player, MIDI_STOPPED)) << "the end after the first buffer was never reached";
}

// A buffer that holds less music than the device has still to play (a
// burst of controller changes) is followed in time all the same: the next
// buffer is queued once it has been rendered, not once it is played.
TEST_F(MidiPlayerTest, ABurstOfEventsDoesNotDelayWhatFollowsIt) {
  if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI sound font installed";
  // At 960 ticks per beat and the default tempo: a note at 0 s, let go at
  // 0.1 s; 4,200 controller changes (two buffers and more) at 0.5 s; the
  // note again at 0.55 s.
  Bytes events;
  events.Raw({0x00, 0x90, 0x3C, 0x64, 0x81, 0x40, 0x80, 0x3C, 0x00, 0x86, 0x00, 0xB0, 0x01, 0x00});
  for (int i = 1; i < 4200; ++i) events.Raw({0x00, 0xB0, 0x01, 0x00});
  events.Raw({0x60, 0x90, 0x3C, 0x64, 0x83, 0x00, 0x80, 0x3C, 0x00});
  Write("bgm/burst.mid", SmfFile(0, 960, {Track(events.Get())}));
  cMidiPlayer player("bgm\\burst.mid");
  ASSERT_TRUE(player.Loaded());
  const std::size_t rate = std::size_t(platform::GetMixer().Rate());
  player.Play(0);
  const std::vector<float> mix = TakeInPeriods(rate, 1024);
  const std::size_t first = OnsetFrom(mix, 0), again = OnsetFrom(mix, rate / 2);
  ASSERT_LT(first, rate / 2) << "the first note was not heard";
  EXPECT_NEAR(double(again - first) / double(rate), 0.550, 0.005) << "the note after the burst";
  player.Stop(0);
}

// The sample game's title song loops at its end-of-track: the second round
// starts where the first ends, nothing of its end cut. Measured in frames of
// the mix, so a loaded machine changes nothing.
TEST_F(MidiPlayerTest, ALoopingSongStartsAgainAtItsLength) {
  if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI sound font installed";
  Write("bgm/Title.mid", sample_game::EncodeMidi(sample_game::SampleTune(), sample_game::kTitleArrangement));
  cMidiPlayer player("bgm\\Title.mid");
  ASSERT_TRUE(player.Loaded());
  const double length = player.PlayTime();
  EXPECT_NEAR(length, 14.536, 0.001);
  const int rate = platform::GetMixer().Rate();
  const std::size_t frames = SecondStartFrames(rate, length);
  player.Play(1);
  const double captured = SecondStart(Capture(frames), rate, length);
  EXPECT_NEAR(captured, length, 0.010) << "the second round starts " << captured << " s after the first";
  player.Stop(0);
  // A device takes a period (here 23 ms) at a time: the end of the song
  // falls inside one, and the second round must start there all the same.
  player.Play(1);
  const double taken = SecondStart(TakeInPeriods(frames, 1024), rate, length);
  EXPECT_NEAR(taken, length, 0.010) << "taken in periods, the second round starts " << taken << " s after the first";
  player.Stop(0);
}

// A song played once is heard to its end-of-track, and no further; the
// game's stop is heard at once.
TEST_F(MidiPlayerTest, ASongWithoutLoopIsHeardWholeAndAStopAtOnce) {
  if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI sound font installed";
  // An organ note held from the start to the end of track, a second later
  // (384 ticks at 192 ticks per beat and the default tempo).
  Write("bgm/held.mid", SmfFile(0, 192, {Track({0x00, 0xC0, 19, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x00, 0xFF, 0x2F, 0x00})}));
  cMidiPlayer player("bgm\\held.mid");
  ASSERT_TRUE(player.Loaded());
  const std::size_t rate = std::size_t(platform::GetMixer().Rate());
  const std::size_t end = rate, step = rate / 200;  // 5 ms
  player.Play(0);
  const std::vector<float> mix = Capture(end + rate / 5);
  float quietest = 1.0f;
  for (std::size_t at = end - rate / 10; at < end; at += step) quietest = std::min(quietest, Peak(mix, at * 2, (at + step) * 2));
  EXPECT_GT(quietest, 0.01f) << "a part of the song's last tenth of a second is silent";
  EXPECT_TRUE(WaitForState(player, MIDI_STOPPED));
  EXPECT_EQ(Peak(mix, (end + step) * 2), 0.0f) << "heard after its end";

  player.Play(1);
  EXPECT_GT(Peak(Capture(rate / 2)), 0.01f);
  player.Stop(0);
  EXPECT_EQ(Peak(Capture(rate / 10)), 0.0f) << "heard after the game's stop";
}

}  // namespace
