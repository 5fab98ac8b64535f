#include "platform/audio/midi_stream_out.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <future>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/ring_stream.h"
#include "platform/first_frame.h"

namespace platform {
namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note
constexpr std::uint16_t kDefaultDivision = 96;
constexpr std::size_t kRenderFrames = 256;

std::uint32_t ReadU32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

struct QueuedBuffer {
  int number = 0;
  std::vector<std::uint8_t> bytes;
  std::size_t offset = 0;
  std::uint32_t lastEvent = 0;  // of the events rendered so far
};

// One event of a buffer: where its record starts and how long it is.
struct EventView {
  std::uint32_t delta = 0;
  std::uint32_t event = 0;
  std::span<const std::uint8_t> longData;
  std::size_t size = 0;
};

// Whether the event word is the short event FF 2F 00 (with or without the
// callback flag).
bool EndsSong(std::uint32_t event) {
  return (event & (MEVT_F_LONG | kMidiEventTypeMask)) == 0 && (event & kMidiEventParamMask) == kMidiEndOfTrack;
}

// The event at `offset`, or nothing when the rest of the buffer cannot hold
// one (a long event's bytes are kept within the buffer).
bool ParseEvent(const std::vector<std::uint8_t>& bytes, std::size_t offset, EventView& view) {
  if (bytes.size() < offset + kMidiEventSize) return false;
  view.delta = ReadU32(&bytes[offset]);
  view.event = ReadU32(&bytes[offset + 8]);
  view.size = kMidiEventSize;
  view.longData = {};
  if (view.event & MEVT_F_LONG) {
    const std::size_t length = view.event & kMidiEventParamMask;
    const std::size_t padded = (length + 3) / 4 * 4;
    if (bytes.size() - offset - kMidiEventSize < padded) return false;
    view.longData = std::span(bytes).subspan(offset + kMidiEventSize, length);
    view.size += padded;
  }
  return true;
}

}  // namespace

std::string MidiDeviceErrorText(int code) {
  switch (code) {
    case 0: return "";
    case kMidiErrInvalidParam: return "invalid parameter";
    case kMidiErrStillPlaying: return "the buffer is still playing";
    default: return "unknown error " + std::to_string(code);
  }
}

// Walks the queued buffers on the ring's producer thread (under its lock).
class MidiStreamOut::Renderer final : public StreamRenderer {
 public:
  Renderer(DoneCallback done, LoadedCallback loaded)
      : m_done(std::move(done)),
        m_rate(GetMixer().Rate()),
        m_stream(std::make_shared<RingStream>(*this, std::size_t(m_rate) / 5, kRenderFrames)),
        m_voice(GetMixer().AddStream(m_stream)) {
    // The synthesiser library and its sound font take a moment to load (the
    // first song may be the title's): they load beside the game, once the
    // window shows its first frame, and the stream plays once they are
    // there, from the song's first event.
    m_loading = std::async(std::launch::async, [this, loaded = std::move(loaded),
                                                soundFonts = MidiSynth::SoundFontFiles()] {
      AwaitFirstFrame();
      std::shared_ptr<MidiSynth> synth = MidiSynth::Shared(m_rate, soundFonts);
      if (loaded) loaded(synth->SoundFonts());
      m_stream->Control([&] { m_synth = std::move(synth); });
    });
  }

  ~Renderer() override {
    m_loading.wait();
    GetMixer().Remove(m_voice);
    m_stream.reset();
    m_synth->Reset();
  }

  int SetTimeDivision(std::uint16_t division) {
    if (division == 0) return kMidiErrInvalidParam;
    m_stream->Control([&] { m_division = division; });
    return 0;
  }

  int Out(int number, std::span<const std::uint8_t> events) {
    if (events.size() < kMidiEventSize) return kMidiErrInvalidParam;
    int result = 0;
    m_stream->Control([&] {
      if (QueuedLocked(number)) {
        result = kMidiErrStillPlaying;
        return;
      }
      m_queue.push_back({number, {events.begin(), events.end()}, 0});
    });
    return result;
  }

  bool InQueue(int number) {
    bool queued = false;
    m_stream->Control([&] { queued = QueuedLocked(number); });
    return queued;
  }

  int Restart() {
    m_stream->Control([&] {
      m_running = true;
      m_stopped = false;
    });
    GetMixer().Play(m_voice);
    return 0;
  }

  int Pause() {
    GetMixer().Stop(m_voice);
    m_stream->Control([&] { m_running = false; });
    return 0;
  }

  // The voice ends by itself once the ring is empty.
  int Stop() {
    m_stream->Control(
        [&] {
          m_running = false;
          m_stopped = true;
          m_queue.clear();
          m_unreported.clear();
          if (m_synth) m_synth->Reset();
          m_tempo = kDefaultTempo;
          m_clock = 0;
          m_eventTime = 0;
          m_headTimed = false;
        },
        true);
    return 0;
  }

  int Reset() {
    m_stream->Control([&] {
      if (m_synth) m_synth->Reset();
    });
    return 0;
  }

  void Batch(const std::function<void()>& changes) {
    m_stream->Control([&] {
      changes();
      if (m_answersAwaited > 0) --m_answersAwaited;
    });
  }

  bool Ready() const override { return m_running; }
  bool Finished() const override { return m_stopped; }

