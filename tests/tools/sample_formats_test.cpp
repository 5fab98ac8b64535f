// The file formats the generator writes, checked byte by byte where a reader
// would trip: BMP rows and colour tables, wave chunks, MIDI tracks, Ogg pages.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "tools/sample_game/bmp_file.h"
#include "tools/sample_game/ogg_file.h"
#include "tools/sample_game/pixel_font.h"
#include "tools/sample_game/sample_game.h"
#include "tools/sample_game/song.h"
#include "tools/sample_game/wave_file.h"

namespace {

using namespace sample_game;

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t BigU32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

TEST(SampleFormats, BmpRowsArePaddedBottomUpWithTheWholePalette) {
  IndexedImage image(3, 2);
  image.Set(0, 0, 7);  // top-left
  image.Set(2, 1, 9);  // bottom-right
  const auto bmp = EncodeBmp8(image, SamplePalette());
  ASSERT_EQ(bmp.size(), 14u + 40 + 1024 + 2 * 4);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(U32(bmp, 10), 14u + 40 + 1024);
  EXPECT_EQ(bmp[28], 8);  // bits per pixel
  const Rgb& key = SamplePalette()[0];
  EXPECT_EQ(bmp[54], key.b);  // colour table entries are blue, green, red, 0
  EXPECT_EQ(bmp[56], key.r);
  const std::size_t pixels = 14 + 40 + 1024;
  EXPECT_EQ(bmp[pixels + 2], 9);      // first stored row is the bottom one
  EXPECT_EQ(bmp[pixels + 4 + 0], 7);  // second stored row (after one pad byte) is the top
  EXPECT_EQ(bmp[pixels + 3], 0);      // padding
}

TEST(SampleFormats, WaveHasPcmFormatAndConsistentSizes) {
  const Samples samples = Render({{Wave::Square, 440, 440, 10, 50, 50}});
  ASSERT_EQ(samples.size(), static_cast<std::size_t>(kSampleRate / 100));
  const auto wav = EncodeWav(samples);
  EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
  EXPECT_EQ(U32(wav, 4), wav.size() - 8);
  EXPECT_EQ(U32(wav, 16), 16u);  // a format chunk the sound layer accepts (at most 18 bytes)
  EXPECT_EQ(wav[20], 1);         // PCM
  EXPECT_EQ(U32(wav, 24), static_cast<std::uint32_t>(kSampleRate));
  EXPECT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
  EXPECT_EQ(U32(wav, 40), samples.size() * 2);
}

TEST(SampleFormats, SynthesisStaysInRangeAndSilenceIsSilent) {
  Samples mix(10, 30000);
  MixInto(mix, Samples(10, 30000), 5);
  EXPECT_EQ(mix[9], 32767);  // clipped, not wrapped
  EXPECT_EQ(mix.size(), 15u);
  for (std::int16_t s : Render({{Wave::Noise, 3000, 3000, 20, 0, 0}})) ASSERT_EQ(s, 0);
  EXPECT_EQ(KeyHz(69), 440);
  EXPECT_EQ(KeyHz(57), 220);
  EXPECT_EQ(KeyHz(60), 262);
}

// Walks the tracks the way an SMF reader does: chunk by chunk, event by event.
TEST(SampleFormats, MidiTracksEndWithEndOfTrackAndMatchTheirLengths) {
  const auto midi = EncodeMidi(SampleTune(), kTitleArrangement);
  ASSERT_EQ(std::memcmp(midi.data(), "MThd", 4), 0);
  EXPECT_EQ(BigU32(midi, 4), 6u);
  EXPECT_EQ(midi[9], 1);   // format 1
  EXPECT_EQ(midi[11], 4);  // tracks
  std::size_t at = 14;
  int notesOn = 0, tracks = 0;
  while (at < midi.size()) {
    ASSERT_EQ(std::memcmp(midi.data() + at, "MTrk", 4), 0);
    const std::size_t end = at + 8 + BigU32(midi, at + 4);
    ASSERT_LE(end, midi.size());
    ASSERT_EQ(midi[end - 3], 0xFF);
    ASSERT_EQ(midi[end - 2], 0x2F);
    for (std::size_t p = at + 8; p < end - 3; ++p) notesOn += (midi[p] & 0xF0) == 0x90;
    at = end;
    ++tracks;
  }
  EXPECT_EQ(tracks, 4);
  EXPECT_GT(notesOn, static_cast<int>(SampleTune().melody.size()));
}

TEST(SampleFormats, OggIsAVorbisStreamThatEnds) {
  const auto ogg = EncodeOgg(Render({{Wave::Triangle, 440, 880, 300, 60, 0}}));
  ASSERT_GT(ogg.size(), 100u);
  EXPECT_EQ(std::memcmp(ogg.data(), "OggS", 4), 0);
  EXPECT_EQ(std::memcmp(ogg.data() + 29, "vorbis", 6), 0);  // identification header of the first page
  // The last page carries the end-of-stream flag.
  std::size_t last = 0;
  for (std::size_t p = 0; p + 4 <= ogg.size(); ++p)
    if (std::memcmp(ogg.data() + p, "OggS", 4) == 0) last = p;
  EXPECT_TRUE(ogg[last + 5] & 4);
}

TEST(SampleFormats, PaletteColoursAreAllDifferentAndVariantsKeepTheRest) {
  const Palette& base = SamplePalette();
  std::set<std::tuple<int, int, int>> colours;
  for (const Rgb& c : base) colours.insert({c.r, c.g, c.b});
  EXPECT_EQ(colours.size(), 256u);
  EXPECT_EQ(PaletteVariant(0), base);
  const Palette rotated = PaletteVariant(1);
  EXPECT_EQ(rotated[kRampFirst + kRampLength], base[kRampFirst]);        // ramp 0 moved one row up
  EXPECT_EQ(rotated[kRampFirst], base[kRampFirst + 11 * kRampLength]);  // the last ramp wrapped
  const Palette single = PaletteVariant(12);
  EXPECT_EQ(single[kRampFirst + 5 * kRampLength + 3], base[kRampFirst + 3]);
  for (int i : {0, 1, 15, 208, 241, 255}) EXPECT_EQ(rotated[i], base[i]);
}

TEST(SampleFormats, BlendTableMixesColoursSymmetrically) {
  const auto table = BlendTable(SamplePalette());
  ASSERT_EQ(table.size(), 65536u);
  for (int a = 1; a < 256; ++a) ASSERT_EQ(table[a * 256 + a], a) << a;  // a colour mixed with itself
  EXPECT_EQ(table[0], 0);
  for (int a = 0; a < 256; a += 17)
    for (int b = 0; b < 256; b += 5) ASSERT_EQ(table[a * 256 + b], table[b * 256 + a]);
  // Black and white mix to a middle grey of the palette, never to the transparent colour.
  const int grey = table[pal::kBlack * 256 + pal::kWhite];
  EXPECT_NE(grey, 0);
  EXPECT_NEAR(SamplePalette()[grey].r, 128, 12);
}

TEST(SampleFormats, FontDrawsEveryPrintableCharacterInItsBox) {
  for (char c = '!'; c <= '~'; ++c) {
    int ink = 0;
    for (int y = 0; y < kGlyphHeight; ++y)
      for (int x = 0; x < kGlyphWidth; ++x) ink += GlyphDot(c, x, y);
    EXPECT_GT(ink, 0) << c;
  }
  EXPECT_FALSE(GlyphDot(' ', 2, 3));
  EXPECT_FALSE(GlyphDot('A', 5, 0));
  IndexedImage image(20, 10);
  EXPECT_EQ(DrawText(image, 1, 1, "Hi", TextStyle{9, 0, 1}), 13);
  EXPECT_EQ(image.At(1, 1), 9);  // top-left dot of 'H'
  EXPECT_EQ(TextWidth("Hi", 2), 22);
}

TEST(SampleFormats, TheSameOptionsWriteTheSameBytes) {
  const auto first = SampleGameFiles();
  const auto second = SampleGameFiles();
  ASSERT_EQ(first.size(), second.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].path, second[i].path);
    EXPECT_TRUE(first[i].bytes == second[i].bytes) << first[i].path;
  }
  std::set<std::string> paths;
  for (const auto& file : first) EXPECT_TRUE(paths.insert(file.path).second) << "written twice: " << file.path;
}

}  // namespace
