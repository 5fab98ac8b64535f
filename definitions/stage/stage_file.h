#pragma once
// The stage file "*.stg4_NNN": the data version, the stage settings, the
// ranking switches, the five removal areas, the stage palette (blocks,
// characters, items), the placed blocks, characters and items (each behind a
// word 0), the background layers, the text list and, from version 173, the
// end value 123456789. Replays embed the same layout without the version.

#include <cstdint>
#include <string_view>

inline constexpr std::uint32_t kStageFileEnd = 123456789;

// Stages are at most this many blocks on a side and this many cells in all;
// larger ones are refused as damaged, since their block map could not be held.
inline constexpr std::int32_t kMaxStageSide = 32767;
inline constexpr std::int64_t kMaxStageCells = std::int64_t{1} << 24;

// 1 when the file may be read; 0 when a file of version 174 or later does
// not end with the end value: the damage is reported, "ステージファイル %s
// が破損しています！" is shown and the main thread is asked to close. A file
// that cannot be opened, is too short for its head or is newer answers 1 (the
// read itself then fails).
int CheckStageFileEnd(std::string_view storedPath);
