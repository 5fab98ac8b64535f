#pragma once
// Whether a part of the screen shows a game frame as the player's presenter
// shows it: scaled with nearest sampling into the largest rectangle of the
// frame's shape that fits, centred (platform/sdl/picture_fit.h).

#include <cstdint>
#include <vector>

#include "tests/desktop/x_display.h"

namespace desktop_test {

// A frame the player drew, 0x00RRGGBB row after row.
struct GameFrame {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  // The part held to the screen, in the frame's pixels (the whole frame when
  // empty): a box's leaves out the picture around it, the game's own.
  ScreenRect part;
};

// The pixels of the frame's part that the area does not show: each is
// looked for at the middle of the screen pixels it covers, which no rounding
// of the scaling moves to a neighbour's. All of them when the area is empty.
int PixelsNotShown(const ScreenPixels& area, const GameFrame& frame);

// Few enough differing pixels for the area to show the frame: room for a
// blinking cursor or a tick of an animation, none for another screen.
bool Shows(const ScreenPixels& area, const GameFrame& frame);

}  // namespace desktop_test
