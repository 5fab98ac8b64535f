#include "platform/sdl/own_window.h"

#include <cstdio>
#include <memory>
#include <string>

#include "platform/sdl/display_loss_watch.h"
#include "platform/sdl/video_start.h"

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

}  // namespace

bool OpenOwnWindow(std::string_view utf8Title, int x, int y, int width, int height) {
  CloseOwnWindow();
  // The window may open before the game window's video start (and after its end).
  if (!StartVideoSubsystem()) {
    std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
    return false;
  }
  OwnWindow& own = Own();
  // A question that waited a while (a second start's) may come after the
  // display went away.
  auto displayLossWatch = std::make_unique<DisplayLossWatch>();
  own.window = SDL_CreateWindow(std::string(utf8Title).c_str(), x, y, width, height, 0);
  if (own.window) own.renderer = SDL_CreateRenderer(own.window, -1, 0);
  if (!own.renderer) {
    std::fprintf(stderr, "SDL dialog window: %s\n", SDL_GetError());
    CloseOwnWindow();
    return false;
  }
  own.displayLossWatch = std::move(displayLossWatch);
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
  SDL_DestroyWindow(own.window);
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
