#include "platform/audio/audio_output.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/audio/audio_device_backend.h"
#include "platform/backend.h"
#include "platform/first_frame.h"

namespace platform {
namespace {

// How long a capture waits for a stream's producer thread.
constexpr int kCaptureWaitMs = 5000;
// The capture reads in pieces of a device period, so that streams keep up.
constexpr std::size_t kCapturePeriod = 512;

AudioDeviceBackend& Device() {
  return CurrentBackend() == Backend::Headless ? HeadlessAudioDevice() : SdlAudioDevice();
}

struct OutputState {
  std::optional<bool> opened;
  std::string error;
  // Counts the closes, so that an open put off before one is dropped.
  int closes = 0;
};

OutputState& State() {
  static OutputState state;
  return state;
}

// Held while the device opens or closes, and by WhileAudioOutputSteady.
std::mutex& DeviceChange() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

AudioMixer& GetMixer() {
  // Never destroyed: voices held by other static objects, and the device's
  // thread, may still reach it while the process ends.
  static AudioMixer* const mixer = new AudioMixer;
  return *mixer;
}

bool OpenAudioOutput(std::string& error) {
  OutputState& state = State();
  if (!state.opened) {
    state.error.clear();
    std::lock_guard lock(DeviceChange());
    state.opened = Device().Open(GetMixer(), state.error);
  }
  error = state.error;
  return *state.opened;
}

void OpenAudioOutputOnceShown(AudioOpenedCallback opened) {
  RunOnceShown([opened = std::move(opened), closes = State().closes] {
    if (State().closes != closes) return;  // closed meanwhile
    std::string error;
    const bool ok = OpenAudioOutput(error);
    if (opened) opened(ok, error);
  });
}

bool AudioOutputOpenTried() { return State().opened.has_value(); }

void CloseAudioOutput() {
  OutputState& state = State();
  ++state.closes;
  if (state.opened.value_or(false)) {
    std::lock_guard lock(DeviceChange());
    Device().Close();
  }
  state.opened.reset();
}

void WhileAudioOutputSteady(const std::function<void()>& work) {
  std::lock_guard lock(DeviceChange());
  work();
}

std::vector<float> CaptureMix(std::size_t frames) {
  AudioMixer& mixer = GetMixer();
  std::vector<float> out(frames * kMixChannels);
  for (std::size_t done = 0; done < frames;) {
    // A piece ends where a stream's owner has still to answer for what
    // follows (a song's loop), so the capture never runs ahead of it.
    const std::size_t piece = mixer.WaitForStreams(std::min(kCapturePeriod, frames - done), kCaptureWaitMs);
    mixer.Mix(out.data() + done * kMixChannels, piece);
    done += piece;
  }
  return out;
}

}  // namespace platform
