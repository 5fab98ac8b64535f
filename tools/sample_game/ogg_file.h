#pragma once
// Ogg Vorbis files encoded with libvorbisenc from synthesised PCM: mono,
// variable bit rate, a fixed stream serial number and no wall-clock data,
// so the same samples always give the same bytes.

#include <cstdint>
#include <vector>

#include "tools/sample_game/synth.h"

namespace sample_game {

// Empty when the encoder cannot be set up.
std::vector<std::uint8_t> EncodeOgg(const Samples& samples, int sampleRate = kSampleRate);

}  // namespace sample_game
