#pragma once
// PCM wave files as the sound layer reads them: a RIFF "WAVE" file with a
// 16-byte "fmt " chunk (PCM, mono, 16 bits) and one "data" chunk.

#include <cstdint>
#include <vector>

#include "tools/sample_game/synth.h"

namespace sample_game {

std::vector<std::uint8_t> EncodeWav(const Samples& samples, int sampleRate = kSampleRate);

}  // namespace sample_game
