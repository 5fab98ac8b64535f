#pragma once
// The mixer behind the audio device. Every sound the game plays is a voice:
// either a whole sound already converted to the mixer's format (wave copies)
// or a stream that a thread of its own keeps filled (Ogg and MIDI music).
// The main thread starts, stops, rewinds and sets the gain of voices; the
// audio callback mixes them. Both meet under one short lock that is never
// held across file, decoder or synthesiser work: a stream's Read only copies
// frames that its producer thread prepared beforehand.
//
// The mixer's format is interleaved stereo float at the device's own rate.

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

inline constexpr int kMixChannels = 2;
inline constexpr int kDefaultMixRate = 44100;

// A whole sound in the mixer's format, shared by the voices that play it.
using MixSamples = std::vector<float>;

// A source of frames produced ahead of time by another thread.
class MixStream {
 public:
  virtual ~MixStream() = default;
  // Audio callback: copies up to `frames` frames into out and returns how
  // many it had; fewer while the stream runs is an underrun (silence).
  virtual std::size_t Read(float* out, std::size_t frames) = 0;
  // True once the stream has given its last frame.
  virtual bool Ended() const = 0;
  // For a capture of the mix, which needs the producer to keep up: waits
  // until `frames` frames are ready, the stream has ended or the time has
  // passed, and returns how many of them (1 to `frames`) can be read now as
  // a device would read them (the frames up to the point where its owner's
  // answer decides what comes next).
  virtual std::size_t WaitReady(std::size_t frames, int timeoutMs) = 0;
};

using VoiceId = int;
inline constexpr VoiceId kNoVoice = -1;

class AudioMixer {
 public:
  explicit AudioMixer(int rate = kDefaultMixRate);

  int Rate() const;
  // Changes the rate; only while no voice exists (sounds are converted for
  // one rate). False otherwise.
  bool SetRate(int rate);
  bool HasVoices() const;

  // New voices are stopped, with gain 1.
  VoiceId AddSound(std::shared_ptr<const MixSamples> samples);
  VoiceId AddStream(std::shared_ptr<MixStream> stream);
  void Remove(VoiceId voice);
  // A sound starts from its beginning; a stream goes on where it stopped.
  void Play(VoiceId voice);
  void Stop(VoiceId voice);
  // Stops every whole sound; streams stay where they are.
  void StopSounds();
  void SetGain(VoiceId voice, float gain);
  bool IsPlaying(VoiceId voice) const;

  // Audio callback: the sum of the playing voices, clamped to -1..1.
  void Mix(float* out, std::size_t frames);
  // Waits (bounded) until every playing stream has `frames` frames ready;
  // returns how many frames (1 to `frames`) all of them can give now.
  std::size_t WaitForStreams(std::size_t frames, int timeoutMs);

 private:
  struct Voice {
    bool used = false;
    bool playing = false;
    float gain = 1.0f;
    std::shared_ptr<const MixSamples> samples;
    std::size_t position = 0;  // in samples (frames x channels)
    std::shared_ptr<MixStream> stream;
  };
  Voice* Find(VoiceId voice);
  const Voice* Find(VoiceId voice) const;
  VoiceId Add(Voice voice);
  void MixSound(Voice& voice, float* out, std::size_t frames);
  void MixStreamVoice(Voice& voice, float* out, std::size_t frames);

  mutable std::mutex m_mutex;
  int m_rate;
  std::vector<Voice> m_voices;
  std::vector<float> m_scratch;
};

}  // namespace platform
