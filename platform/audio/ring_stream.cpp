#include "platform/audio/ring_stream.h"

#include <algorithm>
#include <chrono>

namespace platform {
namespace {
// How soon the producer looks again at what it was not told of: space the
// callback freed, a mark it came to while the producer was busy.
constexpr std::chrono::milliseconds kRecheck{5};
}  // namespace

RingStream::RingStream(StreamRenderer& renderer, std::size_t capacityFrames, std::size_t chunkFrames)
    : m_renderer(renderer),
      m_capacity(capacityFrames),
      m_chunk(std::min(chunkFrames, capacityFrames)),
      m_samples(capacityFrames * kMixChannels) {
  m_thread = std::thread([this] { Produce(); });
}

RingStream::~RingStream() {
  {
    std::lock_guard lock(m_control);
    m_quit = true;
  }
  m_wake.notify_all();
  m_thread.join();
}

std::size_t RingStream::Buffered() const { return m_writeFrame - m_readFrame; }

bool RingStream::MarkDue() const {
  return !m_marks.empty() && m_marks.front().frame <= m_readFrame + std::max(m_lastRead, m_capacity / 2);
}

void RingStream::TakeRendererState() {
  m_finished = m_renderer.Finished();
  m_idle = !m_renderer.Ready();
}

void RingStream::Clear() {
  std::lock_guard lock(m_ring);
  // In the answer to a mark, the frames up to the mark are the end the
  // owner was told of: they stay.
  m_writeFrame = std::max(m_readFrame, m_answerAwaitedAt.value_or(0));
  m_marks.clear();
}

void RingStream::EndControl() {
  {
    std::lock_guard lock(m_ring);
    TakeRendererState();
    m_answerAwaitedAt.reset();
  }
  m_filled.notify_all();
}

void RingStream::Write(const float* in, std::size_t frames, std::vector<StreamRenderer::Mark> marks) {
  {
    std::lock_guard lock(m_ring);
    for (StreamRenderer::Mark& mark : marks) m_marks.push_back({m_writeFrame + mark.offset, std::move(mark.action)});
    for (std::size_t i = 0; i < frames; ++i) {
      const std::size_t slot = (m_writeFrame + i) % m_capacity * kMixChannels;
      m_samples[slot] = in[i * kMixChannels];
      m_samples[slot + 1] = in[i * kMixChannels + 1];
    }
    m_writeFrame += frames;
    TakeRendererState();
  }
  m_filled.notify_all();
}

void RingStream::RunDueMarks() {
  while (true) {
    MarkAction action;
    {
      std::lock_guard lock(m_ring);
      if (!MarkDue()) return;
      // The mark stays in place while its action runs: a capture waits at
      // it until the answer is known.
      action = std::move(m_marks.front().action);
    }
    const bool answered = action && action();
    {
      std::lock_guard lock(m_ring);
      const std::size_t frame = m_marks.front().frame;
      m_marks.pop_front();
      if (answered && m_marks.empty()) m_answerAwaitedAt = frame;
      else m_answerAwaitedAt.reset();
    }
    m_filled.notify_all();
  }
}

void RingStream::Produce() {
  std::vector<float> chunk(m_chunk * kMixChannels);
  std::unique_lock lock(m_control);
  while (!m_quit) {
    RunDueMarks();
    bool marksAhead = false;
    std::size_t space = 0;
    {
      std::lock_guard ring(m_ring);
      marksAhead = !m_marks.empty();
      space = m_capacity - Buffered();
    }
    if (!m_renderer.Ready()) {
      // Until a control call or the end; the reader comes to a mark without
      // waiting for the producer to listen.
      if (marksAhead) m_wake.wait_for(lock, kRecheck);
      else m_wake.wait(lock);
      continue;
    }
    if (space < m_chunk) {
      m_wake.wait_for(lock, kRecheck);
      continue;
    }
    const std::size_t frames = m_renderer.Render(chunk.data(), m_chunk);
    Write(chunk.data(), frames, m_renderer.TakeMarks());
    if (frames == 0) m_wake.wait_for(lock, kRecheck);
  }
}

std::size_t RingStream::Read(float* out, std::size_t frames) {
  bool due = false;
  std::size_t count = 0;
  {
    std::lock_guard lock(m_ring);
    m_lastRead = frames;
    count = std::min(frames, Buffered());
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t slot = (m_readFrame + i) % m_capacity * kMixChannels;
      out[i * kMixChannels] = m_samples[slot];
      out[i * kMixChannels + 1] = m_samples[slot + 1];
    }
    m_readFrame += count;
    due = MarkDue();
  }
  // The producer runs the mark's action; the callback only wakes it.
  if (due) m_wake.notify_all();
  return count;
}

bool RingStream::Ended() const {
  std::lock_guard lock(m_ring);
  return m_finished && Buffered() == 0;
}

std::size_t RingStream::WaitReady(std::size_t frames, int timeoutMs) {
  std::unique_lock lock(m_ring);
  std::size_t ready = frames;  // after the time has passed: read on, as a device would
  m_filled.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
    // Near a mark whose action has not run, or whose owner has not
    // answered, what follows is not known yet.
    if (MarkDue() || m_answerAwaitedAt) return false;
    const std::size_t toMark = m_marks.empty() ? frames : m_marks.front().frame - m_readFrame;
    const std::size_t buffered = Buffered();
    if (buffered >= std::min({frames, toMark, m_capacity - m_chunk})) {
      ready = std::min({frames, toMark, buffered});
      return true;
    }
    // Nothing more comes until a control call: what there is, or no limit.
    if (m_finished || m_idle) {
      ready = buffered > 0 ? buffered : frames;
      return true;
    }
    return false;
  });
  return ready;
}

}  // namespace platform
