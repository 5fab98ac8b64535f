#include "tools/sample_game/wave_file.h"

#include "tools/sample_game/byte_writer.h"

namespace sample_game {

std::vector<std::uint8_t> EncodeWav(const Samples& samples, int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  ByteWriter out;
  out.Text("RIFF");
  out.U32(4 + 8 + 16 + 8 + dataBytes);
  out.Text("WAVE");
  out.Text("fmt ");
  out.U32(16);
  out.U16(1);  // PCM
  out.U16(1);  // mono
  out.U32(static_cast<std::uint32_t>(sampleRate));
  out.U32(static_cast<std::uint32_t>(sampleRate) * 2);  // bytes per second
  out.U16(2);                                           // block align
  out.U16(16);                                          // bits per sample
  out.Text("data");
  out.U32(dataBytes);
  for (std::int16_t s : samples) out.I16(s);
  return out.Take();
}

}  // namespace sample_game
