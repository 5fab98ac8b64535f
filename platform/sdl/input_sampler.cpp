#include "platform/sdl/input_sampler.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/first_frame.h"
#include "platform/input_devices.h"
#include "platform/main_thread.h"
#include "platform/virtual_keys.h"

namespace platform::sdl {
namespace {

// Open joysticks by the instance id SDL gives each attached device.
struct OpenJoystick {
  SDL_JoystickID id;
  SDL_Joystick* device;
};

struct Sampler {
  bool running = false;
  bool taskAdded = false;
  bool joysticksStarted = false;
  std::vector<OpenJoystick> open;
  // The keyboard layout's letters the key table was made for.
  LayoutLetters letters = UsLayoutLetters();
  VirtualKeyTable keys{letters};
};

Sampler& Instance() {
  static Sampler sampler;
  return sampler;
}

int CharacterOfKey(int scancode) { return SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode)); }

// Letters are read by the layout's labels, and the user may switch layouts
// while the game runs: the table follows the layout SDL has now.
void FollowTheLayout(Sampler& sampler) {
  const LayoutLetters now = ReadLayoutLetters(CharacterOfKey);
  if (now == sampler.letters) return;
  sampler.letters = now;
  sampler.keys = VirtualKeyTable(now);
}

// A code is held while any key it stands for is held.
void SampleKeyboard(Sampler& sampler) {
  FollowTheLayout(sampler);
  int scancodeCount = 0;
  const Uint8* held = SDL_GetKeyboardState(&scancodeCount);
  for (int virtualKey = 1; virtualKey < kVirtualKeyCount; ++virtualKey) {
    bool down = false;
    for (int scancode : sampler.keys.ScancodesOfVirtualKey(virtualKey))
      down = down || (scancode < scancodeCount && held[scancode]);
    SetKeyHeld(virtualKey, down);
  }
}

SDL_Joystick* FindOpen(Sampler& sampler, SDL_JoystickID id) {
  for (const OpenJoystick& joystick : sampler.open)
    if (joystick.id == id) return joystick.device;
  return nullptr;
}

// Axis -32768..32767 to 0..65535; a missing axis rests in the middle.
std::uint32_t AxisValue(SDL_Joystick* device, int axis) {
  if (axis >= SDL_JoystickNumAxes(device)) return 32767;
  return static_cast<std::uint32_t>(SDL_JoystickGetAxis(device, axis) + 32768);
}

JoystickReading Read(SDL_Joystick* device) {
  JoystickReading reading;
  reading.x = AxisValue(device, 0);
  reading.y = AxisValue(device, 1);
  const int buttons = std::min(SDL_JoystickNumButtons(device), 32);
  for (int i = 0; i < buttons; ++i)
    if (SDL_JoystickGetButton(device, i)) reading.buttons |= 1u << i;
  return reading;
}

// Devices that were unplugged are closed; new ones are opened; slot n is the
// n-th device SDL lists.
void SampleJoysticks(Sampler& sampler) {
  // Fresh positions even in a loop that has not pumped the events yet.
  SDL_JoystickUpdate();
  std::erase_if(sampler.open, [](const OpenJoystick& joystick) {
    if (SDL_JoystickGetAttached(joystick.device)) return false;
    SDL_JoystickClose(joystick.device);
    return true;
  });
  const int count = std::max(SDL_NumJoysticks(), 0);
  for (int slot = 0; slot < kJoystickSlots; ++slot) {
    if (slot >= count) {
      SetJoystick(slot, std::nullopt);
      continue;
    }
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(slot);
    SDL_Joystick* device = FindOpen(sampler, id);
    if (!device && id >= 0) {
      device = SDL_JoystickOpen(slot);
      if (device) sampler.open.push_back({id, device});
    }
    SetJoystick(slot, device ? std::optional<JoystickReading>(Read(device)) : std::nullopt);
  }
}

// Unless sampling stopped meanwhile or they run already.
void StartJoysticks(Sampler& sampler) {
  if (!sampler.running || sampler.joysticksStarted) return;
  sampler.joysticksStarted = true;
  // Joysticks are read whether or not the window has the focus, as the
  // game's joystick reads always were.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0)
    std::fprintf(stderr, "SDL joystick: %s (joysticks read as absent)\n", SDL_GetError());
}

void Sample() {
  Sampler& sampler = Instance();
  if (!sampler.running) return;
  SampleKeyboard(sampler);
  if (sampler.joysticksStarted) SampleJoysticks(sampler);
}

}  // namespace

void StartInputSampling() {
  Sampler& sampler = Instance();
  if (sampler.running) return;
  sampler.running = true;
  // Starting SDL's joysticks looks through the system's devices, milliseconds
  // that the window's first frame need not wait for. Until then every
  // joystick reads as absent, as an unplugged one does.
  RunOnceShown([] { StartJoysticks(Instance()); });
  if (!sampler.taskAdded) {
    sampler.taskAdded = true;
    AddMainLoopTask(Sample);
  }
}

void StopInputSampling() {
  Sampler& sampler = Instance();
  if (!sampler.running) return;
  sampler.running = false;
  for (const OpenJoystick& joystick : sampler.open) SDL_JoystickClose(joystick.device);
  sampler.open.clear();
  if (sampler.joysticksStarted && SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  sampler.joysticksStarted = false;
}

}  // namespace platform::sdl
