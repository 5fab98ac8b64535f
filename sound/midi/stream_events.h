#pragma once
// Turns the events of the in-memory format-0 track into the records of a
// MIDI stream buffer (platform/audio/midi_stream_out.h): channel messages as
// short events, tempo changes as tempo events, system exclusive as long
// events with the status byte in front, the end of track as a last short
// event carrying FF 2F 00 with the callback flag. Other meta events are not
// sent; their delta times are carried over to the next event sent, so the
// song keeps its timing.

#include <cstddef>
#include <cstdint>
#include <span>

struct StreamFill {
  std::size_t used = 0;          // bytes of the buffer filled
  std::uint32_t lastEvent = 0;   // the event word of the last record
  bool endOfTrack = false;       // the end-of-track record was written
};

// Converts events from `position` (advanced past what was taken) up to
// `end` into `buffer`, which is zeroed first, until the next record would
// not fit or the end of track. A record that cannot fit even an empty
// buffer is dropped (its delta carried). When the buffer fills before the
// end, its last record gets the callback flag.
StreamFill ConvertEvents(std::span<const std::uint8_t> data, std::size_t& position, std::size_t end,
                         std::uint32_t& carriedDelta, std::span<std::uint8_t> buffer);
