#include "sound/midi/stream_events.h"

#include <algorithm>
#include <cstdint>

#include "platform/audio/midi_stream_out.h"
#include "sound/midi/smf_events.h"

namespace {

void PutU32(std::uint8_t* p, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(value >> (8 * i));
}

// One event of the track, read but not yet written.
struct TrackEvent {
  std::uint32_t delta = 0;
  bool send = false;  // false: a meta event that is not sent
  bool endOfTrack = false;
  std::uint32_t event = 0;
  std::uint8_t longStatus = 0;             // of a long event, sent before its bytes
  std::span<const std::uint8_t> longData;  // the bytes of a long event
  std::size_t next = 0;                    // position after the event

  std::size_t RecordSize() const {
    if (!(event & platform::MEVT_F_LONG)) return platform::kMidiEventSize;
    return platform::kMidiEventSize + (longData.size() + 1 + 3) / 4 * 4;
  }
};

bool ReadMeta(std::span<const std::uint8_t> data, std::size_t pos, std::size_t end, TrackEvent& out) {
  if (pos >= end) return false;
  const std::uint8_t type = data[pos++];
  std::uint32_t length = 0;
  if (!ReadVarLen(data, pos, end, length) || end - pos < length) return false;
  if (type == 0x51 && length == 3) {
    out.send = true;
    out.event = platform::MEVT_TEMPO | std::uint32_t(data[pos]) << 16 | std::uint32_t(data[pos + 1]) << 8 |
                data[pos + 2];
  } else if (type == 0x2F) {
    out.send = out.endOfTrack = true;
    out.event = platform::MEVT_F_CALLBACK | platform::kMidiEndOfTrack;
  }
  out.next = pos + length;
  return true;
}

bool ReadEvent(std::span<const std::uint8_t> data, std::size_t pos, std::size_t end, TrackEvent& out) {
  out = TrackEvent{};
  if (!ReadVarLen(data, pos, end, out.delta) || pos >= end) return false;
  const std::uint8_t status = data[pos++];
  if (status == 0xFF) return ReadMeta(data, pos, end, out);
  if (status == 0xF0 || status == 0xF7) {
    std::uint32_t length = 0;
    if (!ReadVarLen(data, pos, end, length) || end - pos < length) return false;
    out.send = true;
    out.event = platform::MEVT_F_LONG | (length + 1);
    out.longStatus = status;
    out.longData = data.subspan(pos, length);
    out.next = pos + length;
    return true;
  }
  if (status < 0x80 || status >= 0xF0) return false;
  const std::size_t count = (status & 0xE0) == 0xC0 ? 1 : 2;
  if (end - pos < count) return false;
  out.send = true;
  out.event = status | std::uint32_t(data[pos]) << 8 | (count == 2 ? std::uint32_t(data[pos + 1]) << 16 : 0);
  out.next = pos + count;
  return true;
}

void WriteRecord(const TrackEvent& event, std::uint32_t delta, std::uint8_t* p) {
  PutU32(p, delta);
  PutU32(p + 4, 0);
  PutU32(p + 8, event.event);
  if (event.event & platform::MEVT_F_LONG) {
    p[platform::kMidiEventSize] = event.longStatus;
    std::copy(event.longData.begin(), event.longData.end(), p + platform::kMidiEventSize + 1);
  }
}

}  // namespace

StreamFill ConvertEvents(std::span<const std::uint8_t> data, std::size_t& position, std::size_t end,
                         std::uint32_t& carriedDelta, std::span<std::uint8_t> buffer) {
  std::fill(buffer.begin(), buffer.end(), 0);
  StreamFill fill;
  std::size_t lastRecord = 0;
  end = std::min(end, data.size());
  TrackEvent event;
  while (position < end) {
    if (!ReadEvent(data, position, end, event)) {
      position = end;  // a damaged rest of the track is not played
      break;
    }
    const std::uint32_t delta =
        std::uint32_t(std::min<std::uint64_t>(std::uint64_t(carriedDelta) + event.delta, UINT32_MAX));
    if (!event.send || event.RecordSize() > buffer.size()) {
      carriedDelta = delta;
      position = event.next;
      continue;
    }
    if (fill.used + event.RecordSize() > buffer.size()) break;
    WriteRecord(event, delta, buffer.data() + fill.used);
    carriedDelta = 0;
    lastRecord = fill.used;
    fill.used += event.RecordSize();
    fill.lastEvent = event.event;
    position = event.next;
    if (event.endOfTrack) {
      fill.endOfTrack = true;
      position = end;
      return fill;
    }
  }
  if (fill.used > 0 && position < end) {
    fill.lastEvent |= platform::MEVT_F_CALLBACK;
    PutU32(buffer.data() + lastRecord + 8, fill.lastEvent);
  }
  return fill;
}
