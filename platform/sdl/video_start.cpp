#include "platform/sdl/video_start.h"

#include <SDL.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "platform/main_thread.h"
#include "platform/sdl/display_loss.h"
#include "platform/sdl/screen_saver.h"
#include "platform/sdl/ui_events.h"

namespace platform::sdl {
namespace {

enum class DriverKind { Unknown, Shows, ShowsNothing };
// The driver of the last start: the one every later start takes too, as
// long as the environment stays.
std::atomic<DriverKind> g_startedDriver{DriverKind::Unknown};

// The driver SDL's video part tries first: the first that SDL_VIDEODRIVER
// names, else (in SDL's own order) X11 where DISPLAY names a display, else
// Wayland.
std::string DriverTriedFirst() {
  if (const char* chosen = SDL_GetHint(SDL_HINT_VIDEODRIVER); chosen && *chosen) {
    const std::string_view list(chosen);
    return std::string(list.substr(0, list.find(',')));
  }
  const char* display = std::getenv("DISPLAY");
  return display && *display ? "x11" : "wayland";
}

}  // namespace

bool StartVideoSubsystem() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  LetTheScreenSaverRunUnlessHeldOff();
  PrepareTextInput();
  if (!SDL_WasInit(SDL_INIT_VIDEO)) WatchDisplayAsVideoStarts(DriverTriedFirst());
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool showsNothing = driver && DriverShowsNothing(driver);
  g_startedDriver.store(showsNothing ? DriverKind::ShowsNothing : DriverKind::Shows);
  // Drawing for nobody needs no graphics library: SDL would otherwise load
  // the system's OpenGL (and its compiler) behind the offscreen driver, a
  // second of processor time that on a busy machine held the start for tens
  // of seconds. The window's own pixels stay in memory too, where SDL
  // would otherwise back them with an OpenGL renderer of its own.
  // SDL_RENDER_DRIVER and SDL_FRAMEBUFFER_ACCELERATION, where set, still
  // decide.
  if (showsNothing) {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
  WatchDisplayConnection();
  return true;
}

bool SameDriverName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && SDL_strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool DriverShowsNothing(std::string_view driver) {
  return SameDriverName(driver, "offscreen") || SameDriverName(driver, "dummy");
}

bool VideoDriverInUseShowsNothing() {
  if (g_startedDriver.load() == DriverKind::Unknown && IsMainThread() && StartVideoSubsystem())
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return g_startedDriver.load() == DriverKind::ShowsNothing;
}

}  // namespace platform::sdl
