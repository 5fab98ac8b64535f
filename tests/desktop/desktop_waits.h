#pragma once
// How long the desktop tests wait for what a program or the window manager
// does, and how often they look: a sanitizer build's player is slow to
// start and a picture of the screen is dear to take, so the bound is
// generous and the looks are spaced.

namespace desktop_test {

inline constexpr int kEventWaitMs = 20000;
// A player's first window: before it the player loads the system's OpenGL
// libraries (and their compiler), which on two busy cores held a start past
// 20 s with one thread running all along.
inline constexpr int kFirstWindowWaitMs = 60000;
inline constexpr int kPollMs = 40;

}  // namespace desktop_test
