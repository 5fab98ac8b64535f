#include "sound/midi/smf.h"

#include "platform/audio/midi_stream_out.h"
#include "sound/midi/smf_events.h"
#include "sound/midi/stream_events.h"
#include "tests/sound/midi_files.h"
#include "tests/sound/sound_test_support.h"

namespace {

// An event of the converted song, read back: time, status, bytes.
struct Seen {
  std::uint64_t time;
  std::uint8_t status;
  std::vector<std::uint8_t> data;
  bool operator==(const Seen&) const = default;
};

std::vector<Seen> EventsOf(const std::vector<std::uint8_t>& format0, std::uint64_t* endTime = nullptr) {
  const SmfSong song = ReadSmfSong(format0, 1);
  if (endTime) *endTime = song.endTime;
  std::vector<Seen> seen;
  for (const SmfEvent& e : song.events)
    seen.push_back({e.time, e.status, {format0.begin() + e.offset, format0.begin() + e.offset + e.length}});
  return seen;
}

class SmfTest : public SoundTest {
 protected:
  // Reads and checks a file; the converted bytes, or empty when refused.
  std::vector<std::uint8_t> Convert(const std::vector<std::uint8_t>& file, double* playTime = nullptr) {
    Write("bgm/t.mid", file);
    cSmf smf("bgm\\t.mid");
    if (!smf.ReadFile() || !smf.Check()) return {};
    if (playTime) *playTime = smf.PlayTime();
    return smf.Data();
  }
};

TEST_F(SmfTest, FormatOneTracksMergeByTimeWithTheLowerTrackFirst) {
  const std::vector<std::uint8_t> file =
      SmfFile(1, 96,
              {Track({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x60, 0x90, 0x3C, 0x40}),  // tempo; note at 96
               Track({0x60, 0x91, 0x40, 0x40, 0x10, 0x81, 0x40, 0x00}),                    // 96 and 112
               Track({0x00, 0xC2, 0x05, 0x60, 0x92, 0x43, 0x40, 0x30, 0xFF, 0x2F, 0x00})});  // ends at 144
  std::uint64_t end = 0;
  const std::vector<std::uint8_t> data = Convert(file);
  ASSERT_FALSE(data.empty());
  EXPECT_EQ(std::vector<std::uint8_t>(data.begin(), data.begin() + 14),
            (std::vector<std::uint8_t>{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96}));
  EXPECT_EQ(EventsOf(data, &end), (std::vector<Seen>{
                                      {0, 0xFF, {0x51, 0x03, 0x07, 0xA1, 0x20}},
                                      {0, 0xC2, {0x05}},
                                      {96, 0x90, {0x3C, 0x40}},
                                      {96, 0x91, {0x40, 0x40}},
                                      {96, 0x92, {0x43, 0x40}},
                                      {112, 0x81, {0x40, 0x00}},
                                  }));
  EXPECT_EQ(end, 144u) << "one end of track at the latest time of all tracks";
}

TEST_F(SmfTest, RunningStatusRepeatsTheLastChannelStatus) {
  const std::vector<std::uint8_t> data =
      Convert(SmfFile(0, 96, {Track({0x00, 0x90, 0x3C, 0x40, 0x10, 0x3E, 0x40, 0x00, 0xC0, 0x01, 0x00, 0x02})}));
  EXPECT_EQ(EventsOf(data), (std::vector<Seen>{{0, 0x90, {0x3C, 0x40}},
                                               {16, 0x90, {0x3E, 0x40}},
                                               {16, 0xC0, {0x01}},
                                               {16, 0xC0, {0x02}}}));
}

TEST_F(SmfTest, RunningStatusAfterAMetaEventEndsTheTrack) {
  const std::vector<std::uint8_t> data =
      Convert(SmfFile(0, 96, {Track({0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x01, 0x01, 'x', 0x10, 0x3E, 0x40})}));
  EXPECT_EQ(EventsOf(data).size(), 2u) << "the note and the text; the stray data byte ends the track";
}

TEST_F(SmfTest, PlayTimeFollowsTheTempo) {
  double seconds = 0;
  // 96 ticks at the default tempo (0.5 s), then a tempo of 0.25 s per beat for 96 ticks.
  Convert(SmfFile(0, 96, {Track({0x60, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90, 0x60, 0xFF, 0x2F, 0x00})}), &seconds);
  EXPECT_NEAR(seconds, 0.75, 1e-9);
}

TEST_F(SmfTest, ChunkLengthsBoundTracksAndOtherChunksAreSkipped) {
  Bytes file;
  file.Raw(SmfHeader(1, 2, 96));
  file.Text("XFIH").Be(3, 4).Raw({1, 2, 3});                  // an unknown chunk
  file.Text("MTrk").Be(4, 4).Raw({0x00, 0x90, 0x3C, 0x40});  // no end of track
  file.Raw(Track({0x05, 0x80, 0x3C, 0x00}));
  const std::vector<std::uint8_t> data = Convert(file.Get());
  EXPECT_EQ(EventsOf(data), (std::vector<Seen>{{0, 0x90, {0x3C, 0x40}}, {5, 0x80, {0x3C, 0x00}}}));
}

TEST_F(SmfTest, RefusedHeadersSayWhyInTheLog) {
  const auto refusal = [&](std::vector<std::uint8_t> file) {
    InitDebugLog(1, folder_ / "EC_Game.txt");
    std::filesystem::remove(folder_ / "EC_Game.txt");
    EXPECT_TRUE(Convert(file).empty());
    return DebugLogText();
  };
  std::vector<std::uint8_t> file = SmfFile(0, 96, {Track({})});
  file[0] = 'X';
  EXPECT_EQ(refusal(file), "Midi bgm\\t.mid Init 標準MIDIでない(4)\n");
  file = SmfFile(0, 96, {Track({})});
  file[7] = 7;
  EXPECT_EQ(refusal(file), "Midi bgm\\t.mid Init 標準MIDIでない(6)\n");
  EXPECT_EQ(refusal(SmfFile(0, 0, {Track({})})), "Midi bgm\\t.mid Init 標準MIDIでない(6)\n") << "division 0";
  EXPECT_EQ(refusal(SmfFile(2, 96, {Track({})})), "Midi bgm\\t.mid Init 対応フォーマットが2でない\n");
  EXPECT_EQ(refusal(SmfFile(3, 96, {Track({})})), "Midi bgm\\t.mid Init 対応フォーマットが0または1でない\n");
  EXPECT_EQ(refusal(SmfHeader(0, 1, 96)), "Midi bgm\\t.mid Init 標準MIDIでない(4)\n") << "no track chunk";
  EXPECT_EQ(refusal({}), "Midi bgm\\t.mid Init 標準MIDIでない(4)\n");
}

TEST_F(SmfTest, DeltasTooLargeForFourBytesAreSpreadOverEmptyEvents) {
  // Two tracks: a note at 0 and one at 0x0FFFFFFF + 0x0FFFFFFF + 5 ticks.
  Bytes far;
  far.Raw({0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00}).Raw({0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00});
  far.Raw({0x05, 0x90, 0x3C, 0x40});
  const std::vector<std::uint8_t> data =
      Convert(SmfFile(1, 96, {Track({0x00, 0x90, 0x30, 0x40}), Track(far.Get())}));
  const std::vector<Seen> seen = EventsOf(data);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), (Seen{0x1FFFFFFEull + 5, 0x90, {0x3C, 0x40}}));
}

