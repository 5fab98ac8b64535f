#pragma once
// SDL's video part: started the one way every window of the program needs
// it, and whether the driver the user chose shows anything at all.

#include <string_view>

namespace platform::sdl {

// Starts (or counts one more user of) SDL's video part; false when it
// cannot start. Termination signals stay the shell's (a quiet close): SDL
// puts no handlers of its own in their place.
bool StartVideoSubsystem();

// The drivers that open windows nobody can see: SDL falls back to them when
// no display answers, and scripts and CI choose them.
bool DriverShowsNothing(std::string_view driver);

// SDL_VIDEODRIVER names only such drivers (SDL tries the drivers of a
// comma-separated list in turn): no window of the player can be seen.
bool ChosenVideoDriverShowsNothing();

}  // namespace platform::sdl
