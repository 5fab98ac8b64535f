#include "platform/sdl/screen_saver.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/extensions/scrnsaver.h>

namespace platform::sdl {
namespace {

// SDL lets the screen saver run again only where it held it off through the
// desktop's D-Bus service: held off through the X server (a desktop without
// that service, an X session of the game's own), it stays so for good. The
// X server counts each connection's holds, and ignores a let-go without one.
void LetTheXServersSaverRun(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  XScreenSaverSuspend(info.info.x11.display, False);
  XFlush(info.info.x11.display);
}

}  // namespace

void LetTheScreenSaverRunUnlessHeldOff() { SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1"); }

void HoldOffTheScreenSaver(bool holdOff, SDL_Window* gameWindow) {
  if (!holdOff) {
    SDL_EnableScreenSaver();
    LetTheXServersSaverRun(gameWindow);
    return;
  }
  if (!SDL_IsScreenSaverEnabled()) return;
  // SDL names the program in its request by this hint; it is given only for
  // the request, as the sound server names the program's sound by it too.
  SDL_SetHint(SDL_HINT_APP_NAME, SDL_GetWindowTitle(gameWindow));
  SDL_DisableScreenSaver();
  SDL_ResetHint(SDL_HINT_APP_NAME);
}

}  // namespace platform::sdl
