#include "sound/bgm/bgm_player.h"

#include <cmath>

#include "project/global_data.h"
#include "sound/bgm/bgm_request.h"
#include "tests/sound/midi_files.h"
#include "tests/sound/sound_test_support.h"
#include "tests/support/ogg_encoder.h"
#include "tests/support/wait_until.h"

namespace {

constexpr float kToneLevel = 0.5f;

// A stereo tone of `seconds` at the mixer's rate, as an Ogg Vorbis file.
std::vector<std::uint8_t> ToneOgg(double seconds, int rate) {
  const std::size_t frames = std::size_t(seconds * rate);
  std::vector<float> samples(frames * 2);
  for (std::size_t i = 0; i < frames; ++i)
    samples[2 * i] = samples[2 * i + 1] = kToneLevel * float(std::sin(2 * M_PI * 440.0 * double(i) / rate));
  const std::vector<unsigned char> ogg = EncodeOggVorbis(samples, 2, rate);
  return {ogg.begin(), ogg.end()};
}

class BgmPlayerTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    rate_ = platform::GetMixer().Rate();
    Write("bgm/tone.ogg", ToneOgg(kToneSeconds, rate_));
    ASSERT_EQ(g_BgmPlayer.Init(1, g_DefaultOggTracks, g_DefaultMidiTracks, kBgmSlotCount, 0), 1);
  }
  std::size_t ToneFrames() const { return std::size_t(kToneSeconds * rate_); }

  static constexpr double kToneSeconds = 0.5;
  int rate_ = 0;
};

TEST_F(BgmPlayerTest, TheExtensionDecidesTheSlotKind) {
  EXPECT_EQ(g_BgmPlayer.OggTrack(0).path, "bgm\\Title.ogg");
  EXPECT_EQ(g_BgmPlayer.SetTrack(1, "bgm\\a.ogg", 150), 1);
  EXPECT_EQ(g_BgmPlayer.SlotKind(1), BGM_OGG);
  EXPECT_EQ(g_BgmPlayer.OggTrack(1).nVolume, 100) << "clamped";
  EXPECT_EQ(g_BgmPlayer.SetTrack(2, "bgm\\b.MID", 40), 1);
  EXPECT_EQ(g_BgmPlayer.SlotKind(2), BGM_MIDI);
  EXPECT_EQ(g_BgmPlayer.MidiTrack(2).path, "bgm\\b.mid");
  EXPECT_EQ(g_BgmPlayer.SetTrack(3, "bgm\\c.wav", 70), 0);
  EXPECT_EQ(g_BgmPlayer.SlotKind(3), BGM_NONE);
  EXPECT_EQ(g_BgmPlayer.OggTrack(3).path, "bgm\\c.wav");
  EXPECT_EQ(g_BgmPlayer.MidiTrack(3).path, "bgm\\c.wav");
  EXPECT_EQ(g_BgmPlayer.SetTrack(4, "bgm\\noname", 70), 0);
  EXPECT_EQ(g_BgmPlayer.OggTrack(4).path, "");
  EXPECT_EQ(g_BgmPlayer.MidiTrack(4).nVolume, 0);
}

TEST_F(BgmPlayerTest, ANameWithoutExtensionPlaysNothing) {
  g_BgmPlayer.SetTrack(0, "bgm\\tone", 100);
  EXPECT_EQ(g_BgmPlayer.Play(0, 0, 0, 0, 1), 0);
  EXPECT_EQ(g_BgmPlayer.SlotKind(0), BGM_NONE);
  EXPECT_EQ(g_BgmPlayer.CurrentTrack(), -1);
  EXPECT_EQ(Peak(Capture(1000)), 0.0f);
}

