#include "platform/sdl/display_loss.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/display_loss.h"
#include "platform/main_thread.h"
#include "platform/sdl/own_window.h"
#include "platform/sdl/window.h"

namespace platform::sdl {
namespace {

// The player's own process. A question's process that SDL forks off
// inherits the handler with a connection of its own: losing it, that one
// ends without a word, and the player says it once, as it finds its own
// connection lost.
std::atomic<pid_t> g_watchingProcess{0};

int OnXConnectionLost(Display* display) {
  if (::getpid() != g_watchingProcess.load()) ::_exit(1);
  EndForLostDisplay(DisplayString(display));
}

using WaylandErrorOfDisplay = int (*)(wl_display*);

// From the client library that SDL's Wayland driver loaded; the handle taken
// here keeps it loaded for the rest of the process.
WaylandErrorOfDisplay WaylandError() {
  static const WaylandErrorOfDisplay function = [] {
    void* library = ::dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_NOLOAD);
    return library ? reinterpret_cast<WaylandErrorOfDisplay>(::dlsym(library, "wl_display_get_error")) : nullptr;
  }();
  return function;
}

std::string WaylandDisplayName() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  return name && *name ? name : "wayland-0";
}

// Any protocol or connection error ends a Wayland connection for good.
void EndIfWaylandConnectionLost() {
  SDL_Window* window = MainSdlWindow() ? MainSdlWindow() : OwnSdlWindow();
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND) return;
  if (const WaylandErrorOfDisplay error = WaylandError(); error && error(info.info.wl.display) != 0)
    EndForLostDisplay(WaylandDisplayName());
}

}  // namespace

void WatchDisplayConnection() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) return;
  ::signal(SIGPIPE, SIG_IGN);
  if (SDL_strcasecmp(driver, "x11") == 0) {
    g_watchingProcess.store(::getpid());
    XSetIOErrorHandler(OnXConnectionLost);
  } else if (SDL_strcasecmp(driver, "wayland") == 0) {
    static std::once_flag taskAdded;
    std::call_once(taskAdded, [] { AddMainLoopTask(EndIfWaylandConnectionLost); });
  }
}

}  // namespace platform::sdl
