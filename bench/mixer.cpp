// The cost of the sound: one device period (1024 frames of 44.1 kHz stereo)
// of 32 playing wave voices plus one Ogg music stream, reported as percent
// of one core ("core%": time spent per second of sound).
//
// The audio callback only mixes: the music arrives decoded in a ring, here
// a stream that copies from frames decoded beforehand. Side by side with
// the callback: SDL_MixAudioFormat mixing the same 33 buffers (SDL's own
// mixer, float format, full volume) and the physical reference, a plain
// loop that adds the same samples and clamps. All three must give the same
// samples before anything is timed.
//
// The music's producer thread decodes with libvorbisfile and converts
// through SDL's audio stream; its cost per period is measured apart
// (OggDecode). The sum of the callback and the decoder is the whole cost.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/audio_mixer.h"
#include "platform/audio/pcm_convert.h"
#include "tests/support/ogg_encoder.h"

namespace {

constexpr int kRate = 44100;
constexpr std::size_t kPeriod = 1024;
constexpr int kVoices = 32;
constexpr std::size_t kSoundFrames = kRate * 4;  // long enough not to end while timed
// Counter value: 100 x seconds of CPU per second of sound.
const benchmark::Counter::Flags kPerSound =
    benchmark::Counter::Flags(benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
constexpr double kPeriodSeconds = double(kPeriod) / kRate;

benchmark::Counter CorePercent() { return benchmark::Counter(kPeriodSeconds / 100.0, kPerSound); }

// Quiet, different samples per voice, so the sum never clips.
std::vector<float> VoiceSamples(int voice, std::size_t frames) {
  std::vector<float> samples(frames * 2);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = 0.02f * float(std::sin(double(i) * (0.001 + 0.0003 * voice)));
  return samples;
}

// Music decoded beforehand: what the callback finds in a stream's ring.
class DecodedStream final : public platform::MixStream {
 public:
  explicit DecodedStream(std::vector<float> samples) : m_samples(std::move(samples)) {}
  std::size_t Read(float* out, std::size_t frames) override {
    for (std::size_t i = 0; i < frames * 2; ++i) {
      out[i] = m_samples[m_position++];
      if (m_position == m_samples.size()) m_position = 0;
    }
    return frames;
  }
  bool Ended() const override { return false; }
  std::size_t WaitReady(std::size_t frames, int) override { return frames; }
  void Rewind() { m_position = 0; }

 private:
  std::vector<float> m_samples;
  std::size_t m_position = 0;
};

struct Scene {
  std::vector<std::shared_ptr<const platform::MixSamples>> voices;
  std::vector<float> music;
};

const Scene& TheScene() {
  static const Scene scene = [] {
    Scene s;
    for (int v = 0; v < kVoices; ++v)
      s.voices.push_back(std::make_shared<const platform::MixSamples>(VoiceSamples(v, kSoundFrames)));
    s.music = VoiceSamples(kVoices, kSoundFrames);
    return s;
  }();
  return scene;
}

struct OurMixer {
  platform::AudioMixer mixer{kRate};
  std::shared_ptr<DecodedStream> music;
  std::vector<platform::VoiceId> ids;

  OurMixer() {
    const Scene& scene = TheScene();
    for (const auto& samples : scene.voices) ids.push_back(mixer.AddSound(samples));
    music = std::make_shared<DecodedStream>(scene.music);
    ids.push_back(mixer.AddStream(music));
    Restart();
  }
  void Restart() {
    music->Rewind();
    for (platform::VoiceId id : ids) mixer.Play(id);
  }
};

// The physical reference: add every source and clamp.
void PlainSum(const Scene& scene, std::size_t offset, float* out) {
  std::fill(out, out + kPeriod * 2, 0.0f);
  for (const auto& voice : scene.voices)
    for (std::size_t i = 0; i < kPeriod * 2; ++i) out[i] += (*voice)[offset + i];
  for (std::size_t i = 0; i < kPeriod * 2; ++i) out[i] += scene.music[offset + i];
  for (std::size_t i = 0; i < kPeriod * 2; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void SdlSum(const Scene& scene, std::size_t offset, float* out) {
  std::fill(out, out + kPeriod * 2, 0.0f);
  const Uint32 bytes = Uint32(kPeriod * 2 * sizeof(float));
  for (const auto& voice : scene.voices)
    SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out), reinterpret_cast<const Uint8*>(voice->data() + offset),
                       AUDIO_F32SYS, bytes, SDL_MIX_MAXVOLUME);
  SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out), reinterpret_cast<const Uint8*>(scene.music.data() + offset),
                     AUDIO_F32SYS, bytes, SDL_MIX_MAXVOLUME);
}

