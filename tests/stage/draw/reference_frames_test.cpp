// The stage drawing's reference frames (tools/draw_frames: each screen
// effect and character effect at its first and last frame and the plain
// frame after, forward, backward and there and back, scaled characters and
// tints, the screen colour at alpha 255, 0 and blinking, point effects
// scaled and not) keep the pixels that were looked at as PNGs, in each
// drawing mode. A row's checksum covers its frames in order. When a change
// to the drawing is meant, look at the tool's PNGs again and pin the
// listing this test prints.
#include <gtest/gtest.h>

#include <array>
#include <cinttypes>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

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

TEST(ReferenceFrames, KeepThePixelsThatWereLookedAt) {
  const bool started = !g_Database.IsStarted();
  if (started) StartProjectData();
  std::vector<std::string> order;
  std::map<std::string, ModeSums> rows;
  for (std::size_t mode = 0; mode < draw_frames::kDrawModes.size(); ++mode) {
    ASSERT_TRUE(draw_frames::RunFrames(draw_frames::kDrawModes[mode], [&](const std::string& frame) {
      const std::string row = RowOf(frame);
      if (rows.find(row) == rows.end()) order.push_back(row);
      rows[row][mode] = Combine(rows[row][mode], draw_frames::BackBufferChecksum());
    }));
  }
  if (started) StopProjectData();

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

}  // namespace
