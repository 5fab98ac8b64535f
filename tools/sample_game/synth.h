#pragma once
// A small chiptune synthesiser for the sample game's sounds and music. It
// works in integers only (phase accumulators, linear envelopes, a linear
// congruential noise source), so the same recipe gives the same samples on
// every machine and every build.

#include <cstdint>
#include <vector>

namespace sample_game {

inline constexpr int kSampleRate = 22050;

enum class Wave { Square, Triangle, Noise };

// One stretch of sound: a wave whose pitch slides from `fromHz` to `toHz`
// and whose loudness slides from `fromLevel` to `toLevel` (0..100) over `ms`.
struct Tone {
  Wave wave;
  int fromHz;
  int toHz;
  int ms;
  int fromLevel = 80;
  int toLevel = 0;
};

using Samples = std::vector<std::int16_t>;

// The tones one after another, mono at kSampleRate.
Samples Render(const std::vector<Tone>& tones);
// Adds `part` into `mix` from sample `at` on, clipping to 16 bits; the mix grows as needed.
void MixInto(Samples& mix, const Samples& part, std::size_t at);

// The frequency of a MIDI key in whole hertz (key 69 = 440 Hz).
int KeyHz(int key);

}  // namespace sample_game
