#include "platform/audio/ogg_player.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/audio/pcm_convert.h"
#include "platform/audio/ring_stream.h"

namespace platform {
namespace {

constexpr std::size_t kDecodeFrames = 1024;

std::size_t RingFrames(int rate) { return std::size_t(rate) / 5; }

// What vorbisfile found wrong with a file it read; empty when it could not
// read the file at all (ov_fopen's own open failed).
std::string DamageOf(int openResult) {
  switch (openResult) {
    case OV_FALSE: return "";
    case OV_ENOTVORBIS: return "not Ogg Vorbis data";
    case OV_EBADHEADER: return "a damaged Vorbis header";
    case OV_EVERSION: return "a Vorbis version this program does not read";
    case OV_EREAD: return "a read error";
    default: return "vorbisfile error " + std::to_string(openResult);
  }
}

}  // namespace

// The decoding half, called by the ring's producer thread under its lock.
class OggPlayer::Decoder final : public StreamRenderer {
 public:
  Decoder()
      : m_rate(GetMixer().Rate()),
        m_stream(std::make_shared<RingStream>(*this, RingFrames(m_rate), kDecodeFrames)),
        m_voice(GetMixer().AddStream(m_stream)) {}

  ~Decoder() override {
    GetMixer().Remove(m_voice);
    // The ring's thread must end before the file goes.
    m_stream.reset();
    CloseFile();
  }

  bool Open(const std::filesystem::path& file, std::string* damage) {
    GetMixer().Stop(m_voice);
    GetMixer().SetGain(m_voice, 1.0f);
    bool opened = false;
    std::string found;
    m_stream->Control(
        [&] {
          CloseFile();
          m_loopCount = 0;
          if (const int result = ov_fopen(file.c_str(), &m_file); result != 0) {
            found = DamageOf(result);
            return;
          }
          m_open = true;
          const vorbis_info* info = ov_info(&m_file, -1);
          m_channels = info ? std::min(info->channels, kMixChannels) : 0;
          if (!info || !m_converter.Setup(m_channels, int(info->rate), m_rate)) {
            found = "a channel count or rate that cannot be played";
            CloseFile();
            return;
          }
          opened = true;
          Rewind();
        },
        true);
    if (damage) *damage = std::move(found);
    return opened;
  }

  void Play() {
    m_stream->Control([&] { m_playing = m_open; });
    if (m_open) GetMixer().Play(m_voice);
  }

  void Stop() {
    GetMixer().Stop(m_voice);
    m_stream->Control([&] { m_playing = false; });
  }

  void Reset() {
    m_stream->Control([&] { Rewind(); }, true);
  }

  void SetLoopCount(int count) {
    m_stream->Control([&] { m_loopCount = m_loopsLeft = std::max(count, 0); });
  }

  void SetVolume(float volume) { GetMixer().SetGain(m_voice, std::clamp(volume, 0.0f, 1.0f)); }

  bool IsPlaying() const { return GetMixer().IsPlaying(m_voice); }

  bool Ready() const override { return m_playing && !m_drained; }
  bool Finished() const override { return m_drained || !m_open; }

  std::size_t Render(float* out, std::size_t frames) override {
    while (true) {
      const std::size_t got = m_converter.Get(out, frames);
      if (got > 0) return got;
      if (m_ended) {
        m_drained = true;
        return 0;
      }
      DecodeMore();
    }
  }

 private:
  // Puts the next decoded piece into the converter; at the file's end
  // repeats from the start or finishes.
  void DecodeMore() {
    float** planes = nullptr;
    int section = 0;
    const long got = ov_read_float(&m_file, &planes, int(kDecodeFrames), &section);
    if (got > 0) {
      m_decodedThisRound = true;
      m_interleaved.resize(std::size_t(got) * m_channels);
      for (long i = 0; i < got; ++i)
        for (int c = 0; c < m_channels; ++c) m_interleaved[std::size_t(i) * m_channels + c] = planes[c][i];
      m_converter.Put(m_interleaved.data(), std::size_t(got));
      return;
    }
    if (got == OV_HOLE) return;  // a gap in the data: decoding goes on after it
    // A file without samples is not repeated: that would never end.
    if (got == 0 && m_loopsLeft > 0 && m_decodedThisRound && ov_pcm_seek(&m_file, 0) == 0) {
      if (m_loopsLeft != kEndless) --m_loopsLeft;
      m_decodedThisRound = false;
      return;
    }
    m_converter.Finish();
    m_ended = true;
  }

  void Rewind() {
    m_converter.Clear();
    m_loopsLeft = m_loopCount;
    m_decodedThisRound = false;
    m_ended = !m_open || ov_pcm_seek(&m_file, 0) != 0;
    m_drained = m_ended;
  }

  void CloseFile() {
    if (m_open) ov_clear(&m_file);
    m_open = false;
    m_playing = false;
    m_ended = m_drained = true;
  }

  const int m_rate;
  OggVorbis_File m_file{};
  bool m_open = false;
  bool m_playing = false;
  bool m_ended = true;    // the decoder has given its last piece
  bool m_drained = true;  // and the converter its last frame
  int m_channels = 0;
  int m_loopCount = 0;
  int m_loopsLeft = 0;
  bool m_decodedThisRound = false;  // samples came since the last start
  PcmConverter m_converter;
  std::vector<float> m_interleaved;
  std::shared_ptr<RingStream> m_stream;
  VoiceId m_voice;
};

OggPlayer::OggPlayer() : m_decoder(std::make_unique<Decoder>()) {}
OggPlayer::~OggPlayer() = default;

bool OggPlayer::Open(const std::filesystem::path& file, std::string* damage) {
  return m_decoder->Open(file, damage);
}
void OggPlayer::Play() { m_decoder->Play(); }
void OggPlayer::Stop() { m_decoder->Stop(); }
void OggPlayer::Reset() { m_decoder->Reset(); }
void OggPlayer::SetLoopCount(int count) { m_decoder->SetLoopCount(count); }
void OggPlayer::SetVolume(float volume) { m_decoder->SetVolume(volume); }
bool OggPlayer::IsPlaying() const { return m_decoder->IsPlaying(); }

}  // namespace platform
