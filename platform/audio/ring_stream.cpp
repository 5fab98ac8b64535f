#include "platform/audio/ring_stream.h"

#include <algorithm>
#include <chrono>

namespace platform {

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

void RingStream::Clear() {
  std::lock_guard lock(m_ring);
  m_readFrame = m_writeFrame = 0;
}

void RingStream::Write(const float* in, std::size_t frames) {
  {
    std::lock_guard lock(m_ring);
    for (std::size_t i = 0; i < frames; ++i) {
      const std::size_t slot = (m_writeFrame + i) % m_capacity * kMixChannels;
      m_samples[slot] = in[i * kMixChannels];
      m_samples[slot + 1] = in[i * kMixChannels + 1];
    }
    m_writeFrame += frames;
  }
  m_filled.notify_all();
}

void RingStream::Produce() {
  std::vector<float> chunk(m_chunk * kMixChannels);
  std::unique_lock lock(m_control);
  while (!m_quit) {
    const auto space = [this] {
      std::lock_guard ring(m_ring);
      return m_capacity - Buffered();
    };
    if (!m_renderer.Ready()) {
      m_wake.wait(lock);  // until a control call or the end
      continue;
    }
    if (space() < m_chunk) {
      // The callback frees space without telling; look again shortly.
      m_wake.wait_for(lock, std::chrono::milliseconds(5));
      continue;
    }
    const std::size_t frames = m_renderer.Render(chunk.data(), m_chunk);
    m_finished.store(m_renderer.Finished());
    if (frames > 0) {
      Write(chunk.data(), frames);
    } else {
      m_filled.notify_all();
      m_wake.wait_for(lock, std::chrono::milliseconds(5));
    }
  }
}

std::size_t RingStream::Read(float* out, std::size_t frames) {
  std::lock_guard lock(m_ring);
  const std::size_t count = std::min(frames, Buffered());
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t slot = (m_readFrame + i) % m_capacity * kMixChannels;
    out[i * kMixChannels] = m_samples[slot];
    out[i * kMixChannels + 1] = m_samples[slot + 1];
  }
  m_readFrame += count;
  return count;
}

bool RingStream::Ended() const {
  std::lock_guard lock(m_ring);
  return m_finished.load() && Buffered() == 0;
}

void RingStream::WaitReady(std::size_t frames, int timeoutMs) {
  std::unique_lock lock(m_ring);
  m_filled.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                    [&] { return Buffered() >= std::min(frames, m_capacity - m_chunk) || m_finished.load(); });
}

}  // namespace platform
