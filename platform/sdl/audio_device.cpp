// The SDL audio device: stereo float, pulled from SDL's audio thread, which
// only mixes (see platform/audio/audio_mixer.h). SDL converts to whatever the
// hardware takes.
//
// SDL's audio part is started and ended here with SDL_AudioInit and
// SDL_AudioQuit rather than as a subsystem: a look for a device after a
// loss runs off the main thread, and the subsystems' counts, which the
// video and the joysticks share with the audio on the main thread, must not
// be touched from two threads.
//
// A device let go is closed on a thread of its own (see
// platform/sdl/audio_device_ending.h), and SDL's audio part is started
// again only once no device is left ending: starting it again closes every
// device it has open, and would wait for one that hangs.
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>

#include "platform/audio/audio_device_backend.h"
#include "platform/audio/pull_watch.h"
#include "platform/sdl/alsa_messages.h"
#include "platform/sdl/audio_device_ending.h"
#include "platform/sdl/sound_server_hang_up.h"

namespace platform {
namespace {

// About 23 ms at 44.1 kHz: short enough for sound effects to feel immediate.
constexpr Uint16 kCallbackFrames = 1024;
// A device whose callback stands still this long no longer takes the mix.
constexpr auto kStallLimit = std::chrono::seconds(5);
// What a sound server takes at once from a new stream, whether it plays it
// or not, is taken well within this.
constexpr auto kBufferFill = std::chrono::seconds(1);
// How long a device let go is given to end before SDL's audio part is
// started again or ended: one that was removed ends within some tens of
// milliseconds; one that hangs is left to end alone.
constexpr auto kEndWait = std::chrono::milliseconds(300);
// Once the sound server's connections are hung up, a device's end no longer
// waits on the server, only on the processor: on a busy one it takes more
// than a second, and a thread left of SDL's audio part would cost the exit
// far more.
constexpr auto kEndAfterHangUpWait = std::chrono::seconds(5);

bool IsSoundServer(const char* driver) {
  return driver && (std::strcmp(driver, "pulseaudio") == 0 || std::strcmp(driver, "pipewire") == 0);
}

bool KnowsASoundServer() {
  for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i)
    if (IsSoundServer(SDL_GetAudioDriver(i))) return true;
  return false;
}

// SDL tries the sound servers' drivers first and falls back to the next
// (ALSA), whose error is the one left: say why it came to that, unless
// the user chose the driver.
std::string ExplainedError() {
  std::string error = SDL_GetError();
  const char* chosen = SDL_GetHint(SDL_HINT_AUDIODRIVER);
  if ((chosen && *chosen) || IsSoundServer(SDL_GetCurrentAudioDriver()) || !KnowsASoundServer()) return error;
  return "no sound server answered; " + error;
}

class SdlAudio final : public AudioDeviceBackend {
 public:
  bool Open(AudioMixer& mixer, std::string& error) override {
    LetGo();
    if (m_opens++ > 0) sdl::QuietAlsaMessages();
    // Starting SDL's audio part (again: it ends the running one first) has
    // it try its drivers afresh: a sound server started since answers, the
    // system's default device is the one chosen now. While a device let go
    // still hangs, the device is opened beside it on the running part.
    if (sdl::NoAudioDeviceEndingWithin(kEndWait) && SDL_AudioInit(nullptr) != 0) {
      error = ExplainedError();
      return false;
    }
    SDL_AudioSpec want{};
    want.freq = mixer.Rate();
    want.format = AUDIO_F32SYS;
    want.channels = kMixChannels;
    want.samples = kCallbackFrames;
    want.callback = &SdlAudio::Callback;
    want.userdata = this;
    // Sounds already converted for the mixer's rate keep it; SDL resamples.
    const int allowed = mixer.HasVoices() ? 0 : SDL_AUDIO_ALLOW_FREQUENCY_CHANGE;
    SDL_AudioSpec have{};
    m_mixer = &mixer;
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, allowed);
    // Without a device the audio part stays up until the next open starts
    // it again, or the close ends it.
    if (m_device == 0) {
      error = ExplainedError();
      return false;
    }
    mixer.SetRate(have.freq);
    m_watch.Restart(m_pulls.load(), PullWatch::Clock::now());
    SDL_PauseAudioDevice(m_device, 0);
    return true;
  }

  void LetGo() override {
    if (m_device == 0) return;
    // Paused first, so that it calls back no more: its lock is held only
    // while it calls back, never while it waits in the driver.
    SDL_PauseAudioDevice(m_device, 1);
    sdl::EndAudioDevice(m_device);
    m_device = 0;
  }

  // SDL's audio part is ended too, with or without a device: its
  // device-watching thread runs at the lowest priority, and a process whose
  // last thread is that one does its whole exit at that priority, which on
  // a busy machine takes tens of seconds. Ending it joins that thread, which
  // sleeps in steps of 100 ms at most.
  //
  // A device still waiting on its sound server (a suspended sink) would hold
  // SDL's audio part and that thread to the end: the server's connections
  // are hung up, which ends its wait; at once where a device let go before
  // the close is still ending, for that one waits on the server.
  void Close() override {
    LetGo();
    if (sdl::AudioDeviceEndingLongerThan(kEndWait) || !sdl::NoAudioDeviceEndingWithin(kEndWait)) {
      sdl::HangUpSoundServerConnections();
      if (!sdl::NoAudioDeviceEndingWithin(kEndAfterHangUpWait)) return;
    }
    SDL_AudioQuit();
  }

  // A device that SDL took away (a sound server that ended, a card pulled
  // out: SDL_AUDIODEVICEREMOVED) reads as stopped; one that hangs stops
  // calling back. One that has taken nothing since its open while a device
  // let go before it still hangs waits on the same server (a suspended
  // sink): letting it go too would only leave one more device hanging.
  bool Lost() override {
    if (m_device == 0) return false;
    if (SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED) return true;
    if (!m_watch.Stalled(m_pulls.load(), PullWatch::Clock::now())) return false;
    return Flowing() || sdl::NoAudioDeviceEndingWithin(std::chrono::milliseconds(0));
  }

  bool Flowing() override { return m_device != 0 && m_watch.Flowed(m_pulls.load(), PullWatch::Clock::now()); }

 private:
  static void Callback(void* device, Uint8* stream, int bytes) {
    auto* self = static_cast<SdlAudio*>(device);
    self->m_mixer->Mix(reinterpret_cast<float*>(stream), std::size_t(bytes) / (sizeof(float) * kMixChannels));
    self->m_pulls.fetch_add(1, std::memory_order_relaxed);
  }

  AudioMixer* m_mixer = nullptr;
  SDL_AudioDeviceID m_device = 0;
  int m_opens = 0;
  std::atomic<std::uint64_t> m_pulls{0};
  PullWatch m_watch{kStallLimit, kBufferFill};
};

}  // namespace

AudioDeviceBackend& SdlAudioDevice() {
  // Never destroyed: a look for a device that is still in the driver when
  // the process ends, or the device it opens, uses it until then.
  static SdlAudio* const device = new SdlAudio;
  return *device;
}

}  // namespace platform
