#pragma once
// Shared pieces of the sound tests: wave and MIDI files written byte by
// byte, a game folder with the logs, and readings of the mix through the
// capture sink.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/log.h"
#include "platform/audio/audio_output.h"
#include "platform/headless/audio_device.h"
#include "platform/main_thread.h"
#include "sound/bgm/bgm_player.h"
#include "sound/waves/sound_buffers.h"
#include "tests/foundation/scratch_folder.h"
#include "tests/support/test_sound_font.h"
#include "tests/support/wait_until.h"

// Little- or big-endian bytes appended in the order a test spells out.
class Bytes {
 public:
  Bytes& Text(const std::string& text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  Bytes& Le(std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes_.push_back(std::uint8_t(value >> (8 * i)));
    return *this;
  }
  Bytes& Be(std::uint32_t value, int width) {
    for (int i = width - 1; i >= 0; --i) bytes_.push_back(std::uint8_t(value >> (8 * i)));
    return *this;
  }
  Bytes& Raw(const std::vector<std::uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
    return *this;
  }
  const std::vector<std::uint8_t>& Get() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

struct WaveLayout {
  std::uint16_t tag = 1;
  std::uint16_t channels = 1;
  std::uint32_t rate = 44100;
  std::uint16_t bits = 16;
  std::uint32_t formatSize = 16;  // 16, 18 (with the extension size) or more
  std::int64_t dataSize = -1;     // as stated in the data chunk; -1: the real size
};

// A RIFF wave file holding `samples` (16-bit values, or 8-bit for 8 bits).
inline std::vector<std::uint8_t> WaveFile(const WaveLayout& layout, const std::vector<int>& samples) {
  Bytes data;
  for (int sample : samples) data.Le(std::uint32_t(sample), layout.bits / 8);
  Bytes format;
  const std::uint16_t align = std::uint16_t(layout.channels * layout.bits / 8);
  format.Le(layout.tag, 2).Le(layout.channels, 2).Le(layout.rate, 4).Le(layout.rate * align, 4).Le(align, 2).Le(layout.bits, 2);
  while (format.Get().size() < layout.formatSize) format.Le(0, 1);
  Bytes body;
  body.Text("WAVE").Text("fmt ").Le(layout.formatSize, 4).Raw(format.Get());
  const std::uint32_t stated = layout.dataSize < 0 ? std::uint32_t(data.Get().size()) : std::uint32_t(layout.dataSize);
  body.Text("data").Le(stated, 4).Raw(data.Get());
  Bytes file;
  file.Text("RIFF").Le(std::uint32_t(body.Get().size()), 4).Raw(body.Get());
  return file.Get();
}

// A game folder with the report and debug logs, on the main thread.
class SoundTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    ::setenv("SDL_SOUNDFONTS", kTestSoundFont, 1);
    platform::ResetMainThreadState();
    platform::BecomeMainThread();
    InitDebugLog(1, folder_ / "EC_Game.txt");
    std::filesystem::create_directories(folder_ / "wave");
    std::filesystem::create_directories(folder_ / "bgm");
  }
  void TearDown() override {
    g_BgmPlayer.Release();
    DS_Release();
    platform::RefuseHeadlessAudioDeviceOpens(false);
    platform::StallHeadlessAudioDevice(false);
    platform::HoldHeadlessAudioDeviceOpens(false);
    InitDebugLog(0, "EC_Game.txt");
    platform::ResetMainThreadState();
    ScratchFolderTest::TearDown();
  }
  std::string DebugLogText() const { return ReadText(folder_ / "EC_Game.txt"); }
  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const { WriteBytes(folder_ / name, bytes); }
};

// Waits, serving the main thread, until the output's open, which runs
// beside the game, has ended; false when it never did.
inline bool OutputOpenEnded() {
  const auto ended = std::make_shared<bool>(false);
  platform::OpenAudioOutputOnceShown([ended](bool, const std::string&) { *ended = true; });
  return WaitUntil([&] { return *ended; }, platform::ServeMainThread);
}

// The largest magnitude of the samples.
inline float Peak(const std::vector<float>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX) {
  float peak = 0.0f;
  for (std::size_t i = from; i < std::min(to, samples.size()); ++i) peak = std::max(peak, std::fabs(samples[i]));
  return peak;
}

inline std::vector<float> Capture(std::size_t frames) { return platform::CaptureMix(frames); }
