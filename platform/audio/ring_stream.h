#pragma once
// A mixer stream fed by a thread of its own. The producer thread asks a
// renderer (an Ogg decoder, a MIDI synthesiser) for frames in small chunks
// and keeps a ring of about a fifth of a second ahead of the audio callback,
// which only copies from the ring. Control calls of the owner (open, rewind,
// pause, queue more events) run under the same lock as one rendered chunk,
// so the renderer never sees them mid-chunk and the callback never waits
// for either.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio/audio_mixer.h"

namespace platform {

// What the producer thread renders. Every call is made under the stream's
// control lock.
class StreamRenderer {
 public:
  virtual ~StreamRenderer() = default;
  // Whether frames are wanted now (a paused or stopped source wants none).
  virtual bool Ready() const = 0;
  // Renders up to `frames` frames in the mixer's format; returns how many.
  // 0 means nothing more until a control call changes the state.
  virtual std::size_t Render(float* out, std::size_t frames) = 0;
  // True when the source has rendered its last frame.
  virtual bool Finished() const = 0;
};

class RingStream final : public MixStream {
 public:
  // The renderer must outlive the stream. The thread starts at once.
  RingStream(StreamRenderer& renderer, std::size_t capacityFrames, std::size_t chunkFrames);
  ~RingStream() override;
  RingStream(const RingStream&) = delete;
  RingStream& operator=(const RingStream&) = delete;

  // Runs `change` under the control lock, then wakes the producer. With
  // `flush` the frames already in the ring are dropped first (a rewind or a
  // new file must not be heard after old frames).
  template <typename Change>
  void Control(Change&& change, bool flush = false) {
    {
      std::lock_guard lock(m_control);
      if (flush) Clear();
      change();
      m_finished.store(m_renderer.Finished());
    }
    m_wake.notify_all();
  }

  std::size_t Read(float* out, std::size_t frames) override;
  bool Ended() const override;
  void WaitReady(std::size_t frames, int timeoutMs) override;

 private:
  void Produce();
  void Clear();
  std::size_t Buffered() const;  // under m_ring
  void Write(const float* in, std::size_t frames);

  StreamRenderer& m_renderer;
  const std::size_t m_capacity;
  const std::size_t m_chunk;

  // The control lock: held while one chunk renders and by every Control.
  std::mutex m_control;
  std::condition_variable m_wake;
  bool m_quit = false;
  std::atomic<bool> m_finished{false};

  // The ring itself, under its own short lock.
  mutable std::mutex m_ring;
  std::condition_variable m_filled;
  std::vector<float> m_samples;
  std::size_t m_readFrame = 0;   // total frames read
  std::size_t m_writeFrame = 0;  // total frames written

  std::thread m_thread;
};

}  // namespace platform
