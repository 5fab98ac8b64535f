// The stage drawing's reference frames (tools/draw_frames: each screen
// effect and character effect at its first and last frame and the plain
// frame after, forward, backward and there and back, scaled characters and
// tints, the screen colour at alpha 255, 0 and blinking, point effects
// scaled and not) keep the pixels that were looked at as PNGs, in each
// drawing mode, the 8-bit blur's showing its count. A row's checksum covers
// its frames in order. When a change to the drawing is meant, look at the
// tool's PNGs again and pin the listing this test prints.
#include <gtest/gtest.h>

#include <array>
#include <cinttypes>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "graphics/device/device.h"
#include "graphics/images/palette.h"
#include "graphics/surfaces/surface_lock.h"
#include "project/global_data.h"
#include "tests/stage/draw/reference_frame_checksums.h"
#include "tools/draw_frames/draw_frames.h"

namespace {

using ModeSums = std::array<std::uint64_t, draw_frames::kDrawModes.size()>;

// "screen3_back_last" belongs to row "screen3_back".
std::string RowOf(const std::string& frame) { return frame.substr(0, frame.rfind('_')); }

std::uint64_t Combine(std::uint64_t row, std::uint64_t frame) {
  return (row ^ frame) * 1099511628211ULL + (row >> 29);
}

// The frames need the project data; a test run may have started it already.
class ReferenceFrames : public testing::Test {
 protected:
  void SetUp() override {
    m_started = !g_Database.IsStarted();
    if (m_started) StartProjectData();
  }
  void TearDown() override {
    if (m_started) StopProjectData();
  }

 private:
  bool m_started = false;
};

TEST_F(ReferenceFrames, KeepThePixelsThatWereLookedAt) {
  std::vector<std::string> order;
  std::map<std::string, ModeSums> rows;
  for (std::size_t mode = 0; mode < draw_frames::kDrawModes.size(); ++mode) {
    ASSERT_TRUE(draw_frames::RunFrames(draw_frames::kDrawModes[mode], [&](const std::string& frame) {
      const std::string row = RowOf(frame);
      if (rows.find(row) == rows.end()) order.push_back(row);
      rows[row][mode] = Combine(rows[row][mode], draw_frames::BackBufferChecksum());
    }));
  }

  std::map<std::string, ModeSums> pinned;
  for (const PinnedFrames& row : kPinnedFrames) pinned[row.name] = {row.dd8, row.dd32, row.d3d};
  int differing = 0;
  for (const std::string& row : order) {
    const auto it = pinned.find(row);
    if (it == pinned.end() || it->second != rows[row]) {
      ++differing;
      ADD_FAILURE() << "frames " << row << " differ from the pinned ones";
    }
  }
  EXPECT_EQ(rows.size(), pinned.size()) << "rows were added or taken away";
  if (differing == 0 && rows.size() == pinned.size()) return;
  std::printf("The frames now (tests/stage/draw/reference_frame_checksums.h):\n");
  for (const std::string& row : order) {
    const ModeSums& sums = rows[row];
    std::printf("    {\"%s\", 0x%016" PRIx64 "u, 0x%016" PRIx64 "u, 0x%016" PRIx64 "u},\n", row.c_str(), sums[0], sums[1],
                sums[2]);
  }
}

// The 8-bit screen as palette numbers, row by row.
std::vector<std::uint8_t> ScreenNumbers() {
  std::vector<std::uint8_t> numbers;
  cSurfaceLock lock;
  if (!lock.Lock(&BackBuffer)) return numbers;
  for (int y = 0; y < BackBuffer.nHeight; ++y)
    numbers.insert(numbers.end(), lock.Row8(y), lock.Row8(y) + BackBuffer.nWidth);
  return numbers;
}

int ColourDistance(const PALETTEENTRY& a, const PALETTEENTRY& b) {
  const int r = a.peRed - b.peRed, g = a.peGreen - b.peGreen, bl = a.peBlue - b.peBlue;
  return r * r + g * g + bl * bl;
}

// Palette numbers have no mean, so the 8-bit blur pulls the character toward
// colour 31 by the effect's count: its frames differ between the effect's
// start (count 0 draws nothing) and end (count 4), where the character has
// come nearer colour 31, no dot of it farther than the plain character's
// (colour 30 stays: the mean of it and 31 is as near to either).
TEST_F(ReferenceFrames, BlurAtEightBitsPullsTheCharacterTowardColour31) {
  std::map<std::string, std::vector<std::uint8_t>> frames;
  PaletteArray palette{};
  ASSERT_TRUE(draw_frames::RunFrames(draw_frames::kDrawModes[0], [&](const std::string& frame) {
    if (frame.rfind("chara16_", 0) != 0) return;
    frames[frame] = ScreenNumbers();
    palette = g_PalEntries;
  }));
  for (const char* row : {"chara16_forward", "chara16_back"}) {
    const std::string name = row;
    ASSERT_EQ(frames.count(name + "_first") + frames.count(name + "_last"), 2u) << row;
    EXPECT_NE(frames[name + "_first"], frames[name + "_last"]) << row;
  }
  const std::vector<std::uint8_t>& start = frames["chara16_forward_first"];
  const std::vector<std::uint8_t>& pulled = frames["chara16_forward_last"];
  const std::vector<std::uint8_t>& plain = frames["chara16_forward_after"];
  ASSERT_EQ(plain.size(), pulled.size());
  ASSERT_EQ(plain.size(), start.size());
  const PALETTEENTRY& target = palette[31];
  long plainDistance = 0, pulledDistance = 0;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (plain[i] == start[i]) continue;  // not a dot of the character
    plainDistance += ColourDistance(palette[plain[i]], target);
    pulledDistance += ColourDistance(palette[pulled[i]], target);
    ASSERT_LE(ColourDistance(palette[pulled[i]], target), ColourDistance(palette[plain[i]], target))
        << "dot " << i << ": " << int{plain[i]} << " -> " << int{pulled[i]};
  }
  EXPECT_LT(pulledDistance, plainDistance);
}

}  // namespace
