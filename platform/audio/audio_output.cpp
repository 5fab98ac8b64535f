#include "platform/audio/audio_output.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

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
// How long a close waits for a look under way: one that fails or finds a
// device ends within milliseconds; one that hangs in the driver is left.
constexpr auto kLookEndWait = std::chrono::milliseconds(300);

AudioDeviceBackend& Device() {
  return CurrentBackend() == Backend::Headless ? HeadlessAudioDevice() : SdlAudioDevice();
}

// Opening: the first look since the open was asked for has not ended.
enum class DeviceState { Closed, Opening, Playing, Missing };

// Main thread only; a look's thread has its own result, in `look`.
struct OutputState {
  std::optional<bool> opened;  // the first look's result, once it has ended
  std::string error;
  // Hear the first look's result when it ends.
  std::vector<AudioOpenedCallback> waiting;
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
  // A look for the device under way.
  std::shared_ptr<DeviceLook> look;
  // One given up by a close, kept until it ends: no look starts beside it,
  // for SDL's audio part serves one at a time.
  std::shared_ptr<DeviceLook> givenUp;
  AudioDeviceListener listener;
};

OutputState& State() {
  static OutputState state;
  return state;
}

// Held while the main thread checks or closes the device, and by
// WhileAudioOutputSteady; never by a look, which may hang in the driver.
std::mutex& DeviceChange() {
  static std::mutex mutex;
  return mutex;
}

void Tell(AudioDeviceChange change) {
  if (State().listener) State().listener(change);
}

bool GivenUpLookEnded(OutputState& state) {
  if (state.givenUp && !state.givenUp->Found()) return false;
  state.givenUp.reset();
  return true;
}

void StartLook(OutputState& state) {
  if (!GivenUpLookEnded(state)) return;
  // The first look plays what the game asked for as it started. A later
  // one comes after a time without a device, and the sounds asked for
  // meanwhile belong to a moment that has passed: they must not all sound
  // at once when the device comes.
  const auto earlier =
      state.device == DeviceState::Opening ? DeviceLook::EarlierSounds::Play : DeviceLook::EarlierSounds::Stop;
  state.look = DeviceLook::Start(Device(), GetMixer(), earlier);
}

// The first look has ended: from now on the device is looked after, and
// those waiting hear how it went.
void FirstLookEnded(OutputState& state, bool found, std::string error) {
  state.opened = found;
  state.error = std::move(error);
  state.silent = !found;
  state.news = AudioDeviceChange::Found;
  for (const AudioOpenedCallback& opened : std::exchange(state.waiting, {})) opened(found, state.error);
}

void TakeLook(OutputState& state) {
  const bool found = *state.look->Found();
  if (state.device == DeviceState::Opening) FirstLookEnded(state, found, state.look->Error());
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

// A main loop task: the first look started, a playing device checked, a
// missing one looked for.
void LookAfterDevice() {
  OutputState& state = State();
  if (state.device == DeviceState::Closed) return;
  if (state.look) {
    if (state.look->Found()) TakeLook(state);
    return;
  }
  if (state.device == DeviceState::Opening) {
    StartLook(state);
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
  StartLook(state);
}

// The first open runs as a look does, beside the game: it plays silently
// until the device answers, however long its driver waits for a sound
// server that does not answer.
void StartOpening(OutputState& state) {
  static const bool taskAdded = [] {
    AddMainLoopTask(LookAfterDevice);
    return true;
  }();
  (void)taskAdded;
  if (state.device != DeviceState::Closed) return;
  state.device = DeviceState::Opening;
  StartLook(state);
}

}  // namespace

AudioMixer& GetMixer() {
  // Never destroyed: voices held by other static objects, and the device's
  // thread, may still reach it while the process ends.
  static AudioMixer* const mixer = new AudioMixer;
  return *mixer;
}

void OpenAudioOutputOnceShown(AudioOpenedCallback opened) {
  RunOnceShown([opened = std::move(opened), closes = State().closes] {
    OutputState& state = State();
    if (state.closes != closes) return;  // closed meanwhile
    StartOpening(state);
    if (!opened) return;
    if (state.opened)
      opened(*state.opened, state.error);
    else
      state.waiting.push_back(opened);
  });
}

bool AudioOutputOpenTried() { return State().device != DeviceState::Closed; }

void SetAudioDeviceListener(AudioDeviceListener listener) { State().listener = std::move(listener); }

void CloseAudioOutput() {
  OutputState& state = State();
  ++state.closes;
  state.waiting.clear();
  // A look under way is given a moment to end, so that the close can end
  // SDL's audio part after it; one that hangs in the driver is not waited
  // for: it closes the output itself once through. No device is open
  // meanwhile: the one before it was let go when it was lost.
  if (state.look && !state.look->EndsWithin(kLookEndWait) && state.look->GiveUp())
    state.givenUp = std::move(state.look);
  state.look.reset();
  if (state.device != DeviceState::Closed && GivenUpLookEnded(state)) {
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
