#pragma once
// The MIDI stream player: plays the converted format-0 track of a cSmf on a
// MIDI stream device (platform/audio/midi_stream_out.h). Two buffers of 24000
// bytes take turns: while the device plays one, the other is filled with
// the next piece of the track. A feeder thread refills a buffer when the
// device reports it done; at the end of the track it rewinds and, when
// looping, plays the song again. The feeder and the main thread's play,
// pause and stop calls take one lock, so the read position and the current
// buffer always change together. The device reports a buffer done once it
// has rendered it, so the next piece is queued in time however little
// music the last one held; the track's last piece is done once the device
// is about to play its end, and a stop then keeps that end: a song is heard
// whole before it stops or loops.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "foundation/thread.h"
#include "sound/midi/smf.h"

namespace platform {
class MidiStreamOut;
}

// The device's message to the feeder: a buffer was played (wParam: its number).
inline constexpr unsigned MM_MOM_DONE = 970;

enum MidiPlayerState : int { MIDI_STOPPED = 0, MIDI_PLAYING = 1, MIDI_PAUSED = 2 };

class cMidiPlayer : public cSmf {
 public:
  static constexpr int kBufferCount = 2;
  static constexpr std::size_t kBufferSize = 24000;
  // Where the first event of the converted file starts.
  static constexpr std::size_t kFirstEvent = 22;

  // Reads and converts the file; only when that succeeds the stream opens.
  explicit cMidiPlayer(std::string fileName);
  ~cMidiPlayer() override;

  // True when the file was converted and the stream is open.
  bool Loaded() const { return m_pStream != nullptr; }
  int Open();
  // Plays (loop 1: again and again); from stopped it refills the other
  // buffer when the track goes on.
  int Play(int loop);
  // flag 1 pauses a playing stream; flag 0 stops, rewinds and refills the
  // first buffer.
  int Stop(int flag);
  int Close();
  int State() const;

 private:
  struct StreamBuffer {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kBufferSize);
    std::uint32_t lastEvent = 0;
  };

  // Under m_mutex.
  void FillBuffer();
  void StopLocked(int flag);
  void PlayLocked(int loop);
  void OnBufferDone(int number);
  void AnswerBufferDone(int number);
  unsigned Feed();
  void LogFailure(const char* operation, int result) const;

  std::unique_ptr<platform::MidiStreamOut> m_pStream;
  std::array<StreamBuffer, kBufferCount> m_buffers;
  int m_nCurBuffer = 0;
  std::size_t m_nPosition = kFirstEvent;
  std::uint32_t m_nCarriedDelta = 0;
  // Counts the rewinds; buffers go to the device numbered by it, so that a
  // report of a buffer from before a rewind is told apart and ignored.
  int m_nGeneration = 0;
  int m_nState = MIDI_STOPPED;
  int m_bLoop = 0;
  mutable std::mutex m_mutex;
  cThread m_thread;
};

// A short description of a device result code, empty for 0.
std::string MidiErrorText(int code);
