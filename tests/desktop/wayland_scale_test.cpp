// The player on a HiDPI Wayland desktop: a compositor at scale 2, as laptops
// are usually set. The picture, and the start-up dialog before it, are drawn
// at the desktop's own resolution, each of their pixels a 2x2 block of one
// colour, rather than drawn at half that and blurred by the compositor's
// scaling.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/desktop/wayland_fixture.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

constexpr int kScale = 2;

// The colour of a dialog's face, which the dialog window fills.
constexpr std::uint32_t kDialogFace = 0xF0F0F0;

struct Area {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The 2x2 blocks of the area of the picture (from the picture's corner) that
// are not one colour.
int BlocksNotOneColour(const ScreenPixels& picture, const Area& area) {
  int mixed = 0;
  for (int y = area.top; y + 1 < area.bottom; y += kScale)
    for (int x = area.left; x + 1 < area.right; x += kScale) {
      const std::uint32_t colour = picture.At(x, y);
      if (picture.At(x + 1, y) != colour || picture.At(x, y + 1) != colour ||
          picture.At(x + 1, y + 1) != colour)
        ++mixed;
    }
  return mixed;
}

int BlocksNotOneColour(const ScreenPixels& picture) {
  return BlocksNotOneColour(picture, {0, 0, picture.width, picture.height});
}

// Where the dialog window shows in the compositor's picture: the blocks of
// its face's colour, from the first to the last (empty while none shows).
Area DialogArea(const ScreenPixels& picture) {
  Area area{picture.width, picture.height, 0, 0};
  for (int y = 0; y < picture.height; y += kScale)
    for (int x = 0; x < picture.width; x += kScale)
      if ((picture.At(x, y) & 0xFFFFFF) == kDialogFace) {
        area = {std::min(area.left, x), std::min(area.top, y), std::max(area.right, x + kScale),
                std::max(area.bottom, y + kScale)};
      }
  return area;
}

using AHiDpiWaylandDesktop = WaylandDesktopFixture;

// The compositor's output is as large as the player's window, which it puts
// at its corner: its window on the X server shows the picture alone. The
// game asks for its drawing mode first, in a dialog window of its own, which
// Enter answers with its default, a DirectDraw window.
TEST_F(AHiDpiWaylandDesktop, ShowsEachPixelOfTheGameAndItsDialogAsABlockOfOneColour) {
  if (!WestonSession::Installed()) GTEST_SKIP() << WestonSession::kMissing;
  const GameFrame title = HeadlessTitleFrames({0, 1, 32}).title;
  // Room for weston's window, twice the picture's size, and its frame.
  ASSERT_TRUE(StartWaylandDesktop({title.width, title.height, kScale}, {2, 1, 32}, 1400, 1100));
  SpawnedProgram& player = StartPlayerOnWeston();
  std::optional<XWindowId> output;
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    output = X().WindowTitled(WestonSession::WindowTitle());
    return output.has_value();
  })) << "weston's window did not come";
  const auto capture = [&] {
    const std::optional<ScreenRect> inner = X().InnerRect(*output);
    return inner ? X().Capture(*inner) : ScreenPixels{};
  };
  // The dialog is seen once the whole of its face is: its face's colour
  // from the top of its frame to below its buttons. On a busy machine the
  // compositor may show it before it has drawn all of it: its blocks are
  // waited for too.
  constexpr int kDialogHeight = 2 * 200;
  ScreenPixels picture;
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    picture = capture();
    const Area dialog = DialogArea(picture);
    return (dialog.bottom - dialog.top >= kDialogHeight && BlocksNotOneColour(picture, dialog) == 0) ||
           player.EndsWithin(0);
  })) << "the drawing-mode dialog did not show whole, each pixel a block: " << player.Stderr();
  EXPECT_EQ(BlocksNotOneColour(picture, DialogArea(picture)), 0) << "in the drawing-mode dialog";
  X().TapKey(XK_Return);
  const bool shown = WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    picture = capture();
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
