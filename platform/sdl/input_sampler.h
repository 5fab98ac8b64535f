#pragma once
// Samples SDL's keyboard state and joysticks into platform/input_devices.h,
// on the main thread, in every pass of its loops.

namespace platform::sdl {

// Opens the joystick subsystem and starts sampling (main thread).
void StartInputSampling();
// Closes the joysticks and the subsystem; sampling stops.
void StopInputSampling();

}  // namespace platform::sdl
