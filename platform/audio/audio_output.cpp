#include "platform/audio/audio_output.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/audio/audio_device_backend.h"
#include "platform/audio/device_look.h"
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
  // The last line told says that nothing plays (no device at the start, or
  // it was lost), and no sound has flowed since: a device that opens and
  // stalls again at once (the same suspended sink) is not told of again.
  bool silent = false;
  // What is told once sound flows again: after a loss, or after none
  // answered at the start.
  AudioDeviceChange news = AudioDeviceChange::Back;
  Clock::time_point nextCheck;
  // A look for the device under way; one given up by a close is kept
  // until it ends, so that an open does not meet it.
  std::shared_ptr<DeviceLook> look;
  AudioDeviceListener listener;
};

OutputState& State() {
  static OutputState state;
  return state;
}

// Held while the main thread opens, checks or closes the device, and by
// WhileAudioOutputSteady; never by a look, which may hang in the driver.
std::mutex& DeviceChange() {
  static std::mutex mutex;
  return mutex;
}

void Tell(AudioDeviceChange change) {
  if (State().listener) State().listener(change);
}

void TakeLook(OutputState& state, bool found) {
  state.look.reset();
  state.device = found ? DeviceState::Playing : DeviceState::Missing;
  state.nextCheck = Clock::now() + (found ? kCheckEvery : kLookEvery);
}

// The playing device is asked whether sound flows and whether it has gone;
// a lost one is let go. The question never waits: while another thread
// uses SDL's audio part, the next check asks.
bool CheckDevice(OutputState& state) {
  std::unique_lock lock(DeviceChange(), std::try_to_lock);
  if (!lock.owns_lock()) return false;
  if (state.silent && Device().Flowing()) {
    state.silent = false;
    Tell(state.news);
  }
  if (!Device().Lost()) return false;
  Device().LetGo();
  return true;
}

// A main loop task: a playing device is checked, a missing one looked for.
void LookAfterDevice() {
  OutputState& state = State();
  if (state.device == DeviceState::Closed) return;
  if (state.look) {
    if (const std::optional<bool> found = state.look->Found()) TakeLook(state, *found);
    return;
  }
  const Clock::time_point now = Clock::now();
  if (now < state.nextCheck) return;
  state.nextCheck = now + kCheckEvery;
  if (state.device == DeviceState::Playing) {
    if (!CheckDevice(state)) return;
    state.device = DeviceState::Missing;
    if (!state.silent) {
      state.silent = true;
      state.news = AudioDeviceChange::Back;
      Tell(AudioDeviceChange::Lost);
    }
  }
  // At once after a loss (the system may have another device to offer
  // already), then every kLookEvery.
  state.look = DeviceLook::Start(Device(), GetMixer());
}

void LookAfterDeviceFrom(bool opened) {
  static const bool taskAdded = [] {
    AddMainLoopTask(LookAfterDevice);
    return true;
  }();
  (void)taskAdded;
  OutputState& state = State();
  state.device = opened ? DeviceState::Playing : DeviceState::Missing;
  state.silent = !opened;
  state.news = AudioDeviceChange::Found;
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
    if (state.look) {
      state.look->Wait();
      state.look.reset();
    }
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
  // A look still under way is not waited for (it may hang in the driver):
  // it lets go of the device it opens itself. No device is open meanwhile:
  // the one before it was let go when it was lost.
  const bool looking = state.look && state.look->GiveUp();
  if (!looking) state.look.reset();
  if (state.opened && !looking) {
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
