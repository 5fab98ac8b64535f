#include "sound/midi/midi_player.h"

#include <mutex>

#include "foundation/log.h"
#include "platform/audio/midi_stream_out.h"
#include "sound/midi/sound_font_report.h"
#include "sound/midi/stream_events.h"

std::string MidiErrorText(int code) { return platform::MidiDeviceErrorText(code); }

cMidiPlayer::cMidiPlayer(std::string fileName) : cSmf(std::move(fileName)) {
  if (ReadFile() && Check()) Open();
}

cMidiPlayer::~cMidiPlayer() { Close(); }

void cMidiPlayer::LogFailure(const char* operation, int result) const {
  if (result != 0)
    DebugLogF("Midi %s %s %s", m_strFile.c_str(), operation, MidiErrorText(result).c_str());
}

int cMidiPlayer::Open() {
  // The feeder answers every report it gets (OnBufferDone).
  m_pStream = std::make_unique<platform::MidiStreamOut>(
      [this](int number) { return m_thread.PostMessage(MM_MOM_DONE, std::uintptr_t(number)); }, ReportSoundFonts);
  m_thread.Start([this] { return Feed(); });
  const std::vector<std::uint8_t>& data = Data();
  LogFailure("Property", m_pStream->SetTimeDivision(std::uint16_t(data[12] << 8 | data[13])));
  std::lock_guard lock(m_mutex);
  m_nPosition = kFirstEvent;
  m_nState = MIDI_STOPPED;
  FillBuffer();
  return 1;
}

void cMidiPlayer::FillBuffer() {
  const int number = m_nGeneration * kBufferCount + m_nCurBuffer;
  if (m_nPosition >= DataLength() || m_pStream->InQueue(number)) return;
  StreamBuffer& buffer = m_buffers[std::size_t(m_nCurBuffer)];
  const StreamFill fill = ConvertEvents(Data(), m_nPosition, DataLength(), m_nCarriedDelta, buffer.bytes);
  if (fill.used == 0) return;
  buffer.lastEvent = fill.lastEvent;
  LogFailure("Out", m_pStream->Out(number, std::span(buffer.bytes).first(fill.used)));
  m_nCurBuffer = (m_nCurBuffer + 1) % kBufferCount;
}

int cMidiPlayer::Play(int loop) {
  if (!m_pStream) return 0;
  std::lock_guard lock(m_mutex);
  PlayLocked(loop);
  return 1;
}

void cMidiPlayer::PlayLocked(int loop) {
  m_bLoop = loop;
  const bool fromStop = m_nState == MIDI_STOPPED;
  if (m_nState != MIDI_PLAYING) LogFailure("Restart", m_pStream->Restart());
  m_nState = MIDI_PLAYING;
  if (fromStop) FillBuffer();
}

int cMidiPlayer::Stop(int flag) {
  if (!m_pStream) return 0;
  std::lock_guard lock(m_mutex);
  StopLocked(flag);
  return 1;
}

void cMidiPlayer::StopLocked(int flag) {
  if (flag == 1) {
    if (m_nState == MIDI_PLAYING) {
      LogFailure("Pause", m_pStream->Pause());
      m_nState = MIDI_PAUSED;
    }
    return;
  }
  LogFailure("Stop", m_pStream->Stop());
  ++m_nGeneration;
  m_nPosition = kFirstEvent;
  m_nCarriedDelta = 0;
  m_nCurBuffer = 0;
  m_nState = MIDI_STOPPED;
  FillBuffer();
}

void cMidiPlayer::OnBufferDone(int number) {
  std::lock_guard lock(m_mutex);
  // The whole answer is one change of the stream: a loop's stop, rewind,
  // refill and play again are seen together, right after the song's end.
  m_pStream->Batch([&] { AnswerBufferDone(number); });
}

void cMidiPlayer::AnswerBufferDone(int number) {
  if (number / kBufferCount != m_nGeneration || m_nState != MIDI_PLAYING) return;
  const StreamBuffer& buffer = m_buffers[std::size_t(number % kBufferCount)];
  if ((buffer.lastEvent & platform::kMidiEventParamMask) != platform::kMidiEndOfTrack) {
    FillBuffer();
    return;
  }
  StopLocked(0);
  // A song without length would loop as fast as the threads can go.
  if (m_bLoop && PlayTime() > 0) PlayLocked(m_bLoop);
}

unsigned cMidiPlayer::Feed() {
  while (true) {
    ThreadMessage message;
    while (cThread::PeekMessage(message)) {
      if (message.id == WM_QUIT) return 0;
      if (message.id == MM_MOM_DONE) OnBufferDone(int(message.wParam));
    }
    if (!cThread::Sleep(1)) return 0;
  }
}

int cMidiPlayer::Close() {
  // The feeder calls into this player, so it never outlives it.
  m_thread.ExitAndWait();
  if (m_pStream) LogFailure("Reset", m_pStream->Reset());
  m_pStream.reset();
  return 1;
}

int cMidiPlayer::State() const {
  std::lock_guard lock(m_mutex);
  return m_nState;
}
