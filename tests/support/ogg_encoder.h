#pragma once
// Encodes sound as an Ogg Vorbis file with libvorbisenc, so that tests and
// benchmarks make their own music files.

#include <vector>

// `interleaved` holds frames of `channels` float samples at `rate`.
std::vector<unsigned char> EncodeOggVorbis(const std::vector<float>& interleaved, int channels, int rate);
