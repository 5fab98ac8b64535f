#include "tests/support/ogg_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

void AppendPage(std::vector<unsigned char>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

std::vector<unsigned char> EncodeOggVorbis(const std::vector<float>& interleaved, int channels, int rate) {
  std::vector<unsigned char> out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, 0.4f) != 0) {
    vorbis_info_clear(&info);
    return out;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) AppendPage(out, page);

  const auto drain = [&] {
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) AppendPage(out, page);
      }
    }
  };
  const std::size_t frames = interleaved.size() / std::size_t(channels);
  constexpr std::size_t kChunk = 1024;
  for (std::size_t start = 0; start < frames; start += kChunk) {
    const std::size_t count = std::min(kChunk, frames - start);
    float** buffer = vorbis_analysis_buffer(&dsp, int(count));
    for (std::size_t i = 0; i < count; ++i)
      for (int c = 0; c < channels; ++c) buffer[c][i] = interleaved[(start + i) * std::size_t(channels) + c];
    vorbis_analysis_wrote(&dsp, int(count));
    drain();
  }
  vorbis_analysis_wrote(&dsp, 0);
  drain();
  while (ogg_stream_flush(&stream, &page) != 0) AppendPage(out, page);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}
