#pragma once
// SDL's video part: started the one way every window of the program needs
// it, and whether the driver it started shows anything at all.

#include <string_view>

namespace platform::sdl {

// Starts (or counts one more user of) SDL's video part; false when it
// cannot start. Termination signals stay the shell's (a quiet close): SDL
// puts no handlers of its own in their place. A display connection lost
// from the start on ends the player (platform/sdl/display_loss.h).
bool StartVideoSubsystem();

// Driver names as SDL takes them: in any case.
bool SameDriverName(std::string_view a, std::string_view b);

// The drivers that open windows nobody can see: SDL falls back to them when
// no display answers, and scripts and CI choose them.
bool DriverShowsNothing(std::string_view driver);

// The driver SDL started (however SDL_VIDEODRIVER spells it, or SDL's own
// choice) is such a driver: no window of the player can be seen. Before
// the first start, the main thread starts the video part once to learn it;
// a video part that cannot start shows nothing either way, and is not
// counted as such a driver.
bool VideoDriverInUseShowsNothing();

}  // namespace platform::sdl
