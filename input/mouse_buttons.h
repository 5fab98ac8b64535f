#pragma once
// The mouse buttons as the window layer reads them on every message: held
// now, pressed since the last call (once per press, whoever asks: the press
// latches are program-wide) and released since the last call.

#include <cstdint>

struct MOUSESTATE {
  std::int32_t x = 0;  // client coordinates
  std::int32_t y = 0;
  std::int32_t nMode = 7;
  std::int32_t bLeft = 0;
  std::int32_t bRight = 0;
  std::int32_t bLeftPush = 0;
  std::int32_t bRightPush = 0;
  std::int32_t bLeftRelease = 0;
  std::int32_t bRightRelease = 0;
};

// Mode bits: held flags, press edges, release edges.
inline constexpr int MOUSE_HELD = 1;
inline constexpr int MOUSE_PRESS = 2;
inline constexpr int MOUSE_RELEASE = 4;

void UpdateMouseButtons(MOUSESTATE* state, int mode);
// Forgets the latches and previous values (tests).
void ResetMouseButtonLatches();
