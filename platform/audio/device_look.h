#pragma once
// A look for the system's default audio device, on a thread of its own. An
// open may hang in the driver for as long as a stopped sound server does:
// the thread is detached, so that neither the frames nor the close of the
// game wait for it, and a look given up on (the output closed meanwhile)
// closes the output itself once its open returns.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/audio/audio_device_backend.h"
#include "platform/audio/audio_mixer.h"

namespace platform {

class DeviceLook {
 public:
  // Whether the sounds asked for before the look are stopped as it starts.
  enum class EarlierSounds { Play, Stop };

  // Starts a look through the backend for the mixer; both must live as
  // long as the process.
  static std::shared_ptr<DeviceLook> Start(AudioDeviceBackend& device, AudioMixer& mixer, EarlierSounds earlier);

  // Whether a device opened; nothing while the look goes on.
  std::optional<bool> Found();
  // Why none opened, once the look has ended without a device.
  std::string Error();
  // Gives the look up unless it has ended; true when it had not.
  bool GiveUp();
  // Whether the look ends within `wait`.
  bool EndsWithin(std::chrono::milliseconds wait);

 private:
  std::mutex m_mutex;
  std::condition_variable m_ended;
  std::optional<bool> m_found;
  std::string m_error;
  bool m_givenUp = false;
};

}  // namespace platform
