#include "input/mouse_buttons.h"

#include "platform/mouse.h"

namespace {

// One program-wide set for both buttons: latch and the held value of the previous call.
struct ButtonMemory {
  bool latch = false;
  bool previous = false;
};
ButtonMemory g_left;
ButtonMemory g_right;

void UpdatePress(ButtonMemory& memory, std::int32_t held, std::int32_t& pressed) {
  if (!held) {
    memory.latch = false;
    pressed = 0;
  } else if (!memory.latch) {
    memory.latch = true;
    pressed = 1;
  } else {
    pressed = 0;
  }
}

}  // namespace

void UpdateMouseButtons(MOUSESTATE* state, int mode) {
  g_left.previous = state->bLeft != 0;
  g_right.previous = state->bRight != 0;
  if (mode & MOUSE_HELD) {
    const platform::MouseButtons held = platform::HeldMouseButtons();
    state->bLeft = held.left ? 1 : 0;
    state->bRight = held.right ? 1 : 0;
  }
  if (mode & MOUSE_PRESS) {
    UpdatePress(g_left, state->bLeft, state->bLeftPush);
    UpdatePress(g_right, state->bRight, state->bRightPush);
  }
  if (mode & MOUSE_RELEASE) {
    state->bLeftRelease = g_left.previous && !state->bLeft ? 1 : 0;
    state->bRightRelease = g_right.previous && !state->bRight ? 1 : 0;
  }
}

void ResetMouseButtonLatches() {
  g_left = {};
  g_right = {};
}
