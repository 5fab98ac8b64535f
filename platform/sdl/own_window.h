#pragma once
// The SDL side of platform/own_window.h.

#include <SDL.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace platform::sdl {

bool OpenOwnWindow(std::string_view utf8Title, int x, int y, int width, int height);
void CloseOwnWindow();
WindowFrame OwnWindowFrame();
void SetOwnWindowTitle(std::string_view utf8Title);
void ShowOwnWindowPicture(const std::vector<std::uint32_t>& pixels, int width, int height);
SDL_Window* OwnSdlWindow();

}  // namespace platform::sdl
