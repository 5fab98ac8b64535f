#pragma once
// How the benchmarks of the sample game register their runs: each run five
// times and reported as mean, median and spread in microseconds, and beside
// each drawing mode the floor, a memcpy of one 640 x 480 frame of the
// mode's pixel size ("FrameMemcpy/<mode>").

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "bench/sample_play/draw_modes.h"

void RegisterRepeated(const std::string& name, std::function<void(benchmark::State&)> run);
void RegisterFrameMemcpy(const DrawMode& mode);
