#pragma once
// Watches the connection to the display that SDL's video part talks to, and
// ends the player once it is lost (platform/display_loss.h). Xlib finds the
// loss inside one of its calls and hands it to its I/O error handler, whose
// default ends the process through exit(), running the static objects'
// destructors beside the game's threads. A Wayland connection that ends is
// said by nothing (SDL's events then come back at once, for ever), so its
// error is looked at in every pass of the main thread's loops. A server that
// ends between a client's poll and its write (or a forwarded link that stops
// taking) makes the write raise SIGPIPE, whose default would end the player
// unseen and without a word: it is ignored, the write fails, and Xlib finds
// the loss as it does a closed connection.

namespace platform::sdl {

// Main thread, each time SDL's video part has started.
void WatchDisplayConnection();

}  // namespace platform::sdl
