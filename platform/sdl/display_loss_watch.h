#pragma once
// While a window of the player is on a Wayland display, a watch ends the
// player once the compositor has ended (platform/display_loss.h), also while
// the main thread waits inside SDL and never comes back to its loops' look
// at the connection. SDL's driver (and the decorations library it drives)
// wait for the compositor's answer in loops that a dead connection turns
// into a spin for good: making a window, its renderer, showing it. A
// compositor that stops answering and then ends leaves SDL's wait there, and
// a question that waited a while shows on a compositor that has ended
// meanwhile. A lost X11 connection needs no watch: Xlib hands it to the
// player's handler from inside any wait.

#include <memory>
#include <thread>

namespace platform::sdl {

class CompositorConnection;

class DisplayLossWatch {
 public:
  // Main thread, once SDL's video part has started, before the window is
  // made. A compositor that cannot be reached any more ends the player at
  // once.
  DisplayLossWatch();
  ~DisplayLossWatch();
  DisplayLossWatch(const DisplayLossWatch&) = delete;
  DisplayLossWatch& operator=(const DisplayLossWatch&) = delete;

 private:
  std::unique_ptr<CompositorConnection> compositor_;
  // Written to end the watch.
  int stop_ = -1;
  std::thread watcher_;
};

}  // namespace platform::sdl
