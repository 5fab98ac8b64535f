#include "platform/sdl/screen_saver.h"

#include <SDL.h>

namespace platform::sdl {

void LetTheScreenSaverRunUnlessHeldOff() { SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1"); }

void HoldOffTheScreenSaver(bool holdOff, const std::string& utf8GameName) {
  if (!holdOff) {
    SDL_EnableScreenSaver();
    return;
  }
  if (!SDL_IsScreenSaverEnabled()) return;
  // SDL names the program in its request by this hint; it is given only for
  // the request, as the sound server names the program's sound by it too.
  SDL_SetHint(SDL_HINT_APP_NAME, utf8GameName.c_str());
  SDL_DisableScreenSaver();
  SDL_ResetHint(SDL_HINT_APP_NAME);
}

}  // namespace platform::sdl
