#pragma once
// SDL's keyboard, text and mouse events as the dialogs' events
// (platform/ui_events.h). Main thread only.

#include <SDL.h>

#include "platform/ui_events.h"

namespace platform::sdl {

// Hints for the input method; before the video subsystem starts.
void PrepareTextInput();
// False for events that are not keyboard, text or mouse events of one of
// the program's windows.
bool TranslateUiEvent(const SDL_Event& event, UiEvent& out);

void StartTextInput(UiSurface surface, int x, int y, int width, int height);
void StopTextInput();

// The SDL window that shows a surface's picture, and the picture's size.
SDL_Window* SurfaceWindow(UiSurface surface);
// Where the picture lies in the window (window coordinates).
SDL_Rect PictureArea(UiSurface surface);
// A point of the picture in window coordinates.
SDL_Point PictureToWindow(UiSurface surface, int x, int y);

}  // namespace platform::sdl