  std::size_t Render(float* out, std::size_t frames) override {
    if (!m_synth) return 0;  // still loading
    std::size_t produced = 0;
    while (produced < frames) {
      EventView event;
      std::size_t span = frames - produced;
      if (HeadEvent(event, produced)) {
        if (m_eventTime <= double(m_clock)) {
          Apply(event);
          Advance(event);
          continue;
        }
        span = std::min(span, std::size_t(std::ceil(m_eventTime - double(m_clock))));
      } else if (m_answersAwaited > 0) {
        break;  // what follows is for the owner to queue
      }
      m_synth->Render(out + produced * 2, span);
      produced += span;
      m_clock += span;
    }
    return produced;
  }

 private:
  bool QueuedLocked(int number) const {
    return std::any_of(m_queue.begin(), m_queue.end(), [&](const QueuedBuffer& b) { return b.number == number; }) ||
           std::find(m_unreported.begin(), m_unreported.end(), number) != m_unreported.end();
  }

  // The next event to play, with its time worked out once; `offset` is
  // where this chunk has got to.
  bool HeadEvent(EventView& event, std::size_t offset) {
    while (!m_queue.empty()) {
      QueuedBuffer& head = m_queue.front();
      if (ParseEvent(head.bytes, head.offset, event)) {
        if (!m_headTimed) {
          m_eventTime += TicksToSamples(event.delta);
          m_headTimed = true;
        }
        return true;
      }
      FinishHead(offset);
    }
    return false;
  }

  void Advance(const EventView& event) {
    m_queue.front().offset += event.size;
    m_queue.front().lastEvent = event.event;
    m_headTimed = false;
  }

  // Tells the owner; true when it answers.
  bool Report(int number) {
    const bool answers = m_done && m_done(number);
    if (answers) ++m_answersAwaited;
    return answers;
  }

  // The head buffer has given its last event, at `offset` into this chunk:
  // it is done now, or, when it ends the song, once the device is about to
  // take that frame.
  void FinishHead(std::size_t offset) {
    const int number = m_queue.front().number;
    const bool endsSong = EndsSong(m_queue.front().lastEvent);
    m_queue.pop_front();
    m_headTimed = false;
    if (!endsSong) {
      Report(number);
      return;
    }
    m_unreported.push_back(number);
    MarkFrame(offset, [this, number] {
      std::erase(m_unreported, number);
      // With nothing queued, what follows is for the owner to say.
      return Report(number) && m_queue.empty();
    });
  }

  void Apply(const EventView& event) {
    if (event.event & MEVT_F_LONG) {
      m_synth->SystemExclusive(event.longData);
    } else if ((event.event & kMidiEventTypeMask) == MEVT_TEMPO) {
      m_tempo = event.event & kMidiEventParamMask;
    } else if ((event.event & kMidiEventTypeMask) == 0) {
      m_synth->ShortMessage(event.event & kMidiEventParamMask);
    }
  }

  double TicksToSamples(std::uint32_t ticks) const {
    if (m_division & 0x8000) {
      // SMPTE: frames per second (negative in the top byte) x ticks per frame.
      const int fps = -static_cast<std::int8_t>(m_division >> 8);
      const double perSecond = (fps == 29 ? 29.97 : fps) * (m_division & 0xFF);
      return perSecond > 0 ? double(ticks) * m_rate / perSecond : 0.0;
    }
    return double(ticks) * double(m_tempo) / double(m_division) * m_rate / 1e6;
  }

  DoneCallback m_done;
  const int m_rate;
  std::shared_ptr<MidiSynth> m_synth;  // once loaded
  std::future<void> m_loading;
  std::deque<QueuedBuffer> m_queue;
  std::vector<int> m_unreported;  // songs' ends rendered, not yet played
  int m_answersAwaited = 0;       // reports the owner has still to answer
  bool m_running = false;
  bool m_stopped = true;  // no song until the next Restart
  std::uint16_t m_division = kDefaultDivision;
  std::uint32_t m_tempo = kDefaultTempo;
  std::uint64_t m_clock = 0;  // samples rendered since the stream was stopped
  double m_eventTime = 0;     // the sample at which the head event falls
  bool m_headTimed = false;
  std::shared_ptr<RingStream> m_stream;
  VoiceId m_voice;
};

MidiStreamOut::MidiStreamOut(DoneCallback done, LoadedCallback loaded)
    : m_renderer(std::make_unique<Renderer>(std::move(done), std::move(loaded))) {}
MidiStreamOut::~MidiStreamOut() = default;

int MidiStreamOut::SetTimeDivision(std::uint16_t division) { return m_renderer->SetTimeDivision(division); }
int MidiStreamOut::Out(int buffer, std::span<const std::uint8_t> events) { return m_renderer->Out(buffer, events); }
bool MidiStreamOut::InQueue(int buffer) const { return m_renderer->InQueue(buffer); }
int MidiStreamOut::Restart() { return m_renderer->Restart(); }
int MidiStreamOut::Pause() { return m_renderer->Pause(); }
int MidiStreamOut::Stop() { return m_renderer->Stop(); }
int MidiStreamOut::Reset() { return m_renderer->Reset(); }
void MidiStreamOut::Batch(const std::function<void()>& changes) { m_renderer->Batch(changes); }

}  // namespace platform
