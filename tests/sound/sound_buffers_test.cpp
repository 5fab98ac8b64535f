#include "sound/waves/sound_buffers.h"

#include <chrono>
#include <future>

#include "platform/audio/audio_output.h"
#include "platform/first_frame.h"
#include "platform/main_thread.h"
#include "project/global_data.h"
#include "sound/sound_messages.h"
#include "sound/waves/sound_requests.h"
#include "tests/sound/sound_test_support.h"
#include "tests/support/wait_until.h"

namespace {

// A quarter of full scale, constant: easy to add up in the mix.
constexpr int kQuarter = 8192;
constexpr float kQuarterLevel = 0.25f;

class SoundBuffersTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
    ASSERT_TRUE(OutputOpenEnded());
    rate_ = platform::GetMixer().Rate();
    // A mono sound at the mixer's rate: no resampling blurs its level.
    Write("wave/q.wav", WaveFile({.rate = std::uint32_t(rate_)}, std::vector<int>(kLength, kQuarter)));
  }
  void TearDown() override {
    sound_ = DSSOUNDDATA{};
    SoundTest::TearDown();
    g_Sounds.clear();
    g_SoundFiles.clear();
  }
  // The level of the mix's first frame.
  static float Level(const std::vector<float>& mix) { return mix.empty() ? 0.0f : mix[0]; }

  static constexpr int kLength = 4000;
  int rate_ = 0;
  DSSOUNDDATA sound_;
};

TEST_F(SoundBuffersTest, CopiesTakeTurnsAndOverlap) {
  ASSERT_TRUE(DS_CreateSound(sound_, "wave\\q.wav", 3, 0));
  EXPECT_EQ(sound_.nCopies, 3);
  DS_PlaySound(sound_, 0);
  EXPECT_NEAR(Level(Capture(kLength / 4)), kQuarterLevel, 1e-3);
  DS_PlaySound(sound_, 0);
  EXPECT_NEAR(Level(Capture(kLength / 4)), 2 * kQuarterLevel, 1e-3) << "two copies overlap";
  DS_PlaySound(sound_, 0);
  DS_PlaySound(sound_, 0);
  EXPECT_EQ(sound_.nNext, 1);
  // The fourth play restarted the first copy, which now sounds until the
  // third ends (without the restart it would end halfway through them).
  const std::vector<float> mix = Capture(kLength - 10);
  EXPECT_NEAR(mix[kLength * 6 / 10 * 2], 3 * kQuarterLevel, 1e-3);
  EXPECT_NEAR(mix[(kLength - 20) * 2], 2 * kQuarterLevel, 1e-3);
  EXPECT_EQ(Peak(Capture(100), 40), 0.0f) << "the first and third copies ended together";
}

TEST_F(SoundBuffersTest, VolumeIsHundredthsOfADecibel) {
  ASSERT_TRUE(DS_CreateSound(sound_, "wave\\q.wav", 1, 0));
  const auto levelAt = [&](int volume) {
    DS_SetVolume(sound_, 0, volume, 0);
    DS_PlaySound(sound_, 0);
    return Level(Capture(10));
  };
  EXPECT_NEAR(levelAt(0), kQuarterLevel, 1e-4);
  EXPECT_NEAR(levelAt(-1000), kQuarterLevel * 0.316228f, 1e-4);
  EXPECT_NEAR(levelAt(-10000), 0.0f, 1e-5);
  DS_SetVolume(sound_, 0, -9000, 1);
  EXPECT_EQ(DS_GetVolume(sound_, 0), -10000) << "clamped";
  DS_SetVolume(sound_, 0, 500, 0);
  EXPECT_EQ(DS_GetVolume(sound_, 0), 0);
}

