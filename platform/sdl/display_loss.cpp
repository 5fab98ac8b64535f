#include "platform/sdl/display_loss.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

#include "platform/display_loss.h"
#include "platform/main_thread.h"
#include "platform/sdl/own_window.h"
#include "platform/sdl/video_start.h"
#include "platform/sdl/wayland_client.h"
#include "platform/sdl/window.h"

namespace platform::sdl {
namespace {

// The player's own process. A question's process that SDL forks off
// inherits the handler with a connection of its own: losing it, that one
// ends without a word, and the player says it once, as it finds its own
// connection lost.
std::atomic<pid_t> g_watchingProcess{0};
// SDL's Wayland driver has reached the compositor in this process: one that
// refuses a connection later (its socket is gone, or nothing listens there)
// has ended.
std::atomic<bool> g_compositorReached{false};

int OnXConnectionLost(Display* display) {
  if (::getpid() != g_watchingProcess.load()) ::_exit(1);
  EndForLostDisplay(DisplayString(display));
}

void TakeXConnectionLoss() {
  g_watchingProcess.store(::getpid());
  XSetIOErrorHandler(OnXConnectionLost);
}

// Any protocol or connection error ends a Wayland connection for good.
void EndIfWaylandConnectionLost() {
  SDL_Window* window = MainSdlWindow() ? MainSdlWindow() : OwnSdlWindow();
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND) return;
  if (WaylandConnectionError(info.info.wl.display) != 0) EndForLostDisplay(WaylandDisplayName());
}

// A compositor that has stopped answering keeps this wait as it would keep
// SDL's; one that ends meanwhile is lost, as is one that SDL reached before
// (its video part starts again after a window could not be made).
void EndIfCompositorHasEnded() {
  CompositorConnection compositor;
  const CompositorConnection::State state = compositor.Connection();
  if ((state == CompositorConnection::State::Refused && g_compositorReached.load()) ||
      (state == CompositorConnection::State::Open && !compositor.Answers()))
    EndForLostDisplay(WaylandDisplayName());
}

}  // namespace

void WatchDisplayAsVideoStarts(std::string_view driverTriedFirst) {
  ::signal(SIGPIPE, SIG_IGN);
  if (SameDriverName(driverTriedFirst, "x11"))
    TakeXConnectionLoss();
  else if (SameDriverName(driverTriedFirst, "wayland"))
    EndIfCompositorHasEnded();
}

void WatchDisplayConnection() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) return;
  if (SDL_strcasecmp(driver, "x11") == 0) {
    TakeXConnectionLoss();
  } else if (SDL_strcasecmp(driver, "wayland") == 0) {
    g_compositorReached.store(true);
    static std::once_flag taskAdded;
    std::call_once(taskAdded, [] { AddMainLoopTask(EndIfWaylandConnectionLost); });
  }
}

}  // namespace platform::sdl
