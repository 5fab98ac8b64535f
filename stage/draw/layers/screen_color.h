#pragma once
// The screen colour: the whole stage picture tinted toward a colour and back
// (command "画面の色を変更"), once, held, or blinking a number of times.
// The advance half computes this frame's alpha (255 shows the picture
// unchanged, 0 the full colour) and moves the counters; the pixel half
// applies the alpha it finds.

#include <array>
#include <cstdint>

struct ScreenColorState {
  std::int32_t started = 0;
  std::uint8_t red = 0, green = 0, blue = 0;
  std::int32_t strength = 0;  // percent
  std::int32_t mode = 0;      // 0 change to the colour, 1 return to the previous one
  std::int32_t time = 0;      // frames
  std::int32_t blink = 0;
  std::int32_t repeat = 0;
  std::int32_t active = 0;
  std::int32_t counter = 0;
  std::int32_t repeatCounter = 0;
  std::int32_t alpha = 0;
  std::uint8_t prevRed = 0, prevGreen = 0, prevBlue = 0;
  std::int32_t prevStrength = 0;
  std::int32_t prevAlpha = 0;
  std::int32_t shown = 0;  // the pixels of this frame apply the colour
};

// How the colour reaches the screen: palette fade (DirectDraw 8 bits), blend
// (Direct3D), or not at all (other DirectDraw depths do not show it).
enum class ScreenColorPath : int { Palette, Blend, None };
ScreenColorPath CurrentScreenColorPath();

// Parameters in the command's order: red, green, blue, strength, mode, time
// in tenths, blink, repeat count.
void StartScreenColorChange(ScreenColorState& state, const std::array<std::int32_t, 8>& params,
                            ScreenColorPath path);
// A stage's set-up: every value 0, as in a new scene, so no change runs and
// an attempt never starts under the colour the one before it left. (The
// remembered previous alpha is never read before a change overwrites it.)
void ResetScreenColor(ScreenColorState& state);
// One drawn frame; a held frame computes the alpha without moving on. The
// counters run alike in every drawing mode (and without a screen), so the
// simulation never depends on how the colour reaches the screen.
void AdvanceScreenColor(ScreenColorState& state, int held);
