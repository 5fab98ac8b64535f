#include "tests/support/song_repeat.h"

#include <cmath>

namespace {

constexpr std::size_t kChannels = 2;

// The stretch compared with itself, and how far from the song's length it
// is sought, in seconds.
constexpr double kWindowSeconds = 1.0;
constexpr double kRepeatSearchSeconds = 0.3;

// One block of loudness per millisecond.
std::size_t BlockFrames(int rate) { return std::size_t(rate) / 1000; }

std::size_t Blocks(int rate, double seconds) { return std::size_t(seconds * double(rate) / double(BlockFrames(rate))); }

// The loudness of the mix, one value per block of `blockFrames` frames.
std::vector<double> Loudness(const std::vector<float>& mix, std::size_t blockFrames) {
  std::vector<double> loudness(mix.size() / kChannels / blockFrames);
  for (std::size_t i = 0; i < loudness.size() * blockFrames * kChannels; ++i)
    loudness[i / kChannels / blockFrames] += mix[i] * mix[i];
  return loudness;
}

// The shift, from `from` to `to` blocks, at which the loudness best repeats
// its first `window` blocks (the highest correlation).
std::size_t RepeatShift(const std::vector<double>& loudness, std::size_t window, std::size_t from, std::size_t to) {
  const auto correlation = [&](std::size_t shift) {
    double meanA = 0, meanB = 0;
    for (std::size_t i = 0; i < window; ++i) meanA += loudness[i], meanB += loudness[shift + i];
    meanA /= double(window), meanB /= double(window);
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < window; ++i) {
      const double a = loudness[i] - meanA, b = loudness[shift + i] - meanB;
      ab += a * b, aa += a * a, bb += b * b;
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0.0;
  };
  std::size_t best = from;
  double bestCorrelation = correlation(from);
  for (std::size_t shift = from + 1; shift <= to; ++shift) {
    const double value = correlation(shift);
    if (value > bestCorrelation) best = shift, bestCorrelation = value;
  }
  return best;
}

}  // namespace

std::size_t SecondStartFrames(int rate, double length) {
  return (Blocks(rate, length + kRepeatSearchSeconds) + Blocks(rate, kWindowSeconds) + 1) * BlockFrames(rate);
}

double SecondStart(const std::vector<float>& mix, int rate, double length) {
  if (mix.size() / kChannels < SecondStartFrames(rate, length)) return 0.0;
  const std::size_t block = BlockFrames(rate);
  const std::size_t shift = RepeatShift(Loudness(mix, block), Blocks(rate, kWindowSeconds),
                                        Blocks(rate, length - kRepeatSearchSeconds),
                                        Blocks(rate, length + kRepeatSearchSeconds));
  return double(shift * block) / double(rate);
}
