#include "sound/waves/wave_file.h"

#include "tests/sound/sound_test_support.h"

namespace {

class WaveFileTest : public SoundTest {
 protected:
  bool Read(const WaveLayout& layout, const std::vector<int>& samples, WAVEDATA& wave) {
    Write("wave/t.wav", WaveFile(layout, samples));
    return DS_ReadWave("wave\\t.wav", wave);
  }
  std::string Refusal(const char* reason) const {
    return std::string("wave\\t.wav の読み込みに失敗しました…\n") + reason + "\n";
  }
};

TEST_F(WaveFileTest, ReadsEightAndSixteenBitMonoAndStereoAtAnyRate) {
  WAVEDATA wave;
  ASSERT_TRUE(Read({.channels = 1, .rate = 11025, .bits = 8}, {128, 200, 50}, wave));
  EXPECT_EQ(wave.format.nChannels, 1);
  EXPECT_EQ(wave.format.nSamplesPerSec, 11025u);
  EXPECT_EQ(wave.data, (std::vector<std::uint8_t>{128, 200, 50}));

  ASSERT_TRUE(Read({.channels = 2, .rate = 22222, .bits = 16, .formatSize = 18}, {1, -1, 300, -300}, wave));
  EXPECT_EQ(wave.format.wBitsPerSample, 16);
  EXPECT_EQ(wave.format.nBlockAlign, 4);
  EXPECT_EQ(wave.data.size(), 8u);
  EXPECT_EQ(ReportText(), "");
}

TEST_F(WaveFileTest, DataSizeIsCutToTheBytesPresentInWholeFrames) {
  WAVEDATA wave;
  ASSERT_TRUE(Read({.channels = 2, .bits = 16, .dataSize = 100000}, {1, 2, 3, 4, 5}, wave));
  EXPECT_EQ(wave.data.size(), 8u) << "ten bytes present, two whole stereo frames";
}

TEST_F(WaveFileTest, RefusedKindsSayWhyInTheReport) {
  WAVEDATA wave;
  Write("wave/t.wav", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '});
  EXPECT_FALSE(DS_ReadWave("wave\\t.wav", wave));
  EXPECT_EQ(ReportText(), Refusal("不正なファイルです。"));

  const std::string notPcm = Refusal("PCM形式以外の形式です。\n本ソフトではPCM形式のみ再生できます。");
  const std::string badFormat =
      Refusal("対応していない形式か、不正なwavファイルです。\n本ソフトではPCM形式のみ再生できます。");
  const auto expectRefusal = [&](const WaveLayout& layout, const std::string& message) {
    InitReport(folder_ / "Report_Game.txt");
    EXPECT_FALSE(Read(layout, {1, 2, 3, 4}, wave));
    EXPECT_EQ(ReportText(), message) << layout.tag << " " << layout.channels << " " << layout.bits;
  };
  expectRefusal({.tag = 6, .bits = 8, .formatSize = 18}, notPcm);                   // A-law
  expectRefusal({.tag = 2, .bits = 4, .formatSize = 50}, badFormat);                 // ADPCM
  expectRefusal({.channels = 3}, badFormat);
  expectRefusal({.bits = 12}, badFormat);
  expectRefusal({.rate = 0}, badFormat);
  expectRefusal({.formatSize = 14}, badFormat);
}

TEST_F(WaveFileTest, MissingFileFormatOrSamplesFailWithoutAMessage) {
  WAVEDATA wave;
  EXPECT_FALSE(DS_ReadWave("wave\\none.wav", wave));
  EXPECT_FALSE(Read({}, {}, wave)) << "no samples";
  Write("wave/t.wav", Bytes().Text("RIFF").Le(12, 4).Text("WAVE").Text("data").Le(0, 4).Get());
  EXPECT_FALSE(DS_ReadWave("wave\\t.wav", wave)) << "no format chunk";
  EXPECT_EQ(ReportText(), "");
}

TEST_F(WaveFileTest, FormatChunkPastTheFileEndIsRefused) {
  std::vector<std::uint8_t> file = WaveFile({}, {1, 2});
  file.resize(30);  // the format chunk is cut off
  WAVEDATA wave;
  EXPECT_FALSE(ParseWave(file, "cut.wav", wave));
  EXPECT_NE(ReportText().find("cut.wav の読み込みに失敗しました…\n対応していない形式か"), std::string::npos);
}

}  // namespace
