#pragma once
// Watches the connection to the display that SDL's video part talks to, and
// ends the player once it is lost (platform/display_loss.h). Xlib finds the
// loss inside one of its calls and hands it to its I/O error handler, whose
// default ends the process through exit(), running the static objects'
// destructors beside the game's threads. A Wayland connection that ends is
// said by nothing (SDL's events then come back at once, for ever), so its
// error is looked at in every pass of the main thread's loops.

namespace platform::sdl {

// Main thread, each time SDL's video part has started.
void WatchDisplayConnection();

}  // namespace platform::sdl
