#include "tools/sample_game/song.h"

#include <algorithm>
#include <map>

#include "tools/sample_game/byte_writer.h"

namespace sample_game {
namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kTicksPerEighth = kTicksPerQuarter / 2;
constexpr int kDrumChannel = 9;
constexpr int kKick = 36, kSnare = 38, kHat = 42;

Song BuildTune() {
  Song song;
  // Melody as (key, eighths) one after another; key 0 is a rest.
  static constexpr int kLine[][2] = {
      {76, 2}, {79, 2}, {84, 2}, {79, 2},  // C
      {81, 2}, {79, 1}, {76, 1}, {72, 4},  // Am
      {77, 2}, {81, 2}, {84, 2}, {81, 2},  // F
      {79, 3}, {77, 1}, {76, 2}, {74, 2},  // G
      {76, 2}, {79, 2}, {84, 2}, {86, 2},  // C
      {88, 2}, {86, 1}, {84, 1}, {81, 4},  // Am
      {77, 2}, {81, 2}, {79, 2}, {74, 2},  // F G
      {72, 6}, {0, 2},                     // C
  };
  int at = 0;
  for (const auto& note : kLine) {
    if (note[0] != 0) song.melody.push_back({at, note[1], note[0]});
    at += note[1];
  }
  song.eighths = at;
  // Bass: the root of each half bar, bouncing between octaves.
  static constexpr int kRoots[16] = {48, 48, 45, 45, 41, 41, 43, 43, 48, 48, 45, 45, 41, 43, 48, 48};
  for (int half = 0; half < 16; ++half)
    for (int e = 0; e < 4; ++e) song.bass.push_back({half * 4 + e, 1, kRoots[half] + (e % 2) * 12});
  for (int e = 0; e < song.eighths; ++e) {
    song.drums.push_back({e, 1, kHat});
    if (e % 4 == 0) song.drums.push_back({e, 1, kKick});
    if (e % 4 == 2) song.drums.push_back({e, 1, kSnare});
  }
  return song;
}

void VariableLength(ByteWriter& out, std::uint32_t value) {
  std::uint8_t bytes[4];
  int count = 0;
  do {
    bytes[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0 && count < 4);
  while (count > 1) out.U8(static_cast<std::uint8_t>(bytes[--count] | 0x80));
  out.U8(bytes[0]);
}

// One track chunk from events keyed by (tick, order), each a message's bytes.
using TrackEvents = std::multimap<std::pair<int, int>, std::vector<std::uint8_t>>;

void WriteTrack(ByteWriter& file, const TrackEvents& events) {
  ByteWriter track;
  int last = 0;
  for (const auto& [when, message] : events) {
    VariableLength(track, static_cast<std::uint32_t>(when.first - last));
    last = when.first;
    for (std::uint8_t b : message) track.U8(b);
  }
  VariableLength(track, 0);
  track.U8(0xFF);
  track.U8(0x2F);
  track.U8(0x00);
  const std::vector<std::uint8_t> bytes = track.Take();
  file.Text("MTrk");
  file.BigU32(static_cast<std::uint32_t>(bytes.size()));
  file.Append(bytes);
}

TrackEvents PartTrack(const std::vector<SongNote>& notes, int channel, int program, int transpose, int velocity) {
  TrackEvents events;
  const auto ch = static_cast<std::uint8_t>(channel);
  if (program >= 0) events.insert({{0, 0}, {static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(program)}});
  for (const SongNote& n : notes) {
    const auto key = static_cast<std::uint8_t>(n.key + transpose);
    // Note-offs sort before note-ons at the same tick, so repeated notes retrigger.
    events.insert({{n.start * kTicksPerEighth, 2},
                   {static_cast<std::uint8_t>(0x90 | ch), key, static_cast<std::uint8_t>(velocity)}});
    events.insert({{(n.start + n.length) * kTicksPerEighth - 10, 1}, {static_cast<std::uint8_t>(0x80 | ch), key, 0}});
  }
  return events;
}

Samples RenderPart(const std::vector<SongNote>& notes, Wave wave, int transpose, int level, int eighthMs,
                   bool drumSet) {
  Samples part;
  for (const SongNote& n : notes) {
    std::vector<Tone> tones;
    if (drumSet) {
      const int hz = n.key == kKick ? 120 : n.key == kSnare ? 2400 : 7000;
      const Wave w = n.key == kKick ? Wave::Triangle : Wave::Noise;
      tones.push_back({w, hz, n.key == kKick ? 50 : hz, n.key == kHat ? 25 : 90, level, 0});
    } else {
      const int hz = KeyHz(n.key + transpose);
      tones.push_back({wave, hz, hz, n.length * eighthMs - 15, level, level / 3});
    }
    MixInto(part, Render(tones), static_cast<std::size_t>(n.start) * eighthMs * kSampleRate / 1000);
  }
  return part;
}

}  // namespace

const Song& SampleTune() {
  static const Song song = BuildTune();
  return song;
}

std::vector<std::uint8_t> EncodeMidi(const Song& song, const Arrangement& arrangement) {
  ByteWriter file;
  file.Text("MThd");
  file.BigU32(6);
  file.BigU16(1);  // format 1
  file.BigU16(4);  // tempo track, melody, bass, drums
  file.BigU16(kTicksPerQuarter);

  TrackEvents tempo;
  const std::uint32_t microsPerQuarter = 60000000u / static_cast<std::uint32_t>(arrangement.beatsPerMinute);
  tempo.insert({{0, 0},
                {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microsPerQuarter >> 16),
                 static_cast<std::uint8_t>(microsPerQuarter >> 8), static_cast<std::uint8_t>(microsPerQuarter)}});
  tempo.insert({{0, 1}, {0xFF, 0x58, 0x04, 4, 2, 24, 8}});  // 4/4
  WriteTrack(file, tempo);
  WriteTrack(file, PartTrack(song.melody, 0, arrangement.leadProgram, arrangement.transpose, 100));
  WriteTrack(file, PartTrack(song.bass, 1, arrangement.bassProgram, arrangement.transpose, 90));
  WriteTrack(file, PartTrack(arrangement.drums ? song.drums : std::vector<SongNote>{}, kDrumChannel, -1, 0, 80));
  return file.Take();
}

Samples RenderSong(const Song& song, const Arrangement& arrangement) {
  const int eighthMs = 30000 / arrangement.beatsPerMinute;
  Samples mix(static_cast<std::size_t>(song.eighths) * eighthMs * kSampleRate / 1000, 0);
  MixInto(mix, RenderPart(song.melody, Wave::Square, arrangement.transpose, 45, eighthMs, false), 0);
  MixInto(mix, RenderPart(song.bass, Wave::Triangle, arrangement.transpose, 70, eighthMs, false), 0);
  if (arrangement.drums) MixInto(mix, RenderPart(song.drums, Wave::Noise, 0, 30, eighthMs, true), 0);
  mix.resize(static_cast<std::size_t>(song.eighths) * eighthMs * kSampleRate / 1000);
  return mix;
}

}  // namespace sample_game
