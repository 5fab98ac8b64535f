#pragma once
// The audio device as each backend provides it (internal to platform/).

#include <string>

#include "platform/audio/audio_mixer.h"

namespace platform {

class AudioDeviceBackend {
 public:
  virtual ~AudioDeviceBackend() = default;
  // Starts pulling the mixer; may change its rate to the device's. Each
  // open looks for the system's default device afresh (a device still open
  // is let go first), so a later open may find one that an earlier one did
  // not.
  virtual bool Open(AudioMixer& mixer, std::string& error) = 0;
  // Lets the open device go without waiting for it: one that stopped taking
  // the mix may hold its close in the driver until its sound server takes
  // data again, or for good, so it ends on a thread of its own.
  virtual void LetGo() = 0;
  // Lets the device go and gives it a moment to end; one that has not ended
  // by then is left to end with the process.
  virtual void Close() = 0;
  // Whether the open device has gone: removed, or no longer taking the mix.
  virtual bool Lost() = 0;
  // Whether sound flows: the open device takes the mix as it plays.
  virtual bool Flowing() = 0;
};

AudioDeviceBackend& SdlAudioDevice();
AudioDeviceBackend& HeadlessAudioDevice();

}  // namespace platform
