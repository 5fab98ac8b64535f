#pragma once
// The audio device as each backend provides it (internal to platform/).

#include <string>

#include "platform/audio/audio_mixer.h"

namespace platform {

class AudioDeviceBackend {
 public:
  virtual ~AudioDeviceBackend() = default;
  // Starts pulling the mixer; may change its rate to the device's. Each
  // open looks for the system's default device afresh (a device lost or
  // missing before is let go first), so a later open may find one that an
  // earlier one did not.
  virtual bool Open(AudioMixer& mixer, std::string& error) = 0;
  virtual void Close() = 0;
  // Whether the open device has gone: removed, or no longer taking the mix.
  virtual bool Lost() = 0;
};

AudioDeviceBackend& SdlAudioDevice();
AudioDeviceBackend& HeadlessAudioDevice();

}  // namespace platform