TEST_F(SoundBuffersTest, MasterVolumeOverridesEachSoundsOwnUnlessFull) {
  cVector<DSSOUNDDATA>& sounds = g_Sounds;
  cVector<DSSOUNDFILE>& files = g_SoundFiles;
  files.resize(2);
  files[0].path = "wave\\q.wav";
  files[0].nVolume = -500;
  files[1].path = "wave\\q.wav";
  files[1].nCopies = 0;  // at least one copy all the same
  DS_LoadSounds(sounds, files, MasterVolumeOfStep(1));
  EXPECT_EQ(DS_GetVolume(sounds[0], 0), -3000);
  EXPECT_EQ(sounds[1].nCopies, 1);
  for (auto& sound : sounds) DS_ReleaseSound(sound);
  DS_LoadSounds(sounds, files, MasterVolumeOfStep(10));
  EXPECT_EQ(DS_GetVolume(sounds[0], 0), -500);
  EXPECT_EQ(MasterVolumeOfStep(0), -10000);
  EXPECT_EQ(MasterVolumeOfStep(42), 0);
}

TEST_F(SoundBuffersTest, DamagedWaveLoadsAsNothingAndTheRestStillLoad) {
  Write("wave/bad.wav", WaveFile({.tag = 6, .bits = 8, .formatSize = 18}, {1, 2}));
  cVector<DSSOUNDDATA>& sounds = g_Sounds;
  cVector<DSSOUNDFILE>& files = g_SoundFiles;
  files.resize(3);
  files[0].path = "wave\\bad.wav";
  files[2].path = "wave\\q.wav";
  DS_LoadSounds(sounds, files, 0);
  EXPECT_TRUE(sounds[0].buffers.empty());
  EXPECT_TRUE(sounds[1].buffers.empty()) << "an unset sound is no failure";
  EXPECT_EQ(sounds[2].nCopies, 1);
  EXPECT_EQ(ReportText(),
            "wave\\bad.wav の読み込みに失敗しました…\nPCM形式以外の形式です。\n本ソフトではPCM形式のみ再生できます。\n"
            "wave\\bad.wav の読み込みに失敗しました！\n");
  DS_PlaySound(sounds[0], 0);  // plays nothing, harmlessly
}

TEST_F(SoundBuffersTest, WithoutTheOutputEveryCreateSucceedsAndPlaysNothing) {
  DS_Release();
  EXPECT_TRUE(DS_CreateSound(sound_, "wave\\missing.wav", 2, 0));
  DS_PlaySound(sound_, 0);
  EXPECT_EQ(Peak(Capture(100)), 0.0f);
  EXPECT_EQ(ReportText(), "");
}

class SoundRequestTest : public SoundBuffersTest {
 protected:
  void SetUp() override {
    SoundBuffersTest::SetUp();
    platform::SetRequestHandler([this](unsigned id, std::uintptr_t wParam, std::intptr_t) -> std::intptr_t {
      if (id == WM_GAME_PLAYSE) requested_.push_back(int(wParam));
      return 0;
    });
  }
  std::vector<int> requested_;
};

TEST_F(SoundRequestTest, RequestsCarryTheSoundNumber) {
  RequestSound(3);
  RequestUserSound(0);
  RequestUserSound(2);
  EXPECT_EQ(requested_, (std::vector<int>{3, 18}));
}

TEST_F(SoundRequestTest, CursorSoundPlaysOncePerAxisThatMoved) {
  const auto requestsFor = [&](int word, int mask) {
    requested_.clear();
    PlayCursorSound(word, mask, 0);
    return requested_.size();
  };
  EXPECT_EQ(requestsFor(1, 1), 1u);
  EXPECT_EQ(requestsFor(2, 2), 0u) << "horizontal press, vertical axis";
  EXPECT_EQ(requestsFor(8, 2), 1u);
  EXPECT_EQ(requestsFor(4, 1), 0u);
  EXPECT_EQ(requestsFor(1 | 4, 3), 2u) << "a diagonal press on both axes plays twice";
  EXPECT_EQ(requestsFor(0, 3), 0u);
}

