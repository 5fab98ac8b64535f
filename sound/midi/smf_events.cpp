#include "sound/midi/smf_events.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kHeaderSize = 14;
constexpr std::uint32_t kMaxVarLen = 0x0FFFFFFF;
constexpr std::uint8_t kMeta = 0xFF;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
constexpr std::uint8_t kMetaTempo = 0x51;
constexpr std::uint32_t kDefaultTempo = 500000;

std::uint32_t ReadBe32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t bytes[4];
  int count = 0;
  do {
    bytes[count++] = std::uint8_t(value & 0x7F);
    value >>= 7;
  } while (value != 0 && count < 4);
  while (count > 1) out.push_back(bytes[--count] | 0x80);
  out.push_back(bytes[0]);
}

// Reads one track chunk's events; returns the track's end time.
std::uint64_t ReadTrack(std::span<const std::uint8_t> file, std::size_t pos, std::size_t end,
                        std::vector<SmfEvent>& events) {
  std::uint64_t time = 0;
  std::uint8_t running = 0;
  while (pos < end) {
    std::uint32_t delta = 0;
    if (!ReadVarLen(file, pos, end, delta) || pos >= end) break;
    time += delta;
    std::uint8_t status = file[pos];
    if (status & 0x80) {
      ++pos;
    } else if (running != 0) {
      status = running;
    } else {
      break;
    }
    const std::size_t start = pos;
    if (status == kMeta || status == 0xF0 || status == 0xF7) {
      running = 0;
      const bool meta = status == kMeta;
      if (meta && pos >= end) break;
      const std::uint8_t type = meta ? file[pos++] : 0;
      std::uint32_t length = 0;
      if (!ReadVarLen(file, pos, end, length) || end - pos < length) break;
      pos += length;
      if (meta && type == kMetaEndOfTrack) return time;
    } else if (status >= 0xF0) {
      break;  // system common and real-time messages have no place in a file
    } else {
      running = status;
      pos += (status & 0xE0) == 0xC0 ? 1 : 2;
      if (pos > end) break;
    }
    events.push_back({time, status, std::uint32_t(start), std::uint32_t(pos - start)});
  }
  return time;
}

bool IsTempo(std::span<const std::uint8_t> file, const SmfEvent& event) {
  return event.status == kMeta && event.length == 5 && file[event.offset] == kMetaTempo && file[event.offset + 1] == 3;
}

}  // namespace

bool ReadVarLen(std::span<const std::uint8_t> bytes, std::size_t& pos, std::size_t end, std::uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (pos >= end) return false;
    const std::uint8_t byte = bytes[pos++];
    value = value << 7 | (byte & 0x7F);
    if (!(byte & 0x80)) return true;
  }
  return false;
}

SmfSong ReadSmfSong(std::span<const std::uint8_t> file, int trackCount) {
  SmfSong song;
  std::size_t pos = kHeaderSize;
  for (int track = 0; track < trackCount && pos + 8 <= file.size();) {
    const std::uint32_t length = ReadBe32(&file[pos + 4]);
    const std::size_t start = pos + 8;
    const std::size_t end = start + std::min<std::size_t>(length, file.size() - start);
    if (std::memcmp(&file[pos], "MTrk", 4) == 0) {
      song.endTime = std::max(song.endTime, ReadTrack(file, start, end, song.events));
      ++track;
    }
    pos = end;
  }
  // Each track is in time order already: a stable sort by time merges them
  // with the lower track first among equal times.
  std::stable_sort(song.events.begin(), song.events.end(),
                   [](const SmfEvent& a, const SmfEvent& b) { return a.time < b.time; });
  return song;
}

double SmfPlayTime(std::span<const std::uint8_t> file, const SmfSong& song, std::uint16_t division) {
  if (division == 0) return 0.0;
  double seconds = 0.0;
  std::uint32_t tempo = kDefaultTempo;
  std::uint64_t last = 0;
  const auto add = [&](std::uint64_t time) {
    seconds += double(time - last) * tempo * 0.000001 / division;
    last = time;
  };
  for (const SmfEvent& event : song.events) {
    add(event.time);
    if (IsTempo(file, event)) {
      const std::uint8_t* p = &file[event.offset + 2];
      tempo = std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
    }
  }
  add(song.endTime);
  return seconds;
}

std::vector<std::uint8_t> WriteFormat0(std::span<const std::uint8_t> file, const SmfSong& song,
                                       std::uint16_t division) {
  std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
  out.push_back(std::uint8_t(division >> 8));
  out.push_back(std::uint8_t(division));
  out.insert(out.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 0});
  std::uint64_t last = 0;
  const auto putDelta = [&](std::uint64_t time) {
    std::uint64_t delta = time - last;
    while (delta > kMaxVarLen) {
      PutVarLen(out, kMaxVarLen);
      out.insert(out.end(), {kMeta, 0x01, 0x00});
      delta -= kMaxVarLen;
    }
    PutVarLen(out, std::uint32_t(delta));
    last = time;
  };
  for (const SmfEvent& event : song.events) {
    putDelta(event.time);
    out.push_back(event.status);
    out.insert(out.end(), file.begin() + event.offset, file.begin() + event.offset + event.length);
  }
  putDelta(song.endTime);
  out.insert(out.end(), {kMeta, kMetaEndOfTrack, 0x00});
  const std::uint32_t trackLength = std::uint32_t(out.size() - 22);
  for (int i = 0; i < 4; ++i) out[18 + i] = std::uint8_t(trackLength >> (24 - 8 * i));
  return out;
}
