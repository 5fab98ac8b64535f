#pragma once
// The SDL side of platform/second_start.h: the game window steps aside for
// a second start's question, and comes back.

namespace platform::sdl {

void StepMainWindowAside();
void BringMainWindowBack();

}  // namespace platform::sdl
