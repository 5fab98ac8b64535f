#include "platform/audio/pcm_convert.h"

#include <SDL.h>

namespace platform {
namespace {

// Rates outside this range are not audio a game would ship.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 768000;

SDL_AudioStream* NewStream(SDL_AudioFormat format, int channels, int rate, int mixRate) {
  return SDL_NewAudioStream(format, Uint8(channels), rate, AUDIO_F32SYS, kMixChannels, mixRate);
}

}  // namespace

bool IsConvertiblePcm(const PcmFormat& format) {
  return (format.bits == 8 || format.bits == 16) && (format.channels == 1 || format.channels == 2) &&
         format.rate >= kMinRate && format.rate <= kMaxRate;
}

bool ConvertPcm(const PcmFormat& format, std::span<const std::uint8_t> data, int mixRate, MixSamples& out) {
  out.clear();
  if (!IsConvertiblePcm(format)) return false;
  SDL_AudioStream* stream = NewStream(format.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB, format.channels, format.rate, mixRate);
  if (!stream) return false;
  const std::size_t frameBytes = std::size_t(format.bits / 8 * format.channels);
  const std::size_t bytes = data.size() / frameBytes * frameBytes;
  bool ok = bytes == 0 || SDL_AudioStreamPut(stream, data.data(), int(bytes)) == 0;
  ok = ok && SDL_AudioStreamFlush(stream) == 0;
  if (ok) {
    out.resize(std::size_t(SDL_AudioStreamAvailable(stream)) / sizeof(float));
    const int got = SDL_AudioStreamGet(stream, out.data(), int(out.size() * sizeof(float)));
    ok = got >= 0;
    out.resize(ok ? std::size_t(got) / sizeof(float) / kMixChannels * kMixChannels : 0);
  }
  SDL_FreeAudioStream(stream);
  return ok;
}

PcmConverter::~PcmConverter() {
  if (m_stream) SDL_FreeAudioStream(m_stream);
}

bool PcmConverter::Setup(int channels, int rate, int mixRate) {
  if (m_stream) SDL_FreeAudioStream(m_stream);
  m_stream = nullptr;
  if (channels < 1 || channels > 2 || rate < kMinRate || rate > kMaxRate) return false;
  m_stream = NewStream(AUDIO_F32SYS, channels, rate, mixRate);
  m_channels = channels;
  return m_stream != nullptr;
}

void PcmConverter::Put(const float* frames, std::size_t count) {
  if (m_stream && count > 0) SDL_AudioStreamPut(m_stream, frames, int(count * m_channels * sizeof(float)));
}

void PcmConverter::Finish() {
  if (m_stream) SDL_AudioStreamFlush(m_stream);
}

std::size_t PcmConverter::Get(float* out, std::size_t maxFrames) {
  if (!m_stream) return 0;
  const int got = SDL_AudioStreamGet(m_stream, out, int(maxFrames * kMixChannels * sizeof(float)));
  return got > 0 ? std::size_t(got) / (kMixChannels * sizeof(float)) : 0;
}

void PcmConverter::Clear() {
  if (m_stream) SDL_AudioStreamClear(m_stream);
}

}  // namespace platform
