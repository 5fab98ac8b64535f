#include "platform/sdl/own_window.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/sdl/display_loss_watch.h"
#include "platform/sdl/video_start.h"
#include "platform/sdl/window.h"

namespace platform::sdl {
namespace {

struct OwnWindow {
  // From before the window is made until it is gone.
  std::unique_ptr<DisplayLossWatch> displayLossWatch;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  int textureW = 0;
  int textureH = 0;
};

OwnWindow& Own() {
  static OwnWindow own;
  return own;
}

// SDL's Wayland driver leaves the decoration frame of a shown window behind
// when the window is destroyed, with the window's freed data as the frame's
// own: the compositor's next configure of it (as the game window takes the
// focus after the start-up dialog) reads freed memory and crashes the
// player. So a dialog window there is only hidden when it closes, and the
// next dialog shows it again; the video part's own end destroys it with
// the connection, after which nothing can come for it.
struct ParkedWindow {
  Uint32 id = 0;
};

ParkedWindow& Parked() {
  static ParkedWindow parked;
  return parked;
}

bool WindowsOutliveTheirFrames() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "wayland") == 0;
}

// The hidden dialog window, while the video part that made it runs. Window
// ids start again with a new video part: one that names the game window
// is not the dialog's.
SDL_Window* TakeParkedWindow() {
  SDL_Window* window = SDL_GetWindowFromID(Parked().id);
  Parked().id = 0;
  return window != MainSdlWindow() ? window : nullptr;
}

// Hidden: a renderer may make the window again for its own kind of surface,
// which a shown window would show (and on Wayland leave a frame behind).
SDL_Window* MakeOrReuseHiddenWindow(const std::string& title, int x, int y, int width, int height) {
  if (SDL_Window* window = TakeParkedWindow()) {
    SDL_SetWindowTitle(window, title.c_str());
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, x, y);
    return window;
  }
  // Drawn at the desktop's own resolution, as the game window is: on a
  // HiDPI Wayland desktop the compositor would blur a picture of half its size.
  return SDL_CreateWindow(title.c_str(), x, y, width, height, SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
}

}  // namespace

bool OpenOwnWindow(std::string_view utf8Title, int x, int y, int width, int height) {
  CloseOwnWindow();
  // A dialog window parked by a video part that has ended since went with it.
  if (!SDL_WasInit(SDL_INIT_VIDEO)) Parked().id = 0;
  // The window may open before the game window's video start (and after its end).
  if (!StartVideoSubsystem()) {
    std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
    return false;
  }
  OwnWindow& own = Own();
  // A question that waited a while (a second start's) may come after the
  // display went away.
  auto displayLossWatch = std::make_unique<DisplayLossWatch>();
  own.window = MakeOrReuseHiddenWindow(std::string(utf8Title), x, y, width, height);
  if (own.window) own.renderer = SDL_CreateRenderer(own.window, -1, 0);
  if (!own.renderer) {
    std::fprintf(stderr, "SDL dialog window: %s\n", SDL_GetError());
    CloseOwnWindow();
    return false;
  }
  own.displayLossWatch = std::move(displayLossWatch);
  SDL_ShowWindow(own.window);
  SDL_RaiseWindow(own.window);
  // A window manager frames the window as it maps it: its frame is usually
  // known after one look at the events (which stay queued).
  SDL_PumpEvents();
  return true;
}

WindowFrame OwnWindowFrame() {
  WindowFrame frame;
  SDL_Window* window = Own().window;
  if (!window || SDL_GetWindowBordersSize(window, &frame.top, &frame.left, &frame.bottom, &frame.right) != 0) return {};
  return frame;
}

void CloseOwnWindow() {
  OwnWindow& own = Own();
  if (!own.window) return;
  if (own.texture) SDL_DestroyTexture(own.texture);
  if (own.renderer) SDL_DestroyRenderer(own.renderer);
  if (WindowsOutliveTheirFrames()) {
    SDL_HideWindow(own.window);
    Parked().id = SDL_GetWindowID(own.window);
  } else {
    SDL_DestroyWindow(own.window);
  }
  own = OwnWindow{};
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SetOwnWindowTitle(std::string_view utf8Title) {
  if (Own().window) SDL_SetWindowTitle(Own().window, std::string(utf8Title).c_str());
}

void ShowOwnWindowPicture(const std::vector<std::uint32_t>& pixels, int width, int height) {
  OwnWindow& own = Own();
  if (!own.renderer) return;
  if (own.texture && (own.textureW != width || own.textureH != height)) {
    SDL_DestroyTexture(own.texture);
    own.texture = nullptr;
  }
  if (!own.texture) {
    own.texture =
        SDL_CreateTexture(own.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!own.texture) return;
    SDL_SetTextureScaleMode(own.texture, SDL_ScaleModeNearest);
    own.textureW = width;
    own.textureH = height;
  }
  SDL_UpdateTexture(own.texture, nullptr, pixels.data(), width * 4);
  SDL_RenderClear(own.renderer);
  SDL_RenderCopy(own.renderer, own.texture, nullptr, nullptr);
  SDL_RenderPresent(own.renderer);
}

SDL_Window* OwnSdlWindow() { return Own().window; }

}  // namespace platform::sdl
