#pragma once
// Reading the keyboard and the joysticks into an input record once per frame.
// The polling itself is cInput::PollFixedKeys and cInput::PollKeyConfig
// (input/input_record.h); which one runs is the key configuration's choice.

#include <cstdint>

#include "foundation/checked_vector.h"
#include "input/input_record.h"
#include "platform/input_devices.h"

// Axis thresholds on the 0..65535 scale: below the low one is left / up, at
// or above the high one right / down.
inline constexpr std::uint32_t kJoyAxisLow = 10001;
inline constexpr std::uint32_t kJoyAxisHigh = 55535;

// 1 when the joystick's position satisfies the axis code (256 x low, 512 x
// high, 1024 y low, 2048 y high); 0 otherwise and for every other code.
int TestJoyAxis(const platform::JoystickReading& joystick, std::uint32_t code);

// The frame's input poll: element 0 of the list, with the fixed layout while
// the key configuration is off (joystick 0, keyboard and joystick, 60 frames
// per second) and with the configuration otherwise (one player, 60).
void PollInput(cVector<cInput>& inputs);
