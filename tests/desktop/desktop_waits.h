#pragma once
// How long the desktop tests wait for what a program or the window manager
// does, and how often they look: a sanitizer build's player is slow to
// start and a picture of the screen is dear to take, so the bound is
// generous and the looks are spaced.

namespace desktop_test {

inline constexpr int kEventWaitMs = 20000;
inline constexpr int kPollMs = 40;

}  // namespace desktop_test
