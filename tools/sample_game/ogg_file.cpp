#include "tools/sample_game/ogg_file.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstring>

namespace sample_game {
namespace {

constexpr int kSerialNumber = 0x5A3E;
constexpr float kQuality = 0.2f;
constexpr int kBlock = 1024;

void AppendPage(std::vector<std::uint8_t>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

// Owns the encoder's state for one file.
class Encoder {
 public:
  explicit Encoder(int sampleRate) {
    vorbis_info_init(&info_);
    ready_ = vorbis_encode_init_vbr(&info_, 1, sampleRate, kQuality) == 0;
    if (!ready_) return;
    vorbis_comment_init(&comment_);
    vorbis_comment_add_tag(&comment_, "TITLE", "Meadow Run");
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    ogg_stream_init(&stream_, kSerialNumber);
  }
  ~Encoder() {
    if (ready_) {
      ogg_stream_clear(&stream_);
      vorbis_block_clear(&block_);
      vorbis_dsp_clear(&dsp_);
      vorbis_comment_clear(&comment_);
    }
    vorbis_info_clear(&info_);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  bool Ready() const { return ready_; }

  void WriteHeaders(std::vector<std::uint8_t>& out) {
    ogg_packet id, comments, codebooks;
    vorbis_analysis_headerout(&dsp_, &comment_, &id, &comments, &codebooks);
    ogg_stream_packetin(&stream_, &id);
    ogg_stream_packetin(&stream_, &comments);
    ogg_stream_packetin(&stream_, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) AppendPage(out, page);
  }

  // count 0 marks the end of the input.
  void Feed(const std::int16_t* samples, int count, std::vector<std::uint8_t>& out) {
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp_, count);
      for (int i = 0; i < count; ++i) buffer[0][i] = samples[i] / 32768.0f;
    }
    vorbis_analysis_wrote(&dsp_, count);
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&stream_, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream_, &page) != 0) AppendPage(out, page);
      }
    }
  }

  void Finish(std::vector<std::uint8_t>& out) {
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) AppendPage(out, page);
  }

 private:
  vorbis_info info_{};
  vorbis_comment comment_{};
  vorbis_dsp_state dsp_{};
  vorbis_block block_{};
  ogg_stream_state stream_{};
  bool ready_ = false;
};

}  // namespace

std::vector<std::uint8_t> EncodeOgg(const Samples& samples, int sampleRate) {
  std::vector<std::uint8_t> out;
  Encoder encoder(sampleRate);
  if (!encoder.Ready()) return out;
  encoder.WriteHeaders(out);
  for (std::size_t at = 0; at < samples.size(); at += kBlock) {
    const int count = static_cast<int>(std::min<std::size_t>(kBlock, samples.size() - at));
    encoder.Feed(samples.data() + at, count, out);
  }
  encoder.Feed(nullptr, 0, out);
  encoder.Finish(out);
  return out;
}

}  // namespace sample_game
