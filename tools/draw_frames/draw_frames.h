#pragma once
// Reference frames of the stage drawing, made the same way for a person to
// look at (tools/stage_draw_frames.cpp writes PNGs) and for the tests that
// pin their checksums: every screen effect and character effect at its end
// points (first frame, last frame, the plain frame after) forward, backward
// and there and back, scaled characters, the screen colour at alpha 255, 0
// and blinking, and point effects scaled and not. The picture under them
// is drawn by code, so the frames depend on nothing but the drawing; the
// 8-bit palette's blend table is made from the palette and loaded as the
// player loads a game's table.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace draw_frames {

struct DrawMode {
  const char* name;
  int direct3D;
  int bpp;
};
inline constexpr std::array<DrawMode, 3> kDrawModes = {
    {{"dd8", 0, 8}, {"dd32", 0, 32}, {"d3d", 1, 32}}};

// Called with a frame's name while that frame stands in BackBuffer.
using FrameSink = std::function<void(const std::string& name)>;

// Runs every reference frame of one drawing mode (the device is started
// and released here; the project data must be started). Works in a
// temporary folder for the point effect's picture. False when the mode
// cannot be started.
bool RunFrames(const DrawMode& mode, const FrameSink& sink);

// A checksum of BackBuffer's pixels as drawn (palette numbers at 8 bits).
std::uint64_t BackBufferChecksum();

}  // namespace draw_frames