TEST_F(BgmPlayerTest, OggStreamsAtItsVolumeAndStops) {
  g_BgmPlayer.SetTrack(0, "bgm\\tone.ogg", 100);
  ASSERT_EQ(g_BgmPlayer.Play(0, 0, 0, 0, 1), 1);
  EXPECT_EQ(g_BgmPlayer.PlayingKind(0), BGM_OGG);
  const float full = Peak(Capture(ToneFrames() / 2));
  EXPECT_NEAR(full, kToneLevel, 0.05f);
  g_BgmPlayer.SetTrack(0, "bgm\\tone.ogg", 50);
  ASSERT_EQ(g_BgmPlayer.Play(0, 0, 0, 0, 1), 1);
  EXPECT_NEAR(Peak(Capture(ToneFrames() / 2)), full / 2, 0.01f) << "volume 50 halves";
  g_BgmPlayer.SetTrack(0, "bgm\\tone.ogg", 100);
  ASSERT_EQ(g_BgmPlayer.Play(0, 0, 0, 0, 1), 1);
  EXPECT_NEAR(Peak(Capture(ToneFrames() / 2)), full, 0.01f) << "volume 100 plays at full volume again";
  g_BgmPlayer.Stop();
  EXPECT_EQ(Peak(Capture(1000)), 0.0f);
}

TEST_F(BgmPlayerTest, TheSlotThatPlaysGoesOnUnlessForced) {
  g_BgmPlayer.SetTrack(0, "bgm\\tone.ogg", 100);
  ASSERT_EQ(g_BgmPlayer.Play(0, 0, 0, 0, 1), 1);
  Capture(ToneFrames() * 3 / 4);
  EXPECT_EQ(g_BgmPlayer.Play(0, 0, 0, 0, 0), 1);
  EXPECT_EQ(Peak(Capture(ToneFrames() / 2), ToneFrames() / 2 * 2), 0.0f) << "not restarted: it ended";
  EXPECT_EQ(g_BgmPlayer.Play(0, 0, 0, 0, 1), 1);
  EXPECT_GT(Peak(Capture(ToneFrames() / 2)), 0.4f) << "forced: from the start";
}

TEST_F(BgmPlayerTest, OggLoopsUntilStopped) {
  g_BgmPlayer.SetTrack(0, "bgm\\tone.ogg", 100);
  ASSERT_EQ(g_BgmPlayer.Play(0, 0, 1, 0, 1), 1);
  const std::vector<float> mix = Capture(ToneFrames() * 3);
  for (int third = 0; third < 3; ++third) {
    const std::size_t start = ToneFrames() * std::size_t(third) * 2;
    EXPECT_GT(Peak(mix, start + 2000, start + ToneFrames() * 2 - 2000), 0.4f) << "round " << third;
  }
  g_BgmPlayer.Stop();
  EXPECT_EQ(Peak(Capture(1000)), 0.0f);
}

TEST_F(BgmPlayerTest, ALoopedOggWithoutSamplesEnds) {
  Write("bgm/empty.ogg", [] {
    const std::vector<unsigned char> ogg = EncodeOggVorbis({}, 2, 44100);
    return std::vector<std::uint8_t>(ogg.begin(), ogg.end());
  }());
  g_BgmPlayer.SetTrack(0, "bgm\\empty.ogg", 100);
  g_BgmPlayer.Play(0, 0, 1, 0, 1);
  EXPECT_EQ(Peak(Capture(2000)), 0.0f);
  g_BgmPlayer.Stop();  // returns: the decoder is not stuck repeating nothing
}

TEST_F(BgmPlayerTest, AMissingFileLeavesNothingPlaying) {
  g_BgmPlayer.SetTrack(0, "bgm\\tone.ogg", 100);
  ASSERT_EQ(g_BgmPlayer.Play(0, 0, 1, 0, 1), 1);
  g_BgmPlayer.SetTrack(1, "bgm\\missing.ogg", 100);
  EXPECT_EQ(g_BgmPlayer.Play(0, 1, 1, 0, 1), 0);
  EXPECT_EQ(g_BgmPlayer.CurrentTrack(), -1);
  EXPECT_EQ(Peak(Capture(2000)), 0.0f);
  EXPECT_EQ(ReportText(), "") << "a missing file is not a damaged one";
}

