#include "platform/sdl/wayland_client.h"

#include <dlfcn.h>
#include <wayland-client-core.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

namespace platform::sdl {
namespace {

struct WaylandLibrary {
  decltype(&wl_display_connect) connect;
  decltype(&wl_display_disconnect) disconnect;
  decltype(&wl_display_roundtrip) roundtrip;
  decltype(&wl_display_get_error) getError;
  decltype(&wl_display_get_fd) getFd;
};

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(::dlsym(library, name));
  return function != nullptr;
}

// Loaded once; the handle keeps the library loaded for the rest of the
// process, as SDL's driver does.
const WaylandLibrary* Wayland() {
  static const std::optional<WaylandLibrary> library = []() -> std::optional<WaylandLibrary> {
    void* handle = ::dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_LOCAL);
    WaylandLibrary w{};
    if (handle && Find(handle, "wl_display_connect", w.connect) &&
        Find(handle, "wl_display_disconnect", w.disconnect) &&
        Find(handle, "wl_display_roundtrip", w.roundtrip) &&
        Find(handle, "wl_display_get_error", w.getError) && Find(handle, "wl_display_get_fd", w.getFd))
      return w;
    return std::nullopt;
  }();
  return library ? &*library : nullptr;
}

bool NonEmpty(const char* value) { return value && *value; }

}  // namespace

int WaylandConnectionError(wl_display* display) {
  const WaylandLibrary* wayland = Wayland();
  return wayland ? wayland->getError(display) : 0;
}

std::string WaylandDisplayName() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  return NonEmpty(name) ? name : "wayland-0";
}

CompositorConnection::CompositorConnection() {
  const WaylandLibrary* wayland = Wayland();
  if (!wayland || NonEmpty(std::getenv("WAYLAND_SOCKET"))) return;
  errno = 0;
  display_ = wayland->connect(nullptr);
  if (display_)
    state_ = State::Open;
  else if (errno == ECONNREFUSED || errno == ENOENT)
    state_ = State::Refused;
}

CompositorConnection::~CompositorConnection() {
  if (display_) Wayland()->disconnect(display_);
}

bool CompositorConnection::Answers() { return Wayland()->roundtrip(display_) >= 0; }

int CompositorConnection::Descriptor() const { return Wayland()->getFd(display_); }

}  // namespace platform::sdl
