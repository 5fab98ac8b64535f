// The smallest SDL programs that show a window: a 640x480 window, its
// default renderer, one presented frame. bench_startup runs them beside the
// player as the floors of a start-up in a real window:
//   clear    the frame is the renderer's clear colour alone;
//   picture  the frame is a 640x480 picture drawn in memory, shown as SDL's
//            documentation advises for frames drawn in software (a streaming
//            texture updated, copied to the renderer, presented), as the
//            player shows its first frame.
//
//   bench_startup_minimal_sdl clear|picture SPAWNED_AT_NS
#include <SDL.h>

#include <cstring>
#include <vector>

#include "bench/startup_window/child_report.h"

namespace {

bool DrawPicture(SDL_Renderer* renderer) {
  SDL_Texture* texture =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, 640, 480);
  if (!texture) return false;
  std::vector<Uint32> pixels(640 * 480);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | Uint32(i * 2654435761u >> 8);
  SDL_UpdateTexture(texture, nullptr, pixels.data(), 640 * 4);
  return SDL_RenderCopy(renderer, texture, nullptr, nullptr) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || SDL_Init(SDL_INIT_VIDEO) != 0) return 2;
  const bool picture = std::strcmp(argv[1], "picture") == 0;
  SDL_Window* window = SDL_CreateWindow("minimal", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480, 0);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
  if (!renderer) return 3;
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  if (picture && !DrawPicture(renderer)) return 4;
  SDL_RenderPresent(renderer);
  const std::int64_t presented = startup_child::MonotonicNs();
  const long peakAtPresentKb = startup_child::PeakResidentKb();
  SDL_Quit();
  startup_child::Print(presented, peakAtPresentKb, argv[2]);
  return 0;
}