// A damaged Ogg file plays nothing and says so once, naming the file; a file
// of another name that is only tried as Ogg says nothing.
TEST_F(BgmPlayerTest, ADamagedOggFileIsReportedOnceByName) {
  std::vector<std::uint8_t> headerDamaged = ToneOgg(kToneSeconds, rate_);
  headerDamaged[200] ^= 0x55;  // inside the Vorbis headers
  Write("bgm/header.ogg", headerDamaged);
  Write("bgm/text.ogg", std::vector<std::uint8_t>(4000, 'x'));
  Write("bgm/text.wav", std::vector<std::uint8_t>(4000, 'x'));
  g_BgmPlayer.SetTrack(0, "bgm\\header.ogg", 100);
  EXPECT_EQ(g_BgmPlayer.Play(0, 0, 1, 0, 1), 0);
  EXPECT_EQ(g_BgmPlayer.Play(0, 0, 1, 0, 1), 0) << "asked again as a screen comes back";
  g_BgmPlayer.SetTrack(1, "bgm\\text.ogg", 100);
  EXPECT_EQ(g_BgmPlayer.Play(0, 1, 1, 0, 1), 0);
  g_BgmPlayer.SetTrack(2, "bgm\\text.wav", 100);
  EXPECT_EQ(g_BgmPlayer.Play(0, 2, 1, 0, 1), 0);
  EXPECT_EQ(Peak(Capture(2000)), 0.0f);
  EXPECT_EQ(ReportText(),
            "Damaged music file \"bgm\\header.ogg\": a damaged Vorbis header; it does not play\n"
            "Damaged music file \"bgm\\text.ogg\": not Ogg Vorbis data; it does not play\n");
}

// The same for the title's MIDI file; a missing MIDI file says nothing.
TEST_F(BgmPlayerTest, ADamagedMidiFileIsReportedOnceByName) {
  Write("bgm/Title.mid", std::vector<std::uint8_t>(4000, 'x'));
  g_BgmPlayer.SetTrack(0, "bgm\\Title.mid", 100);
  EXPECT_EQ(g_BgmPlayer.Play(0, 0, 1, 0, 1), 0);
  EXPECT_EQ(g_BgmPlayer.Play(0, 0, 1, 0, 1), 0) << "asked again as a screen comes back";
  EXPECT_EQ(g_BgmPlayer.CurrentTrack(), -1);
  g_BgmPlayer.SetTrack(1, "bgm\\missing.mid", 100);
  EXPECT_EQ(g_BgmPlayer.Play(0, 1, 1, 0, 1), 0);
  EXPECT_EQ(ReportText(),
            "Damaged music file \"bgm\\Title.mid\": not a standard MIDI file; it does not play\n");
}

TEST_F(BgmPlayerTest, WithoutInitRequestsDoNothing) {
  g_BgmPlayer.Release();
  EXPECT_EQ(g_BgmPlayer.SetTrack(0, "bgm\\tone.ogg", 100), 0);
  EXPECT_EQ(g_BgmPlayer.Play(0, 0, 0, 0, 1), 0);
  g_BgmPlayer.Stop();
  EXPECT_EQ(ReportText(), "");
  EXPECT_FALSE(platform::TakeCloseRequest());
}

TEST_F(BgmPlayerTest, MidiTracksPlayOnTheOwnStreamPlayer) {
  Write("bgm/song.mid", SmfFile(0, 96, {Track({0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3C, 0x00})}));
  g_BgmPlayer.SetTrack(4, "bgm\\song.mid", 100);
  ASSERT_EQ(g_BgmPlayer.Play(0, 4, 1, 0, 1), 1);
  EXPECT_EQ(g_BgmPlayer.PlayingKind(0), BGM_MIDI);
  ASSERT_NE(g_BgmPlayer.MidiPlayer(0), nullptr);
  EXPECT_EQ(g_BgmPlayer.MidiPlayer(0)->State(), MIDI_PLAYING);
  g_BgmPlayer.SetTrack(0, "bgm\\tone.ogg", 100);
  ASSERT_EQ(g_BgmPlayer.Play(0, 0, 1, 0, 1), 1);
  EXPECT_EQ(g_BgmPlayer.MidiPlayer(0)->State(), MIDI_STOPPED) << "an Ogg track stops the MIDI song";
}

