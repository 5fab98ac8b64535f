#include "platform/audio/midi_stream_out.h"

#include "platform/audio/midi_synth.h"
#include "tests/sound/sound_test_support.h"

namespace {

// Frames from a note's event to where the sound font's attack is heard.
constexpr double kAttack = 256.0;

// A stream buffer of short and tempo events {delta, event}.
std::vector<std::uint8_t> Events(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> events) {
  Bytes bytes;
  for (const auto& [delta, event] : events) bytes.Le(delta, 4).Le(0, 4).Le(event, 4);
  return bytes.Get();
}

class MidiStreamTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    rate_ = platform::GetMixer().Rate();
    if (platform::MidiSynth::Shared(rate_)->SoundFont().empty()) GTEST_SKIP() << "no General MIDI sound font";
  }
  // The frame at which the stream first sounds, within a second.
  std::size_t Onset() {
    const std::vector<float> mix = Capture(std::size_t(rate_));
    for (std::size_t i = 0; i < mix.size(); ++i)
      if (std::fabs(mix[i]) > 1e-4f) return i / 2;
    return SIZE_MAX;
  }
  int rate_ = 0;
};

TEST_F(MidiStreamTest, EventsSoundAtTheirTickTimesAndAStopResetsTheTempo) {
  std::vector<int> done;
  platform::MidiStreamOut stream([&](int buffer) {
    done.push_back(buffer);
    return false;
  });
  ASSERT_EQ(stream.SetTimeDivision(96), 0);
  const std::size_t half = std::size_t(rate_) / 2;
  // A note 96 ticks in: half a second at the default tempo.
  const std::vector<std::uint8_t> plain = Events({{96, 0x7F3C90}});
  // The same after a tempo of a quarter second per beat.
  const std::vector<std::uint8_t> fast = Events({{0, platform::MEVT_TEMPO | 250000}, {96, 0x7F3C90}});

  ASSERT_EQ(stream.Out(1, fast), 0);
  EXPECT_EQ(stream.Out(1, fast), platform::kMidiErrStillPlaying);
  stream.Restart();
  EXPECT_NEAR(double(Onset()), double(half / 2), kAttack);
  EXPECT_FALSE(stream.InQueue(1));

  stream.Stop();
  ASSERT_EQ(stream.Out(2, plain), 0);
  stream.Restart();
  EXPECT_NEAR(double(Onset()), double(half), kAttack) << "the tempo starts over after a stop";
  stream.Stop();
  EXPECT_EQ(done, (std::vector<int>{1, 2}));
}

TEST_F(MidiStreamTest, APausedStreamHoldsItsPlace) {
  platform::MidiStreamOut stream(nullptr);
  stream.SetTimeDivision(96);
  ASSERT_EQ(stream.Out(0, Events({{96, 0x7F3C90}})), 0);
  stream.Restart();
  Capture(std::size_t(rate_) / 4);
  stream.Pause();
  EXPECT_EQ(Peak(Capture(std::size_t(rate_) / 2)), 0.0f);
  stream.Restart();
  EXPECT_NEAR(double(Onset()), double(rate_) / 4, kAttack) << "the note comes a quarter second after the resume";
  stream.Stop();
}

// Where a song is cut depends on how far ahead the stream had rendered; the
// old song's reverberation and chorus must be gone after a reset wherever
// that was.
TEST_F(MidiStreamTest, AResetLeavesNothingOfTheOldSoundsWhereverTheyWereCut) {
  const std::shared_ptr<platform::MidiSynth> synth = platform::MidiSynth::Shared(rate_);
  std::vector<float> frames(std::size_t(rate_) * 2);
  for (std::size_t cut = 256; cut < std::size_t(rate_); cut += std::size_t(rate_) / 10 + 64) {
    synth->ShortMessage(0x7F3C90);
    synth->Render(frames.data(), cut);
    ASSERT_GT(Peak(frames, 0, cut * 2), 0.01f);
    synth->Reset();
    synth->Render(frames.data(), frames.size() / 2);
    EXPECT_LT(Peak(frames), 1e-5f) << "cut after " << cut << " frames";
  }
}

}  // namespace
