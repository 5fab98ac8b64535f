#include "platform/sdl/video_start.h"

#include <SDL.h>

#include <atomic>

#include "platform/main_thread.h"
#include "platform/sdl/display_loss.h"
#include "platform/sdl/ui_events.h"

namespace platform::sdl {
namespace {

enum class DriverKind { Unknown, Shows, ShowsNothing };
// The driver of the last start: the one every later start takes too, as
// long as the environment stays.
std::atomic<DriverKind> g_startedDriver{DriverKind::Unknown};

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && SDL_strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

bool StartVideoSubsystem() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  PrepareTextInput();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  g_startedDriver.store(driver && DriverShowsNothing(driver) ? DriverKind::ShowsNothing : DriverKind::Shows);
  WatchDisplayConnection();
  return true;
}

bool DriverShowsNothing(std::string_view driver) {
  return SameName(driver, "offscreen") || SameName(driver, "dummy");
}

bool VideoDriverInUseShowsNothing() {
  if (g_startedDriver.load() == DriverKind::Unknown && IsMainThread() && StartVideoSubsystem())
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return g_startedDriver.load() == DriverKind::ShowsNothing;
}

}  // namespace platform::sdl
