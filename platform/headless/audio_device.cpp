// No device: the mixer keeps its rate and nothing pulls it except a capture.
#include "platform/headless/audio_device.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "platform/audio/audio_device_backend.h"

namespace platform {
namespace {

class HeadlessAudio final : public AudioDeviceBackend {
 public:
  bool Open(AudioMixer&, std::string& error) override {
    ++m_opens;
    WaitWhileHeld();
    m_lost = false;
    if (!m_refused) return true;
    error = "refused";
    return false;
  }
  void LetGo() override { m_lost = false; }
  void Close() override {
    m_lost = false;
    ++m_closes;
  }
  bool Lost() override { return m_lost || m_stalled; }
  bool Flowing() override { return !m_stalled; }

  void Hold(bool held) {
    std::lock_guard lock(m_holdMutex);
    m_held = held;
    m_released.notify_all();
  }
  int OpensHeld() {
    std::lock_guard lock(m_holdMutex);
    return m_opensHeld;
  }

  std::atomic<bool> m_lost{false};
  std::atomic<bool> m_refused{false};
  std::atomic<bool> m_stalled{false};
  std::atomic<int> m_opens{0};
  std::atomic<int> m_closes{0};

 private:
  void WaitWhileHeld() {
    std::unique_lock lock(m_holdMutex);
    if (!m_held) return;
    ++m_opensHeld;
    m_released.wait(lock, [&] { return !m_held; });
    --m_opensHeld;
  }

  std::mutex m_holdMutex;
  std::condition_variable m_released;
  bool m_held = false;
  int m_opensHeld = 0;
};

HeadlessAudio& Instance() {
  // Never destroyed: a look for the device may still be in its open when
  // the process ends.
  static HeadlessAudio* const device = new HeadlessAudio;
  return *device;
}

}  // namespace

AudioDeviceBackend& HeadlessAudioDevice() { return Instance(); }

void LoseHeadlessAudioDevice() { Instance().m_lost = true; }

void RefuseHeadlessAudioDeviceOpens(bool refused) { Instance().m_refused = refused; }

void StallHeadlessAudioDevice(bool stalled) { Instance().m_stalled = stalled; }

void HoldHeadlessAudioDeviceOpens(bool held) { Instance().Hold(held); }

int HeadlessAudioDeviceOpens() { return Instance().m_opens; }

int HeadlessAudioDeviceOpensHeld() { return Instance().OpensHeld(); }

int HeadlessAudioDeviceCloses() { return Instance().m_closes; }

}  // namespace platform
