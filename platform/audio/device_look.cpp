#include "platform/audio/device_look.h"

#include <pthread.h>

#include <thread>

namespace platform {

std::shared_ptr<DeviceLook> DeviceLook::Start(AudioDeviceBackend& device, AudioMixer& mixer, EarlierSounds earlier) {
  auto look = std::make_shared<DeviceLook>();
  // Detached: nothing waits for an open that hangs in the driver. The
  // thread shares the look; the device and the mixer outlive it.
  std::thread([look, &device, &mixer, earlier] {
    pthread_setname_np(pthread_self(), "AudioLook");
    if (earlier == EarlierSounds::Stop) mixer.StopSounds();
    std::string error;
    const bool found = device.Open(mixer, error);
    std::lock_guard lock(look->m_mutex);
    // The close that gave the look up left the output to it: the device it
    // opened, and the driver's own threads, one of which watches for
    // devices at the lowest priority and would otherwise be left to do the
    // process's exit there.
    if (look->m_givenUp) device.Close();
    look->m_found = found;
    look->m_error = std::move(error);
    look->m_ended.notify_all();
  }).detach();
  return look;
}

std::optional<bool> DeviceLook::Found() {
  std::lock_guard lock(m_mutex);
  return m_found;
}

std::string DeviceLook::Error() {
  std::lock_guard lock(m_mutex);
  return m_error;
}

bool DeviceLook::GiveUp() {
  std::lock_guard lock(m_mutex);
  if (m_found) return false;
  m_givenUp = true;
  return true;
}

bool DeviceLook::EndsWithin(std::chrono::milliseconds wait) {
  std::unique_lock lock(m_mutex);
  return m_ended.wait_for(lock, wait, [&] { return m_found.has_value(); });
}

}  // namespace platform