// Stream records: the 12-byte layout of the MIDI stream device.
std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}

TEST_F(SmfTest, StreamRecordsCarryTempoSystemExclusiveAndTheEndOfTrack) {
  const std::vector<std::uint8_t> data = Convert(SmfFile(
      0, 96,
      {Track({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x08, 0xFF,
              0x03, 0x01, 'n', 0x02, 0x90, 0x3C, 0x40, 0x10, 0xFF, 0x2F, 0x00})}));
  std::vector<std::uint8_t> buffer(100);
  std::size_t position = 22;
  std::uint32_t carried = 0;
  const StreamFill fill = ConvertEvents(data, position, data.size(), carried, buffer);
  EXPECT_TRUE(fill.endOfTrack);
  EXPECT_EQ(position, data.size());
  ASSERT_EQ(fill.used, 12u + 20u + 12u + 12u);
  EXPECT_EQ(U32At(buffer, 8), platform::MEVT_TEMPO | 500000u);
  EXPECT_EQ(U32At(buffer, 12 + 8), platform::MEVT_F_LONG | 6u);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin() + 24, buffer.begin() + 32),
            (std::vector<std::uint8_t>{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0, 0}))
      << "status byte in front, padded with zeros";
  EXPECT_EQ(U32At(buffer, 32), 10u) << "the skipped text event's 8 ticks go to the note";
  EXPECT_EQ(U32At(buffer, 32 + 8), 0x00403C90u);
  EXPECT_EQ(U32At(buffer, 44), 16u);
  EXPECT_EQ(U32At(buffer, 44 + 8), platform::MEVT_F_CALLBACK | platform::kMidiEndOfTrack);
}

TEST_F(SmfTest, ALongTrackIsCutIntoFullBuffersWithoutLosingEvents) {
  Bytes events;
  constexpr int kNotes = 3000;
  for (int i = 0; i < kNotes; ++i) events.Raw({0x01, 0x90, std::uint8_t(i % 128), 0x40});
  const std::vector<std::uint8_t> data = Convert(SmfFile(0, 96, {Track(events.Get())}));
  std::vector<std::uint8_t> buffer(24000);
  std::size_t position = 22;
  std::uint32_t carried = 0;
  int records = 0;
  int buffers = 0;
  StreamFill fill;
  do {
    fill = ConvertEvents(data, position, data.size(), carried, buffer);
    ++buffers;
    records += int(fill.used / 12);
    for (std::size_t at = 0; at < fill.used; at += 12) {
      const bool last = at + 12 == fill.used;
      EXPECT_EQ((U32At(buffer, at + 8) & platform::MEVT_F_CALLBACK) != 0, last) << "buffer " << buffers;
    }
  } while (!fill.endOfTrack && buffers < 10);
  EXPECT_EQ(buffers, 2);
  EXPECT_EQ(records, kNotes + 1);
}

}  // namespace
