#pragma once
// A MIDI stream device: buffers of timed MIDI events go in, and a
// synthesiser plays each event at its tick time, rendered into the mixer.
// The buffers keep the layout that stream players produce: 12-byte records
// {delta ticks, stream id 0, event}, little endian, where a long event
// (system exclusive) is followed by its bytes, padded with zeros to a
// multiple of 4. A buffer is reported done, by its number, as soon as its
// last event has been rendered, so that the next one is queued in time
// however little music it held (a burst of controller changes plays in no
// time, while the device has still a tenth of a second to play). The
// buffer that ends the song (its last event the end of track, FF 2F 00) is
// reported done only once the device is about to take the frame at which
// that falls (see platform/audio/ring_stream.h): what the owner does then (a
// stop, a loop) joins the song's end. The reports come from the rendering
// thread. While nothing is queued the synthesiser sounds on (the notes'
// release) until a stop.
//
// Timing is exact to the sample: the renderer works out, from the time
// division and the current tempo, at which sample each event falls, renders
// the synthesiser up to it and then applies the event. Stopping rewinds the
// stream's clock and puts the tempo back to its default, so a song that is
// started again begins at its own opening tempo.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/audio/midi_synth.h"

namespace platform {

inline constexpr std::size_t kMidiEventSize = 12;
// Event word: the type in the top byte, the parameters in the low 24 bits.
inline constexpr std::uint32_t MEVT_F_LONG = 0x80000000u;
inline constexpr std::uint32_t MEVT_F_CALLBACK = 0x40000000u;
inline constexpr std::uint32_t MEVT_TEMPO = 0x01000000u;
inline constexpr std::uint32_t kMidiEventTypeMask = 0x3F000000u;
inline constexpr std::uint32_t kMidiEventParamMask = 0x00FFFFFFu;
// The parameters of the short event that ends a song: FF 2F 00.
inline constexpr std::uint32_t kMidiEndOfTrack = 0x2FFF;

// Result codes of the device operations; 0 is success.
inline constexpr int kMidiErrInvalidParam = 11;
inline constexpr int kMidiErrStillPlaying = 33;
// A short description of a result code; empty for 0.
std::string MidiDeviceErrorText(int code);

class MidiStreamOut {
 public:
  // Hears each buffer done; returns true when the owner answers the report
  // with a Batch of calls on the stream (a refill, a rewind). While such an
  // answer is awaited and nothing is queued, the stream renders no further
  // (a device plays on what was rendered before), and a capture of the mix
  // waits for the answer before it reads on.
  using DoneCallback = std::function<bool(int buffer)>;
  // Hears which sound font the synthesiser plays with (none: silent
  // playback) and which it refused, from the thread that loads it, before
  // the stream plays.
  using LoadedCallback = std::function<void(const SoundFontChoice& soundFonts)>;

  // A stopped stream on the shared synthesiser at the mixer's rate, with
  // the sound fonts of MidiSynth::SoundFontFiles as they are now. The
  // synthesiser loads beside the caller: a started stream plays once it is
  // there.
  explicit MidiStreamOut(DoneCallback done, LoadedCallback loaded = nullptr);
  ~MidiStreamOut();
  MidiStreamOut(const MidiStreamOut&) = delete;
  MidiStreamOut& operator=(const MidiStreamOut&) = delete;

  // Ticks per quarter note, or an SMPTE division (top bit set).
  int SetTimeDivision(std::uint16_t division);
  // Queues a copy of the events as buffer number `buffer`.
  int Out(int buffer, std::span<const std::uint8_t> events);
  // True while buffer number `buffer` is queued and not yet reported done.
  bool InQueue(int buffer) const;
  // Starts or resumes playing.
  int Restart();
  // Holds the stream where it is.
  int Pause();
  // Drops every queued buffer (not reported done), silences the synthesiser
  // and rewinds the clock and the tempo. What the device has still to take
  // of the buffers reported done is heard before the stop (a song's end).
  int Stop();
  // Every note off.
  int Reset();
  // Makes the calls of `changes` on this stream as one change: the
  // rendering thread sees the stream before or after them all.
  void Batch(const std::function<void()>& changes);

 private:
  class Renderer;
  std::unique_ptr<Renderer> m_renderer;
};

}  // namespace platform
