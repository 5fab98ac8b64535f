// The smallest SDL program that shows a window: a 640x480 window, its
// default renderer, one presented frame. bench_startup runs it beside the
// player as the floor of a start-up in a real window.
//
//   bench_startup_minimal_sdl SPAWNED_AT_NS
#include <SDL.h>

#include "bench/startup_window/child_report.h"

int main(int argc, char** argv) {
  if (argc != 2 || SDL_Init(SDL_INIT_VIDEO) != 0) return 2;
  SDL_Window* window = SDL_CreateWindow("minimal", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480, 0);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
  if (!renderer) return 3;
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderPresent(renderer);
  const std::int64_t presented = startup_child::MonotonicNs();
  const long peakAtPresentKb = startup_child::PeakResidentKb();
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  startup_child::Print(presented, peakAtPresentKb, argv[1]);
  return 0;
}
