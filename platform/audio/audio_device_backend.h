#pragma once
// The audio device as each backend provides it (internal to platform/).

#include <string>

#include "platform/audio/audio_mixer.h"

namespace platform {

class AudioDeviceBackend {
 public:
  virtual ~AudioDeviceBackend() = default;
  // Starts pulling the mixer; may change its rate to the device's.
  virtual bool Open(AudioMixer& mixer, std::string& error) = 0;
  virtual void Close() = 0;
};

AudioDeviceBackend& SdlAudioDevice();
AudioDeviceBackend& HeadlessAudioDevice();

}  // namespace platform
