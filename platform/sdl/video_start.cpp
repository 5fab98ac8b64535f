#include "platform/sdl/video_start.h"

#include <SDL.h>

#include <cstdlib>

#include "platform/sdl/ui_events.h"

namespace platform::sdl {

bool StartVideoSubsystem() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  PrepareTextInput();
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

bool DriverShowsNothing(std::string_view driver) { return driver == "offscreen" || driver == "dummy"; }

bool ChosenVideoDriverShowsNothing() {
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  if (!chosen || !*chosen) return false;
  std::string_view list(chosen);
  while (true) {
    const std::size_t comma = list.find(',');
    if (!DriverShowsNothing(list.substr(0, comma))) return false;
    if (comma == std::string_view::npos) return true;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace platform::sdl
