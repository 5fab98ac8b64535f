#include "platform/input_devices.h"

#include <array>
#include <atomic>
#include <mutex>

#include "platform/backend.h"
#include "platform/sdl/input_sampler.h"
#include "platform/virtual_keys.h"

namespace platform {
namespace {

std::array<std::atomic<bool>, kVirtualKeyCount> g_keyHeld{};
std::array<std::atomic<bool>, kVirtualKeyCount> g_keyIgnored{};

struct Joysticks {
  std::mutex mutex;
  std::array<std::optional<JoystickReading>, kJoystickSlots> readings;
};

Joysticks& SharedJoysticks() {
  static Joysticks joysticks;
  return joysticks;
}

bool IsJoystickNumber(int number) { return number >= 0 && number < kJoystickSlots; }

}  // namespace

bool IsKeyHeld(int virtualKey) {
  if (virtualKey <= 0 || virtualKey >= kVirtualKeyCount) return false;
  const auto index = static_cast<std::size_t>(virtualKey);
  return g_keyHeld[index].load(std::memory_order_relaxed) && !g_keyIgnored[index].load(std::memory_order_relaxed);
}

void IgnoreHeldKeysUntilReleased() {
  for (std::size_t key = 0; key < g_keyHeld.size(); ++key)
    if (g_keyHeld[key].load(std::memory_order_relaxed)) g_keyIgnored[key].store(true, std::memory_order_relaxed);
}

bool ReadJoystick(int number, JoystickReading& reading) {
  if (!IsJoystickNumber(number)) return false;
  Joysticks& joysticks = SharedJoysticks();
  std::lock_guard lock(joysticks.mutex);
  const auto& stored = joysticks.readings[static_cast<std::size_t>(number)];
  if (!stored) return false;
  reading = *stored;
  return true;
}

void StartInputDevices() {
  if (CurrentBackend() == Backend::Sdl) sdl::StartInputSampling();
}

void StopInputDevices() {
  if (CurrentBackend() == Backend::Sdl) sdl::StopInputSampling();
  ReleaseAllInput();
}

void SetKeyHeld(int virtualKey, bool held) {
  if (virtualKey <= 0 || virtualKey >= kVirtualKeyCount) return;
  const auto index = static_cast<std::size_t>(virtualKey);
  g_keyHeld[index].store(held, std::memory_order_relaxed);
  if (!held) g_keyIgnored[index].store(false, std::memory_order_relaxed);
}

void SetJoystick(int number, std::optional<JoystickReading> reading) {
  if (!IsJoystickNumber(number)) return;
  Joysticks& joysticks = SharedJoysticks();
  std::lock_guard lock(joysticks.mutex);
  joysticks.readings[static_cast<std::size_t>(number)] = reading;
}

void ReleaseAllInput() {
  for (auto& key : g_keyHeld) key.store(false, std::memory_order_relaxed);
  for (auto& key : g_keyIgnored) key.store(false, std::memory_order_relaxed);
  Joysticks& joysticks = SharedJoysticks();
  std::lock_guard lock(joysticks.mutex);
  joysticks.readings.fill(std::nullopt);
}

}  // namespace platform