TEST_F(SoundRequestTest, PlaySoundRequestChecksTheNumber) {
  g_Sounds.resize(2);
  ASSERT_TRUE(DS_CreateSound(g_Sounds[0], "wave\\q.wav", 1, 0));
  PlaySoundRequest(0);
  EXPECT_NEAR(Level(Capture(kLength)), kQuarterLevel, 1e-3);
  PlaySoundRequest(7);
  EXPECT_EQ(ReportText(), "err V[7] ( 2 , 284 )\n");
  EXPECT_FALSE(platform::TakeCloseRequest()) << "a bad number does not close the game";
  EXPECT_EQ(Peak(Capture(10)), 0.0f);
}

// While a window waits for its first frame the waves are not yet read; the
// first sound played reads them at once, as does the frame being shown.
TEST_F(SoundRequestTest, WavesWaitForTheFirstFrameUnlessASoundPlaysFirst) {
  StartProjectData();
  g_UserOption->m_nSoundVolume = 10;
  g_SoundFiles.resize(1);
  g_SoundFiles[0].path = "wave\\q.wav";
  platform::ExpectFirstFrame();
  LoadSoundsOnceShown();
  EXPECT_TRUE(g_Sounds.empty());
  PlaySoundRequest(0);
  ASSERT_EQ(g_Sounds.size(), 1u);
  EXPECT_NEAR(Level(Capture(kLength)), kQuarterLevel, 1e-3);
  EXPECT_EQ(ReportText(), "");

  g_Sounds.clear();
  LoadSoundsOnceShown();
  platform::FirstFrameDone();
  platform::ServeMainThread();
  EXPECT_EQ(g_Sounds.size(), 1u) << "the main loop reads them once the frame is shown";

  g_Sounds.clear();
  LoadSoundsOnceShown();
  EXPECT_EQ(g_Sounds.size(), 1u) << "no window waits: read at once";
  StopProjectData();
}

// Opening the output waits for the window's first frame too, and the
// missing device is reported then; with no window waiting it opens at once.
// Either way the open runs beside the game, which its result reaches on the
// main thread.
TEST_F(SoundRequestTest, TheOutputOpensOnceTheFirstFrameIsShown) {
  DS_Release();
  platform::ExpectFirstFrame();
  ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
  int told = 0;
  platform::OpenAudioOutputOnceShown([&](bool opened, const std::string& error) {
    told += opened ? 1 : 0;
    EXPECT_EQ(error, "");
  });
  platform::ServeMainThread();
  EXPECT_FALSE(platform::AudioOutputOpenTried()) << "not before the frame";
  EXPECT_EQ(told, 0);
  platform::FirstFrameDone();
  platform::ServeMainThread();
  EXPECT_TRUE(platform::AudioOutputOpenTried());
  EXPECT_TRUE(WaitUntil([&] { return told == 1; }, platform::ServeMainThread));
  platform::ServeMainThread();
  EXPECT_EQ(told, 1) << "each listener hears once";

  platform::CloseAudioOutput();
  platform::ExpectFirstFrame();
  platform::OpenAudioOutputOnceShown([&](bool, const std::string&) { ++told; });
  platform::CloseAudioOutput();
  platform::FirstFrameDone();
  platform::ServeMainThread();
  EXPECT_EQ(told, 1) << "a close drops an open still put off";
  platform::OpenAudioOutputOnceShown();
  EXPECT_TRUE(platform::AudioOutputOpenTried()) << "no window waits: at once";
}

// Without a device at the start the player keeps looking, and says once
// that one opened when one does.
TEST_F(SoundRequestTest, WithoutADeviceAtTheStartOneIsLookedForUntilItOpens) {
  DS_Release();
  platform::RefuseHeadlessAudioDeviceOpens(true);
  ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
  const std::string none = "No audio device (refused): sounds and music play silently until one opens\n";
  EXPECT_TRUE(WaitUntil([&] { return ReportText() == none; }, platform::ServeMainThread)) << ReportText();
  platform::RefuseHeadlessAudioDeviceOpens(false);
  const std::string found = none + "An audio device opened: sounds and music play from now on\n";
  EXPECT_TRUE(WaitUntil([&] { return ReportText() == found; }, platform::ServeMainThread)) << ReportText();
}