// The device goes away (its sound server ended) while a song and a sound
// play, and comes back: the loss and the return are said once each, the
// song goes on from where it stood, the sound playing then is not heard
// afterwards, and a sound played now is.
TEST_F(BgmPlayerTest, MusicGoesOnWhereItStoodWhenTheDeviceComesBack) {
  ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
  ASSERT_TRUE(OutputOpenEnded());
  constexpr float kSoundLevel = 0.25f;
  Write("wave/q.wav", WaveFile({.rate = std::uint32_t(rate_)}, std::vector<int>(ToneFrames(), 8192)));
  DSSOUNDDATA sound;
  ASSERT_TRUE(DS_CreateSound(sound, "wave\\q.wav", 1, 0));
  g_BgmPlayer.SetTrack(0, "bgm\\tone.ogg", 100);
  ASSERT_EQ(g_BgmPlayer.Play(0, 0, 0, 0, 1), 1);
  DS_PlaySound(sound, 0);
  const std::size_t quarter = ToneFrames() / 4;
  EXPECT_NEAR(Peak(Capture(quarter)), kToneLevel + kSoundLevel, 0.05f);

  platform::LoseHeadlessAudioDevice();
  const auto reported = [&](const char* line) {
    return WaitUntil([&] { return ReportText().find(line) != std::string::npos; }, platform::ServeMainThread);
  };
  ASSERT_TRUE(reported("The audio device was lost: sounds and music play silently until it is back\n"));
  ASSERT_TRUE(reported("The audio device is back: sounds and music play on\n"));
  EXPECT_EQ(ReportText(),
            "The audio device was lost: sounds and music play silently until it is back\n"
            "The audio device is back: sounds and music play on\n");

  const std::size_t margin = 1000;
  const std::vector<float> rest = Capture(ToneFrames() - quarter + margin);
  EXPECT_NEAR(Peak(rest, 0, (ToneFrames() - quarter - margin) * 2), kToneLevel, 0.05f)
      << "the song, without the sound";
  EXPECT_EQ(Peak(rest, (ToneFrames() - quarter + margin / 2) * 2), 0.0f) << "the song ended where it would have";
  DS_PlaySound(sound, 0);
  EXPECT_NEAR(Peak(Capture(quarter)), kSoundLevel, 1e-3) << "a sound played now is heard";
}

class BgmRequestTest : public BgmPlayerTest {
 protected:
  void SetUp() override {
    StartProjectData();
    BgmPlayerTest::SetUp();
    g_Database->m_vBgm[1].m_strFile = "bgm\\tone.ogg";
    g_Database->m_vBgm[1].m_nVolume = 100;
  }
  void TearDown() override {
    BgmPlayerTest::TearDown();
    StopProjectData();
  }
};

TEST_F(BgmRequestTest, ScreensPlayTheirMusicAndNumberZeroStops) {
  g_System->m_vScreenBgm[2] = 1;
  PlayBgmRequest(2, 0);
  EXPECT_EQ(g_BgmPlayer.CurrentTrack(), 2);
  EXPECT_GT(Peak(Capture(ToneFrames() / 2)), 0.4f);
  PlayBgmRequest(3, 0);
  EXPECT_EQ(Peak(Capture(1000)), 0.0f) << "the options screen has no music";
  g_nStageBgmLoop = 1;
  PlayBgmRequest(kStageBgmSlot, 1);
  EXPECT_EQ(g_BgmPlayer.CurrentTrack(), kStageBgmSlot);
  PlayBgmRequest(7, 1);
  EXPECT_EQ(g_BgmPlayer.CurrentTrack(), kStageBgmSlot) << "slots above 4 are ignored";
  PlayBgmRequest(kStageBgmSlot, 0);
  EXPECT_EQ(Peak(Capture(1000)), 0.0f);
  PlayBgmRequest(kStageBgmSlot, 9);
  EXPECT_EQ(ReportText(), "err V[9] ( 2 , 88 )\n");
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Fatal);
}

}  // namespace
