#include "tools/sample_game/synth.h"

#include <algorithm>

namespace sample_game {
namespace {

constexpr int kPeak = 12000;  // leaves room for several voices in a mix

// One sample of a wave at a 32-bit phase, scaled to +-kPeak.
int WaveSample(Wave wave, std::uint32_t phase, std::uint32_t& noise) {
  switch (wave) {
    case Wave::Square:
      return phase < 0x80000000u ? kPeak : -kPeak;
    case Wave::Triangle: {
      const std::int64_t ramp = phase < 0x80000000u ? phase : 0xFFFFFFFFu - phase;  // 0..2^31
      return static_cast<int>(ramp * 2 * kPeak / 0x80000000LL) - kPeak;
    }
    case Wave::Noise:
      break;
  }
  noise = noise * 1103515245u + 12345u;
  return static_cast<int>((noise >> 16) & 0x7FFF) * 2 * kPeak / 0x7FFF - kPeak;
}

}  // namespace

Samples Render(const std::vector<Tone>& tones) {
  Samples out;
  std::uint32_t phase = 0, noise = 1;
  for (const Tone& tone : tones) {
    const int count = tone.ms * kSampleRate / 1000;
    int held = 0;
    for (int i = 0; i < count; ++i) {
      const std::int64_t hz = tone.fromHz + static_cast<std::int64_t>(tone.toHz - tone.fromHz) * i / count;
      const int level = tone.fromLevel + (tone.toLevel - tone.fromLevel) * i / count;
      phase += static_cast<std::uint32_t>((hz << 32) / kSampleRate);
      // Noise changes value at the tone's pitch rather than every sample.
      if (tone.wave != Wave::Noise || i % std::max<std::int64_t>(1, kSampleRate / std::max<std::int64_t>(hz, 1)) == 0)
        held = WaveSample(tone.wave, phase, noise);
      out.push_back(static_cast<std::int16_t>(held * level / 100));
    }
  }
  return out;
}

void MixInto(Samples& mix, const Samples& part, std::size_t at) {
  if (mix.size() < at + part.size()) mix.resize(at + part.size(), 0);
  for (std::size_t i = 0; i < part.size(); ++i)
    mix[at + i] = static_cast<std::int16_t>(std::clamp(mix[at + i] + part[i], -32768, 32767));
}

int KeyHz(int key) {
  // Equal temperament from a table of one octave in millihertz, shifted by octaves.
  static constexpr int kOctaveMilliHz[12] = {261626, 277183, 293665, 311127, 329628, 349228,
                                             369994, 391995, 415305, 440000, 466164, 493883};
  const int octave = key / 12 - 5, note = key % 12;
  const int milli = octave >= 0 ? kOctaveMilliHz[note] << octave : kOctaveMilliHz[note] >> -octave;
  return (milli + 500) / 1000;
}

}  // namespace sample_game