// Checks once that the three ways agree on the first period.
bool SameResults() {
  OurMixer ours;
  std::vector<float> a(kPeriod * 2), b(kPeriod * 2), c(kPeriod * 2);
  ours.mixer.Mix(a.data(), kPeriod);
  PlainSum(TheScene(), 0, b.data());
  SdlSum(TheScene(), 0, c.data());
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::fabs(a[i] - b[i]) > 1e-6f || std::fabs(a[i] - c[i]) > 1e-6f) return false;
  return true;
}

// Offsets walk through the sounds, one period per iteration, and start over.
std::size_t NextOffset(std::size_t& period) {
  const std::size_t offset = period * kPeriod * 2;
  period = (period + 1) % (kSoundFrames / kPeriod - 1);
  return offset;
}

void BM_OurCallback(benchmark::State& state) {
  if (!SameResults()) return state.SkipWithError("the mixes differ");
  OurMixer ours;
  std::vector<float> out(kPeriod * 2);
  std::size_t period = 0;
  for (auto _ : state) {
    if (NextOffset(period) == 0) ours.Restart();
    ours.mixer.Mix(out.data(), kPeriod);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["core%"] = CorePercent();
}

void BM_SdlMixAudioFormat(benchmark::State& state) {
  if (!SameResults()) return state.SkipWithError("the mixes differ");
  std::vector<float> out(kPeriod * 2);
  std::size_t period = 0;
  for (auto _ : state) {
    SdlSum(TheScene(), NextOffset(period), out.data());
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["core%"] = CorePercent();
}

void BM_PlainLoopReference(benchmark::State& state) {
  if (!SameResults()) return state.SkipWithError("the mixes differ");
  std::vector<float> out(kPeriod * 2);
  std::size_t period = 0;
  for (auto _ : state) {
    PlainSum(TheScene(), NextOffset(period), out.data());
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["core%"] = CorePercent();
}

// The music's producer work per period: decoding a 44.1 kHz stereo Ogg file
// (encoded once at quality 0.4) and passing it through the converter.
void BM_OggDecode(benchmark::State& state) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "bench_mixer_music.ogg";
  {
    const std::vector<unsigned char> ogg = EncodeOggVorbis(TheScene().music, 2, kRate);
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(file.c_str(), "wb"), &std::fclose);
    if (!out || std::fwrite(ogg.data(), 1, ogg.size(), out.get()) != ogg.size())
      return state.SkipWithError("cannot write the music file");
  }
  OggVorbis_File vorbis;
  if (ov_fopen(file.c_str(), &vorbis) != 0) return state.SkipWithError("cannot open the music file");
  platform::PcmConverter converter;
  converter.Setup(2, kRate, kRate);
  std::vector<float> interleaved, out(kPeriod * 2);
  for (auto _ : state) {
    std::size_t got = 0;
    while (got < kPeriod) {
      const std::size_t converted = converter.Get(out.data() + got * 2, kPeriod - got);
      got += converted;
      if (converted > 0) continue;
      float** planes = nullptr;
      int section = 0;
      const long frames = ov_read_float(&vorbis, &planes, int(kPeriod), &section);
      if (frames <= 0) {
        ov_pcm_seek(&vorbis, 0);
        continue;
      }
      interleaved.resize(std::size_t(frames) * 2);
      for (long i = 0; i < frames; ++i) {
        interleaved[std::size_t(i) * 2] = planes[0][i];
        interleaved[std::size_t(i) * 2 + 1] = planes[1][i];
      }
      converter.Put(interleaved.data(), std::size_t(frames));
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["core%"] = CorePercent();
  ov_clear(&vorbis);
  std::filesystem::remove(file);
}

BENCHMARK(BM_OurCallback);
BENCHMARK(BM_SdlMixAudioFormat);
BENCHMARK(BM_PlainLoopReference);
BENCHMARK(BM_OggDecode);

}  // namespace

BENCHMARK_MAIN();
