#include "platform/audio/audio_output.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/audio/audio_device_backend.h"
#include "platform/backend.h"
#include "platform/first_frame.h"
#include "platform/main_thread.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// How long a capture waits for a stream's producer thread.
constexpr int kCaptureWaitMs = 5000;
// The capture reads in pieces of a device period, so that streams keep up.
constexpr std::size_t kCapturePeriod = 512;
// How often a playing device is asked whether it has gone, and how often a
// missing one is looked for.
constexpr auto kCheckEvery = std::chrono::milliseconds(100);
constexpr auto kLookEvery = std::chrono::seconds(2);

AudioDeviceBackend& Device() {
  return CurrentBackend() == Backend::Headless ? HeadlessAudioDevice() : SdlAudioDevice();
}

enum class DeviceState { Closed, Playing, Missing };

// Main thread only; a look's thread has its own result, in `look`.
struct OutputState {
  std::optional<bool> opened;  // the first open's result
  std::string error;
  // Counts the closes, so that an open put off before one is dropped.
  int closes = 0;
  DeviceState device = DeviceState::Closed;
  bool lost = false;  // the missing device played before (else none answered at the start)
  Clock::time_point nextCheck;
  std::future<bool> look;  // a look for the device under way
  AudioDeviceListener listener;
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

void Tell(AudioDeviceChange change) {
  if (State().listener) State().listener(change);
}

// The device's question never waits: while another thread uses SDL's
// audio part, the next check asks.
bool DeviceLost() {
  std::unique_lock lock(DeviceChange(), std::try_to_lock);
  return lock.owns_lock() && Device().Lost();
}

void LookForDevice(OutputState& state) {
  state.look = std::async(std::launch::async, [] {
    // Sounds asked for while nothing played them belong to a moment that
    // has passed: they must not all sound at once when the device comes.
    GetMixer().StopSounds();
    std::string error;
    std::lock_guard lock(DeviceChange());
    return Device().Open(GetMixer(), error);
  });
}

void TakeLook(OutputState& state) {
  const bool found = state.look.get();
  state.nextCheck = Clock::now() + (found ? kCheckEvery : kLookEvery);
  if (!found) return;
  state.device = DeviceState::Playing;
  Tell(std::exchange(state.lost, false) ? AudioDeviceChange::Back : AudioDeviceChange::Found);
}

// A main loop task: a playing device is checked, a missing one looked for.
void LookAfterDevice() {
  OutputState& state = State();
  if (state.look.valid()) {
    if (state.look.wait_for(std::chrono::seconds(0)) == std::future_status::ready) TakeLook(state);
    return;
  }
  const Clock::time_point now = Clock::now();
  if (state.device == DeviceState::Closed || now < state.nextCheck) return;
  state.nextCheck = now + kCheckEvery;
  if (state.device == DeviceState::Playing) {
    if (!DeviceLost()) return;
    state.device = DeviceState::Missing;
    state.lost = true;
    Tell(AudioDeviceChange::Lost);
  }
  // At once after a loss (the system may have another device to offer
  // already), then every kLookEvery.
  LookForDevice(state);
}

void LookAfterDeviceFrom(bool opened) {
  static const bool taskAdded = [] {
    AddMainLoopTask(LookAfterDevice);
    return true;
  }();
  (void)taskAdded;
  OutputState& state = State();
  state.device = opened ? DeviceState::Playing : DeviceState::Missing;
  state.lost = false;
  state.nextCheck = Clock::now() + (opened ? kCheckEvery : kLookEvery);
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
    {
      std::lock_guard lock(DeviceChange());
      state.opened = Device().Open(GetMixer(), state.error);
    }
    LookAfterDeviceFrom(*state.opened);
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

void SetAudioDeviceListener(AudioDeviceListener listener) { State().listener = std::move(listener); }

void CloseAudioOutput() {
  OutputState& state = State();
  ++state.closes;
  if (state.look.valid()) state.look.get();
  if (state.opened) {
    std::lock_guard lock(DeviceChange());
    Device().Close();
  }
  state.opened.reset();
  state.device = DeviceState::Closed;
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
