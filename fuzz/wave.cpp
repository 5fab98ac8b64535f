// Feeds arbitrary bytes to the wave reader and converts what it accepts to
// the mixer's format, as loading a sound does.
#include <cstddef>
#include <cstdint>

#include "platform/audio/pcm_convert.h"
#include "sound/waves/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WAVEDATA wave;
  if (!ParseWave({data, size}, "fuzz.wav", wave)) return 0;
  const platform::PcmFormat format{int(wave.format.nSamplesPerSec), wave.format.wBitsPerSample,
                                   wave.format.nChannels};
  platform::MixSamples samples;
  platform::ConvertPcm(format, wave.data, platform::kDefaultMixRate, samples);
  volatile float sum = 0;
  for (float sample : samples) sum = sum + sample;
  return 0;
}
