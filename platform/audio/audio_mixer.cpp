#include "platform/audio/audio_mixer.h"

#include <algorithm>

namespace platform {
namespace {
// A callback period this long needs no allocation while mixing.
constexpr std::size_t kScratchFrames = 16384;
}  // namespace

AudioMixer::AudioMixer(int rate) : m_rate(rate), m_scratch(kScratchFrames * kMixChannels) {}

int AudioMixer::Rate() const {
  std::lock_guard lock(m_mutex);
  return m_rate;
}

bool AudioMixer::SetRate(int rate) {
  std::lock_guard lock(m_mutex);
  for (const Voice& voice : m_voices)
    if (voice.used) return rate == m_rate;
  m_rate = rate;
  return true;
}

bool AudioMixer::HasVoices() const {
  std::lock_guard lock(m_mutex);
  return std::any_of(m_voices.begin(), m_voices.end(), [](const Voice& v) { return v.used; });
}

AudioMixer::Voice* AudioMixer::Find(VoiceId voice) {
  if (voice < 0 || std::size_t(voice) >= m_voices.size() || !m_voices[voice].used) return nullptr;
  return &m_voices[voice];
}

const AudioMixer::Voice* AudioMixer::Find(VoiceId voice) const {
  return const_cast<AudioMixer*>(this)->Find(voice);
}

VoiceId AudioMixer::Add(Voice voice) {
  voice.used = true;
  std::lock_guard lock(m_mutex);
  for (std::size_t i = 0; i < m_voices.size(); ++i) {
    if (!m_voices[i].used) {
      m_voices[i] = std::move(voice);
      return VoiceId(i);
    }
  }
  m_voices.push_back(std::move(voice));
  return VoiceId(m_voices.size() - 1);
}

VoiceId AudioMixer::AddSound(std::shared_ptr<const MixSamples> samples) {
  Voice voice;
  voice.samples = std::move(samples);
  return Add(std::move(voice));
}

VoiceId AudioMixer::AddStream(std::shared_ptr<MixStream> stream) {
  Voice voice;
  voice.stream = std::move(stream);
  return Add(std::move(voice));
}

void AudioMixer::Remove(VoiceId id) {
  // The stream may end a producer thread when it goes: let it go outside the
  // lock so that the callback never waits for that.
  Voice removed;
  {
    std::lock_guard lock(m_mutex);
    Voice* voice = Find(id);
    if (!voice) return;
    removed = std::move(*voice);
    *voice = Voice{};
  }
}

void AudioMixer::Play(VoiceId id) {
  std::lock_guard lock(m_mutex);
  if (Voice* voice = Find(id)) {
    voice->position = 0;
    voice->playing = true;
  }
}

void AudioMixer::Stop(VoiceId id) {
  std::lock_guard lock(m_mutex);
  if (Voice* voice = Find(id)) voice->playing = false;
}

void AudioMixer::StopSounds() {
  std::lock_guard lock(m_mutex);
  for (Voice& voice : m_voices)
    if (voice.samples) voice.playing = false;
}

void AudioMixer::SetGain(VoiceId id, float gain) {
  std::lock_guard lock(m_mutex);
  if (Voice* voice = Find(id)) voice->gain = gain;
}

bool AudioMixer::IsPlaying(VoiceId id) const {
  std::lock_guard lock(m_mutex);
  const Voice* voice = Find(id);
  return voice && voice->playing;
}

void AudioMixer::MixSound(Voice& voice, float* out, std::size_t frames) {
  const MixSamples& samples = *voice.samples;
  const std::size_t count = std::min(frames * kMixChannels, samples.size() - voice.position);
  const float* in = samples.data() + voice.position;
  const float gain = voice.gain;
  for (std::size_t i = 0; i < count; ++i) out[i] += in[i] * gain;
  voice.position += count;
  if (voice.position >= samples.size()) voice.playing = false;
}

void AudioMixer::MixStreamVoice(Voice& voice, float* out, std::size_t frames) {
  const float gain = voice.gain;
  while (frames > 0) {
    const std::size_t want = std::min(frames, kScratchFrames);
    const std::size_t got = voice.stream->Read(m_scratch.data(), want);
    for (std::size_t i = 0; i < got * kMixChannels; ++i) out[i] += m_scratch[i] * gain;
    if (got < want) {
      if (voice.stream->Ended()) voice.playing = false;
      return;
    }
    out += got * kMixChannels;
    frames -= got;
  }
}

void AudioMixer::Mix(float* out, std::size_t frames) {
  std::fill(out, out + frames * kMixChannels, 0.0f);
  {
    std::lock_guard lock(m_mutex);
    for (Voice& voice : m_voices) {
      if (!voice.used || !voice.playing) continue;
      if (voice.samples) MixSound(voice, out, frames);
      else if (voice.stream) MixStreamVoice(voice, out, frames);
    }
  }
  for (std::size_t i = 0; i < frames * kMixChannels; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

std::size_t AudioMixer::WaitForStreams(std::size_t frames, int timeoutMs) {
  std::vector<std::shared_ptr<MixStream>> streams;
  {
    std::lock_guard lock(m_mutex);
    for (const Voice& voice : m_voices)
      if (voice.used && voice.playing && voice.stream) streams.push_back(voice.stream);
  }
  for (const auto& stream : streams) frames = stream->WaitReady(frames, timeoutMs);
  return frames;
}

}  // namespace platform
