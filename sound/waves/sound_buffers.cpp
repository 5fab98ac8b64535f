#include "sound/waves/sound_buffers.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "foundation/log.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/pcm_convert.h"
#include "sound/waves/wave_file.h"

namespace {

struct SoundModule {
  bool initialised = false;  // DS_Init has run
  cVector<DSSOUNDDATA>* sounds = nullptr;  // registered by DS_LoadSounds
};

SoundModule& Module() {
  static SoundModule module;
  return module;
}

float GainOf(int volume) { return float(std::pow(10.0, volume / 2000.0)); }

void ReportDeviceChange(platform::AudioDeviceChange change) {
  switch (change) {
    case platform::AudioDeviceChange::Lost:
      Report("The audio device was lost: sounds and music play silently until it is back");
      break;
    case platform::AudioDeviceChange::Back:
      Report("The audio device is back: sounds and music play on");
      break;
    case platform::AudioDeviceChange::Found:
      Report("An audio device opened: sounds and music play from now on");
      break;
  }
}

}  // namespace

DSBUFFER::~DSBUFFER() {
  if (m_voice != platform::kNoVoice) platform::GetMixer().Remove(m_voice);
}

DSBUFFER::DSBUFFER(DSBUFFER&& other) noexcept
    : m_nVolume(other.m_nVolume), m_voice(std::exchange(other.m_voice, platform::kNoVoice)) {}

DSBUFFER& DSBUFFER::operator=(DSBUFFER&& other) noexcept {
  if (this != &other) {
    if (m_voice != platform::kNoVoice) platform::GetMixer().Remove(m_voice);
    m_voice = std::exchange(other.m_voice, platform::kNoVoice);
    m_nVolume = other.m_nVolume;
  }
  return *this;
}

bool DS_Init(const void*, int, int, int) {
  platform::SetAudioDeviceListener(ReportDeviceChange);
  platform::OpenAudioOutputOnceShown([](bool opened, const std::string& error) {
    if (opened) return;
    DebugLogText("DIRECTSOUNDCREATE_ERR!");
    Report("No audio device (%s): sounds and music play silently until one opens", error.c_str());
  });
  Module().initialised = true;
  return true;
}

void DS_LoadSounds(cVector<DSSOUNDDATA>& sounds, cVector<DSSOUNDFILE>& files, int masterVolume) {
  Module().sounds = &sounds;
  if (sounds.size() < files.size()) sounds.resize(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    const DSSOUNDFILE& file = files[(long long)i];
    DSSOUNDDATA& sound = sounds[(long long)i];
    // A sound the project leaves unset is not a failed read.
    if (!sound.buffers.empty() || file.path.empty()) continue;
    DS_CreateSound(sound, file.path, file.nCopies, masterVolume != 0 ? masterVolume : file.nVolume);
  }
}

bool DS_CreateSound(DSSOUNDDATA& sound, const std::string& path, int copies, int volume) {
  if (!Module().initialised) return true;
  sound = DSSOUNDDATA{};
  copies = std::max(copies, 1);
  WAVEDATA wave;
  if (!DS_ReadWave(path, wave)) {
    ReportAndLog(Cp932Literal("%s の読み込みに失敗しました！"), path.c_str());
    return false;
  }
  platform::AudioMixer& mixer = platform::GetMixer();
  auto samples = std::make_shared<platform::MixSamples>();
  const platform::PcmFormat format{int(wave.format.nSamplesPerSec), wave.format.wBitsPerSample,
                                   wave.format.nChannels};
  if (!platform::ConvertPcm(format, wave.data, mixer.Rate(), *samples)) {
    DebugLogF(Cp932Literal("%s生成失敗！"), path.c_str());
    return false;
  }
  DS_FreeWave(wave);
  std::shared_ptr<const platform::MixSamples> shared = std::move(samples);
  for (int i = 0; i < copies; ++i) sound.buffers.emplace_back(mixer.AddSound(shared));
  sound.nCopies = copies;
  sound.name = path;
  if (volume != 0)
    for (int i = 0; i < copies; ++i) DS_SetVolume(sound, i, volume, 0);
  return true;
}

void DS_ReleaseSound(DSSOUNDDATA& sound) { sound = DSSOUNDDATA{}; }

void DS_PlaySound(DSSOUNDDATA& sound, int) {
  if (!Module().initialised || sound.buffers.empty()) return;
  if (sound.nNext < 0 || std::size_t(sound.nNext) >= sound.buffers.size()) sound.nNext = 0;
  platform::AudioMixer& mixer = platform::GetMixer();
  const platform::VoiceId voice = sound.buffers[std::size_t(sound.nNext)].Voice();
  mixer.Stop(voice);
  mixer.Play(voice);
  if (++sound.nNext >= sound.nCopies) sound.nNext = 0;
}

int DS_GetVolume(const DSSOUNDDATA& sound, int copy) {
  if (copy < 0 || std::size_t(copy) >= sound.buffers.size()) return DSBVOLUME_MIN;
  return sound.buffers[std::size_t(copy)].m_nVolume;
}

void DS_SetVolume(DSSOUNDDATA& sound, int copy, int volume, int mode) {
  if (copy < 0 || std::size_t(copy) >= sound.buffers.size()) return;
  if (mode == 1) volume += DS_GetVolume(sound, copy);
  volume = std::clamp(volume, DSBVOLUME_MIN, DSBVOLUME_MAX);
  DSBUFFER& buffer = sound.buffers[std::size_t(copy)];
  buffer.m_nVolume = volume;
  platform::GetMixer().SetGain(buffer.Voice(), GainOf(volume));
}

void DS_Release() {
  SoundModule& module = Module();
  if (module.sounds)
    for (DSSOUNDDATA& sound : *module.sounds) DS_ReleaseSound(sound);
  module.sounds = nullptr;
  module.initialised = false;
  platform::CloseAudioOutput();
  platform::SetAudioDeviceListener({});
}
