#pragma once
// The fingerprint of each sample stage's recorded run: every frame's state
// hash of the stage's input script played as a free-play attempt from seed
// 878, in the order of EveryStageScript(). The run must come out the same
// in every build type and with either compiler, so one table serves them
// all. A change that alters what the simulation does alters these; the
// exact-replay test then prints the new table to put here.

#include <cstdint>
#include <span>

namespace sample_game_test {

inline constexpr std::uint64_t kRecordedRunDigests[] = {
    0x0FACF1BDE90E1EF1ull, 0x3E317E62791D2442ull, 0xFBC42337A264AB91ull, 0xFC667DDAFE7DD42Eull,
    0x171F2ED2937D9756ull, 0xCD35347AEE10D159ull, 0xC44980C4F71AFCAEull, 0x81EB4639C5B5301Cull,
};

// FNV-1a over the frame count and every frame's hash.
std::uint64_t RunDigest(std::span<const std::uint64_t> hashes);

}  // namespace sample_game_test
