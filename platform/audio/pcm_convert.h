#pragma once
// Format, channel and rate conversion into the mixer's format (stereo float
// at the mixer's rate), done by SDL's own audio conversion. Waves are
// converted once when they load; streams convert chunk by chunk on their
// producer threads, never in the audio callback.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/audio/audio_mixer.h"

struct _SDL_AudioStream;

namespace platform {

// Integer PCM as waves store it: 8-bit unsigned or 16-bit signed little
// endian, one or two channels, any rate.
struct PcmFormat {
  int rate = 0;
  int bits = 0;
  int channels = 0;
};

// True when the format can be converted.
bool IsConvertiblePcm(const PcmFormat& format);
// The whole of `data` (whole frames) in the mixer's format at `mixRate`;
// false when the format cannot be converted.
bool ConvertPcm(const PcmFormat& format, std::span<const std::uint8_t> data, int mixRate, MixSamples& out);

// Incremental conversion of interleaved float frames of one or two channels.
class PcmConverter {
 public:
  PcmConverter() = default;
  ~PcmConverter();
  PcmConverter(const PcmConverter&) = delete;
  PcmConverter& operator=(const PcmConverter&) = delete;

  // False when the format cannot be converted.
  bool Setup(int channels, int rate, int mixRate);
  void Put(const float* frames, std::size_t count);
  // Marks the end of the input, so that the last frames come out too.
  void Finish();
  // Converted frames, up to maxFrames.
  std::size_t Get(float* out, std::size_t maxFrames);
  void Clear();

 private:
  _SDL_AudioStream* m_stream = nullptr;
  int m_channels = 0;
};

}  // namespace platform
