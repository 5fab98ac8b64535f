#pragma once
// The Wayland client library that SDL's Wayland driver talks through, looked
// up at run time (the player does not link it), and connections of the
// player's own to the compositor that driver reaches. Such a connection asks
// nothing of the compositor but whether it answers: it only tells whether
// the compositor is still there, where SDL's own connection cannot be
// reached (no window of SDL's holds it yet) or is not being read (SDL waits
// inside a call).

#include <string>

struct wl_display;

namespace platform::sdl {

// The error that ended a connection of SDL's (0 while it lives, and where
// the library cannot be found).
int WaylandConnectionError(wl_display* display);

// The compositor's name as WAYLAND_DISPLAY gives it ("wayland-0" without one).
std::string WaylandDisplayName();

class CompositorConnection {
 public:
  enum class State {
    // Not known: the compositor was handed to SDL's driver as an open
    // socket (WAYLAND_SOCKET), which no one can connect to again, the
    // library cannot be found, or the connection failed for a reason of the
    // player's own (no descriptor was free).
    Unknown,
    // Nothing listens where the compositor listened.
    Refused,
    Open,
  };

  // Connects where SDL's driver connects (WAYLAND_DISPLAY, in
  // XDG_RUNTIME_DIR unless it is a path).
  CompositorConnection();
  ~CompositorConnection();
  CompositorConnection(const CompositorConnection&) = delete;
  CompositorConnection& operator=(const CompositorConnection&) = delete;

  State Connection() const { return state_; }
  // Waits for the compositor's answer, as long as it takes: false when the
  // compositor ended instead of answering. Open only.
  bool Answers();
  // The connection's descriptor, which hangs up once the compositor has
  // ended. Open only.
  int Descriptor() const;

 private:
  wl_display* display_ = nullptr;
  State state_ = State::Unknown;
};

}  // namespace platform::sdl
