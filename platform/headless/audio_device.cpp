// No device: the mixer keeps its rate and nothing pulls it except a capture.
#include "platform/headless/audio_device.h"

#include <atomic>

#include "platform/audio/audio_device_backend.h"

namespace platform {
namespace {

class HeadlessAudio final : public AudioDeviceBackend {
 public:
  bool Open(AudioMixer&, std::string& error) override {
    m_lost = false;
    if (!m_refused) return true;
    error = "refused";
    return false;
  }
  void Close() override { m_lost = false; }
  bool Lost() override { return m_lost; }

  std::atomic<bool> m_lost{false};
  std::atomic<bool> m_refused{false};
};

HeadlessAudio& Instance() {
  static HeadlessAudio device;
  return device;
}

}  // namespace

AudioDeviceBackend& HeadlessAudioDevice() { return Instance(); }

void LoseHeadlessAudioDevice() { Instance().m_lost = true; }

void RefuseHeadlessAudioDeviceOpens(bool refused) { Instance().m_refused = refused; }

}  // namespace platform
