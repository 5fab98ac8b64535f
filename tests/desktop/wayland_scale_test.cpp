// The player on a HiDPI Wayland desktop: a compositor at scale 2, as laptops
// are usually set. The picture is drawn at the desktop's own resolution,
// each of the game's pixels a 2x2 block of one colour, rather than drawn at
// half that and blurred by the compositor's scaling.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/desktop/wayland_fixture.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

constexpr int kScale = 2;

// The 2x2 blocks of the picture (from its corner) that are not one colour.
int BlocksNotOneColour(const ScreenPixels& picture) {
  int mixed = 0;
  for (int y = 0; y + 1 < picture.height; y += kScale)
    for (int x = 0; x + 1 < picture.width; x += kScale) {
      const std::uint32_t colour = picture.At(x, y);
      if (picture.At(x + 1, y) != colour || picture.At(x, y + 1) != colour ||
          picture.At(x + 1, y + 1) != colour)
        ++mixed;
    }
  return mixed;
}

using AHiDpiWaylandDesktop = WaylandDesktopFixture;

// The compositor's output is as large as the player's window, which it puts
// at its corner: its window on the X server shows the picture alone.
TEST_F(AHiDpiWaylandDesktop, ShowsEachPixelOfTheGameAsABlockOfOneColour) {
  if (!WestonSession::Installed()) GTEST_SKIP() << WestonSession::kMissing;
  const sample_game::StartupSettings startup{1, 1, 32};
  const GameFrame title = HeadlessTitleFrames(startup).title;
  // Room for weston's window, twice the picture's size, and its frame.
  ASSERT_TRUE(StartWaylandDesktop({title.width, title.height, kScale}, startup, 1400, 1100));
  SpawnedProgram& player = StartPlayerOnWeston();
  std::optional<XWindowId> output;
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    output = X().WindowTitled(WestonSession::WindowTitle());
    return output.has_value();
  })) << "weston's window did not come";
  ScreenPixels picture;
  const bool shown = WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    const std::optional<ScreenRect> inner = X().InnerRect(*output);
    picture = inner ? X().Capture(*inner) : ScreenPixels{};
    return Shows(picture, title) || player.EndsWithin(0);
  });
  EXPECT_TRUE(shown && !player.EndsWithin(0))
      << PixelsNotShown(picture, title) << " of the title's pixels are not shown: " << player.Stderr();
  ASSERT_EQ(picture.width, title.width * kScale);
  ASSERT_EQ(picture.height, title.height * kScale);
  EXPECT_EQ(BlocksNotOneColour(picture), 0) << "of " << title.width * title.height << " blocks";
}

}  // namespace
}  // namespace desktop_test
