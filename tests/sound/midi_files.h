#pragma once
// Standard MIDI files written byte by byte for the tests.

#include <initializer_list>
#include <vector>

#include "tests/sound/sound_test_support.h"

inline std::vector<std::uint8_t> SmfHeader(int format, int tracks, int division) {
  return Bytes().Text("MThd").Be(6, 4).Be(std::uint32_t(format), 2).Be(std::uint32_t(tracks), 2)
      .Be(std::uint32_t(division), 2).Get();
}

// A track chunk of the events, closed by an end of track unless they end
// with one.
inline std::vector<std::uint8_t> Track(const std::vector<std::uint8_t>& events) {
  std::vector<std::uint8_t> body = events;
  const bool closed = body.size() >= 3 && body[body.size() - 3] == 0xFF && body[body.size() - 2] == 0x2F;
  if (!closed) body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
  return Bytes().Text("MTrk").Be(std::uint32_t(body.size()), 4).Raw(body).Get();
}

inline std::vector<std::uint8_t> SmfFile(int format, int division,
                                         std::initializer_list<std::vector<std::uint8_t>> tracks) {
  Bytes file;
  file.Raw(SmfHeader(format, int(tracks.size()), division));
  for (const auto& track : tracks) file.Raw(track);
  return file.Get();
}