// A sound server that suspends its sink (for a program that reserves the
// card) takes nothing from the device, nor from those opened in its place:
// the loss is told once, however often they stall again, and the return
// once sound flows.
TEST_F(SoundRequestTest, AStallIsToldOnceUntilSoundFlowsAgain) {
  const std::string lost = "The audio device was lost: sounds and music play silently until it is back\n";
  const std::string back = "The audio device is back: sounds and music play on\n";
  const int opens = platform::HeadlessAudioDeviceOpens();
  platform::StallHeadlessAudioDevice(true);
  ASSERT_TRUE(WaitUntil([&] { return platform::HeadlessAudioDeviceOpens() >= opens + 3; }, platform::ServeMainThread));
  EXPECT_EQ(ReportText(), lost);
  platform::StallHeadlessAudioDevice(false);
  EXPECT_TRUE(WaitUntil([&] { return ReportText() == lost + back; }, platform::ServeMainThread)) << ReportText();
}

// An open that hangs in the driver (on a stopped sound server) holds
// nothing else: the MIDI synthesiser starts and the game closes beside it,
// and once let through it closes the output the close left to it.
TEST_F(SoundRequestTest, AnOpenThatHangsHoldsNeitherTheSynthesiserNorTheClose) {
  constexpr auto kBound = std::chrono::seconds(5);
  platform::HoldHeadlessAudioDeviceOpens(true);
  platform::LoseHeadlessAudioDevice();
  ASSERT_TRUE(WaitUntil([] { return platform::HeadlessAudioDeviceOpensHeld() == 1; }, platform::ServeMainThread));
  std::future<void> synthesiser = std::async(std::launch::async, [] { platform::WhileAudioOutputSteady([] {}); });
  EXPECT_EQ(synthesiser.wait_for(kBound), std::future_status::ready) << "the synthesiser waits for the open";
  std::future<void> close = std::async(std::launch::async, [] { DS_Release(); });
  EXPECT_EQ(close.wait_for(kBound), std::future_status::ready) << "the close waits for the open";
  const int closes = platform::HeadlessAudioDeviceCloses();
  platform::HoldHeadlessAudioDeviceOpens(false);
  synthesiser.get();
  close.get();
  EXPECT_TRUE(WaitUntil([&] { return platform::HeadlessAudioDeviceCloses() == closes + 1; }));
}

// The first open may hang in the driver too (a sound server that does not
// answer as the game starts): the game starts and closes beside it, nothing
// is told of an open given up, and once let through it closes the output
// the close left to it.
TEST_F(SoundRequestTest, AFirstOpenThatHangsHoldsNeitherTheStartNorTheClose) {
  constexpr auto kBound = std::chrono::seconds(5);
  DS_Release();
  platform::HoldHeadlessAudioDeviceOpens(true);
  std::future<bool> start = std::async(std::launch::async, [] { return DS_Init(nullptr, 22050, 8, 1); });
  EXPECT_EQ(start.wait_for(kBound), std::future_status::ready) << "the start waits for the open";
  ASSERT_TRUE(WaitUntil([] { return platform::HeadlessAudioDeviceOpensHeld() == 1; }, platform::ServeMainThread));
  std::future<void> close = std::async(std::launch::async, [] { DS_Release(); });
  EXPECT_EQ(close.wait_for(kBound), std::future_status::ready) << "the close waits for the open";
  const int closes = platform::HeadlessAudioDeviceCloses();
  platform::HoldHeadlessAudioDeviceOpens(false);
  EXPECT_TRUE(start.get());
  close.get();
  EXPECT_TRUE(WaitUntil([&] { return platform::HeadlessAudioDeviceCloses() == closes + 1; }));
  platform::ServeMainThread();
  EXPECT_EQ(ReportText(), "");
}

}  // namespace
