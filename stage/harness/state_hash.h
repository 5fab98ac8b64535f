#pragma once
// A 64-bit fingerprint of everything the stage simulation holds: the
// scene's counters, both scroll axes, the block map's changed cells, the
// hero, every character and item in list order. Doubles enter by their
// bits and objects by their serial numbers, never by address, so two runs
// of one seed and one input stream give equal hashes frame by frame.

#include <cstdint>

class cStageScene;

std::uint64_t StageStateHash(const cStageScene& scene);
