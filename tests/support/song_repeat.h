#pragma once
// Where a looping song is heard again: its sound (interleaved stereo) is
// compared with itself, by the loudness of each millisecond, so that a
// device's own mix or a recording of it measures the same as a capture.

#include <cstddef>
#include <vector>

// How many frames, from the song's start, SecondStart reads.
std::size_t SecondStartFrames(int rate, double length);

// How many seconds after the first frame of `mix` (a song's start, or any
// frame once it plays) the next second of it is heard again: the shift
// within 0.3 s of `length` at which the loudness best repeats it; 0 when
// the mix is shorter than SecondStartFrames.
double SecondStart(const std::vector<float>& mix, int rate, double length);
