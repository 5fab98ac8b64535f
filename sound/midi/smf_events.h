#pragma once
// The events of a standard MIDI file and the one-track file made of them.
// Tracks are read within their chunk lengths and the file's size; chunks
// of other kinds are skipped; a track without its end-of-track event ends
// at its chunk's end, and a malformed event (a data byte with no channel
// status to repeat, a variable-length number of more than four bytes, a
// length past the chunk) ends the track where it stands.

#include <cstdint>
#include <span>
#include <vector>

// One event: its absolute time in ticks, its status byte, and the bytes
// that follow the status in the file (for a meta event its type, length
// and data; for system exclusive its length and data).
struct SmfEvent {
  std::uint64_t time = 0;
  std::uint8_t status = 0;
  std::uint32_t offset = 0;  // of the bytes after the status, in the file
  std::uint32_t length = 0;
};

struct SmfSong {
  std::vector<SmfEvent> events;  // merged, without end-of-track events
  std::uint64_t endTime = 0;     // the latest end of any track
};

// Reads up to `trackCount` track chunks from byte 14 on and merges their
// events by time; of equal times the lower track comes first.
SmfSong ReadSmfSong(std::span<const std::uint8_t> file, int trackCount);

// Seconds from the start to the end of the song: tempo 500000 until the
// first tempo event.
double SmfPlayTime(std::span<const std::uint8_t> file, const SmfSong& song, std::uint16_t division);

// The format-0 file of the song: header with one track and the division,
// the events with their delta times and full status bytes, and one end of
// track. A delta too large for a four-byte number is spread over empty
// text events.
std::vector<std::uint8_t> WriteFormat0(std::span<const std::uint8_t> file, const SmfSong& song,
                                       std::uint16_t division);

// A variable-length number of at most four bytes at `pos`, before `end`;
// false when it is longer or runs past `end`.
bool ReadVarLen(std::span<const std::uint8_t> bytes, std::size_t& pos, std::size_t end, std::uint32_t& value);
