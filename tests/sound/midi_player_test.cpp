#include "sound/midi/midi_player.h"

#include "platform/audio/midi_synth.h"
#include "tests/sound/midi_files.h"
#include "tests/sound/sound_test_support.h"
#include "tests/support/wait_until.h"

namespace {

// Note on at 0, off after 48 ticks, end of track at 96 ticks (a quarter
// second at 192 ticks per beat and the default tempo).
std::vector<std::uint8_t> ShortSong() {
  return SmfFile(0, 192, {Track({0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x30, 0x80, 0x3C, 0x00, 0x30, 0xFF, 0x2F, 0x00})});
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

}  // namespace
