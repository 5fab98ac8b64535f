#pragma once
// Watches the connection to the display that SDL's video part talks to, and
// ends the player once it is lost (platform/display_loss.h). Xlib finds the
// loss inside one of its calls and hands it to its I/O error handler, whose
// default ends the process through exit(), running the static objects'
// destructors beside the game's threads. A Wayland connection that ends is
// said by nothing (SDL's events then come back at once, for ever), so its
// error is looked at in every pass of the main thread's loops, and while a
// window of the player is on it, a watch also sees the compositor end while
// SDL waits inside a call (platform/sdl/display_loss_watch.h). A server
// that ends between a client's poll and its write (or a forwarded link that
// stops taking) makes the write raise SIGPIPE, whose default would end the
// player unseen and without a word: it is ignored, the write fails, and
// Xlib finds the loss as it does a closed connection.

#include <string_view>

namespace platform::sdl {

// Main thread, just before SDL's video part starts, given the driver it
// tries first: a display that stops answering and goes away while SDL
// starts on it ends the player as one that goes away later. Xlib's handler
// is in place before SDL opens the display. SDL's Wayland driver reads on
// after a failed exchange with the compositor as if it had answered, and
// fails on what never came: the compositor is asked once whether it
// answers before SDL's driver talks to it.
void WatchDisplayAsVideoStarts(std::string_view driverTriedFirst);

// Main thread, each time SDL's video part has started.
void WatchDisplayConnection();

}  // namespace platform::sdl
