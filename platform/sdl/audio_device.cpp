// The SDL audio device: stereo float, pulled from SDL's audio thread, which
// only mixes (see platform/audio/audio_mixer.h). SDL converts to whatever the
// hardware takes.
#include <SDL.h>

#include "platform/audio/audio_device_backend.h"

namespace platform {
namespace {

// About 23 ms at 44.1 kHz: short enough for sound effects to feel immediate.
constexpr Uint16 kCallbackFrames = 1024;

class SdlAudio final : public AudioDeviceBackend {
 public:
  bool Open(AudioMixer& mixer, std::string& error) override {
    if (!m_subsystemStarted && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      error = SDL_GetError();
      return false;
    }
    m_subsystemStarted = true;
    SDL_AudioSpec want{};
    want.freq = mixer.Rate();
    want.format = AUDIO_F32SYS;
    want.channels = kMixChannels;
    want.samples = kCallbackFrames;
    want.callback = &SdlAudio::Callback;
    want.userdata = &mixer;
    // Sounds already converted for the mixer's rate keep it; SDL resamples.
    const int allowed = mixer.HasVoices() ? 0 : SDL_AUDIO_ALLOW_FREQUENCY_CHANGE;
    SDL_AudioSpec have{};
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, allowed);
    // Without a device the subsystem stays up until a later open succeeds
    // and closes: quitting it joins SDL's device-watching thread, which
    // sleeps in steps of 100 ms, and the start-up would wait for it.
    if (m_device == 0) {
      error = SDL_GetError();
      return false;
    }
    mixer.SetRate(have.freq);
    SDL_PauseAudioDevice(m_device, 0);
    return true;
  }

  void Close() override {
    if (m_device == 0) return;
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_subsystemStarted = false;
  }

 private:
  static void Callback(void* mixer, Uint8* stream, int bytes) {
    static_cast<AudioMixer*>(mixer)->Mix(reinterpret_cast<float*>(stream),
                                         std::size_t(bytes) / (sizeof(float) * kMixChannels));
  }

  SDL_AudioDeviceID m_device = 0;
  bool m_subsystemStarted = false;
};

}  // namespace

AudioDeviceBackend& SdlAudioDevice() {
  static SdlAudio device;
  return device;
}

}  // namespace platform
