#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/backend.h"
#include "platform/first_frame.h"
#include "platform/input_devices.h"
#include "platform/main_thread.h"

namespace {

// The SDL sampler on a machine without keyboard focus or joysticks: sampling
// runs in the main thread's passes, finds nothing held and no joystick, and
// stopping and starting again is harmless.
TEST(SdlInputSampling, WithoutDevicesNothingIsHeldAndNoJoystickIsThere) {
  platform::ResetMainThreadState();
  platform::BecomeMainThread();
  platform::SelectBackend(platform::Backend::Sdl);
  platform::SetKeyHeld(90, true);
  platform::SetJoystick(0, platform::JoystickReading{});
  for (int round = 0; round < 2; ++round) {
    platform::StartInputDevices();
    platform::ServeMainThread();
    platform::ServeMainThread();
    EXPECT_FALSE(platform::IsKeyHeld(90));
    platform::JoystickReading reading;
    for (int j = 0; j < platform::kJoystickSlots; ++j) EXPECT_FALSE(platform::ReadJoystick(j, reading));
    platform::StopInputDevices();
  }
  // A window waiting for its first frame: the joysticks start in the first
  // pass after it is shown.
  platform::ExpectFirstFrame();
  platform::StartInputDevices();
  platform::ServeMainThread();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
  platform::FirstFrameDone();
  platform::ServeMainThread();
  EXPECT_NE(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
  platform::StopInputDevices();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
  // Stopped, nothing samples: scripted state stays as set.
  platform::SetKeyHeld(90, true);
  platform::ServeMainThread();
  EXPECT_TRUE(platform::IsKeyHeld(90));
  platform::ReleaseAllInput();
  platform::SelectBackend(platform::Backend::Headless);
  platform::ResetMainThreadState();
}

}  // namespace
