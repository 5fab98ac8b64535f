// No device: the mixer keeps its rate and nothing pulls it except a capture.
#include "platform/audio/audio_device_backend.h"

namespace platform {
namespace {

class HeadlessAudio final : public AudioDeviceBackend {
 public:
  bool Open(AudioMixer&, std::string&) override { return true; }
  void Close() override {}
};

}  // namespace

AudioDeviceBackend& HeadlessAudioDevice() {
  static HeadlessAudio device;
  return device;
}

}  // namespace platform
