#pragma once
// A mixer stream fed by a thread of its own. The producer thread asks a
// renderer (an Ogg decoder, a MIDI synthesiser) for frames in small chunks
// and keeps a ring of about a fifth of a second ahead of the audio callback,
// which only copies from the ring. Control calls of the owner (open, rewind,
// pause, queue more events) run under the same lock as one rendered chunk,
// so the renderer never sees them mid-chunk and the callback never waits
// for either.
//
// A renderer can mark a frame it renders (the end of a MIDI song). When
// the callback is about to take the frame, the producer thread runs the
// mark's action: it tells the owner. The owner's answer (a loop's rewind)
// may decide what follows the mark; a flush in it drops only what comes
// after the mark, so that the device hears the end and the answer joined.
// "About to" is within the callback's next read (a device takes a period at
// a time), and never less than half the ring (a tenth of a second): an
// answer can take that long on a busy machine. A capture of the mix, which
// runs faster than a device, waits at the mark for the answer: it hears the
// stream as a device would, however fast the threads ran.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "platform/audio/audio_mixer.h"

namespace platform {

// Runs when the reader is about to take a marked frame; returns true when
// the owner will answer it with a control call that decides what follows
// the mark (see RingStream::Control).
using MarkAction = std::function<bool()>;

// What the producer thread renders. Every call is made under the stream's
// control lock.
class StreamRenderer {
 public:
  virtual ~StreamRenderer() = default;
  // Whether frames are wanted now (a paused or stopped source wants none).
  virtual bool Ready() const = 0;
  // Renders up to `frames` frames in the mixer's format; returns how many.
  // 0 means nothing yet (a source that is still loading, or has ended).
  virtual std::size_t Render(float* out, std::size_t frames) = 0;
  // True when the source has rendered its last frame.
  virtual bool Finished() const = 0;

  struct Mark {
    std::size_t offset;  // frames into the last Render's output
    MarkAction action;
  };
  // The marks set during the last Render, for the stream.
  std::vector<Mark> TakeMarks() { return std::exchange(m_marks, {}); }

 protected:
  // During Render: marks the frame `offset` frames into this call's output.
  void MarkFrame(std::size_t offset, MarkAction action) { m_marks.push_back({offset, std::move(action)}); }

 private:
  std::vector<Mark> m_marks;
};

class RingStream final : public MixStream {
 public:
  // The renderer must outlive the stream. The thread starts at once.
  RingStream(StreamRenderer& renderer, std::size_t capacityFrames, std::size_t chunkFrames);
  ~RingStream() override;
  RingStream(const RingStream&) = delete;
  RingStream& operator=(const RingStream&) = delete;

  // Runs `change` under the control lock, then wakes the producer. With
  // `flush` the frames not yet read, and their marks, are dropped first (a
  // rewind or a new file must not be heard after old frames); in the answer
  // to a mark, only those after the mark.
  // Controls made inside `change` by the same thread are part of it: the
  // ring is seen only before or after the whole, and the owner has answered
  // a mark once the outermost control ends.
  template <typename Change>
  void Control(Change&& change, bool flush = false) {
    if (m_controlThread.load() == std::this_thread::get_id()) {
      if (flush) Clear();
      change();
      return;
    }
    {
      std::lock_guard lock(m_control);
      m_controlThread.store(std::this_thread::get_id());
      if (flush) Clear();
      change();
      m_controlThread.store(std::thread::id());
      EndControl();
    }
    m_wake.notify_all();
  }

  std::size_t Read(float* out, std::size_t frames) override;
  bool Ended() const override;
  std::size_t WaitReady(std::size_t frames, int timeoutMs) override;

 private:
  struct PendingMark {
    std::size_t frame;  // in frames written
    MarkAction action;
  };

  void Produce();
  // Runs the actions of the marks the reader is about to take.
  void RunDueMarks();
  void Clear();
  // The renderer's state for the readers of the ring, the owner's answer
  // given. Under the control lock.
  void EndControl();
  // Under m_ring:
  void TakeRendererState();
  std::size_t Buffered() const;
  bool MarkDue() const;
  void Write(const float* in, std::size_t frames, std::vector<StreamRenderer::Mark> marks);

  StreamRenderer& m_renderer;
  const std::size_t m_capacity;
  const std::size_t m_chunk;

  // The control lock: held while one chunk renders and by every Control.
  std::mutex m_control;
  std::condition_variable m_wake;
  bool m_quit = false;
  // The thread inside Control, while one is.
  std::atomic<std::thread::id> m_controlThread;

  // The ring itself, under its own short lock.
  mutable std::mutex m_ring;
  std::condition_variable m_filled;
  std::vector<float> m_samples;
  std::size_t m_readFrame = 0;   // total frames read
  std::size_t m_writeFrame = 0;  // total frames written
  std::size_t m_lastRead = 0;    // frames the last read asked for
  std::deque<PendingMark> m_marks;
  // The frame of the last mark whose action said that its owner answers
  // it, while no control has come since.
  std::optional<std::size_t> m_answerAwaitedAt;
  bool m_finished = false;  // the renderer's, as last published
  bool m_idle = true;       // the renderer wants no frames, as last published

  std::thread m_thread;
};

}  // namespace platform
