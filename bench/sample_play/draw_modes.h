#pragma once
// The three drawing modes a player can start in (DirectDraw at 8 and at 32
// bits, Direct3D), as the sample game's System.ini sets them, with the size
// of a pixel of the back buffer.

#include "tools/sample_game/project_files.h"

struct DrawMode {
  const char* name;
  sample_game::StartupSettings startup;
  int bytesPerPixel;
};
inline constexpr DrawMode kDrawModes[] = {
    {"DirectDraw8", {0, 0, 8}, 1}, {"DirectDraw32", {0, 1, 32}, 4}, {"Direct3D", {1, 1, 32}, 4}};
