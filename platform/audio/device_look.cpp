#include "platform/audio/device_look.h"

#include <string>
#include <thread>

namespace platform {

std::shared_ptr<DeviceLook> DeviceLook::Start(AudioDeviceBackend& device, AudioMixer& mixer) {
  auto look = std::make_shared<DeviceLook>();
  // Detached: nothing waits for an open that hangs in the driver. The
  // thread shares the look; the device and the mixer outlive it.
  std::thread([look, &device, &mixer] {
    // Sounds asked for while nothing played them belong to a moment that
    // has passed: they must not all sound at once when the device comes.
    mixer.StopSounds();
    std::string error;
    const bool found = device.Open(mixer, error);
    std::lock_guard lock(look->m_mutex);
    if (found && look->m_givenUp) device.LetGo();
    look->m_found = found;
    look->m_ended.notify_all();
  }).detach();
  return look;
}

std::optional<bool> DeviceLook::Found() {
  std::lock_guard lock(m_mutex);
  return m_found;
}

bool DeviceLook::GiveUp() {
  std::lock_guard lock(m_mutex);
  if (m_found) return false;
  m_givenUp = true;
  return true;
}

void DeviceLook::Wait() {
  std::unique_lock lock(m_mutex);
  m_ended.wait(lock, [&] { return m_found.has_value(); });
}

}  // namespace platform
