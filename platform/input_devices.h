#pragma once
// The keyboard and joysticks as the game thread reads them: whether a key is
// held now (by virtual-key code, platform/virtual_keys.h) and the position and
// buttons of joystick n now. The game asks once per frame; nothing is queued.
//
// The state lives here, written by whoever owns the devices and read from any
// thread. With SDL the main thread samples the keyboard and the joysticks in
// every pass of its loops (no SDL call leaves the main thread); joysticks may
// come and go at any time, and a joystick that is not there reads as absent.
// Headless, nothing samples: tests and the run harness script the state with
// the setters below.

#include <cstdint>
#include <optional>

namespace platform {

// Joysticks are numbered 0..15 in the order the system lists them.
inline constexpr int kJoystickSlots = 16;

// A joystick's x and y on the scale 0..65535 (32767 at rest; an axis the
// device lacks rests there too) and its buttons, bit i for button i.
struct JoystickReading {
  std::uint32_t x = 32767;
  std::uint32_t y = 32767;
  std::uint32_t buttons = 0;
};

// True while the key is held; false for a code outside 1..255, and for a key
// set aside below until it is released.
bool IsKeyHeld(int virtualKey);
// Every key held now reads as released until it is let go: a key that
// answered a dialog is not also taken by the game (main thread, as a dialog
// ends).
void IgnoreHeldKeysUntilReleased();
// False when joystick `number` is not there (or out of range).
bool ReadJoystick(int number, JoystickReading& reading);

// Starts and stops the sampling of the real devices (main thread; nothing
// headless). Stopping releases every key and joystick.
void StartInputDevices();
void StopInputDevices();

// Scripted state: a key held or released; a joystick attached (with its
// reading) or absent (nullopt). Out-of-range keys and joysticks are ignored.
void SetKeyHeld(int virtualKey, bool held);
void SetJoystick(int number, std::optional<JoystickReading> reading);
// Every key released, every joystick absent.
void ReleaseAllInput();

}  // namespace platform
