#include "sound/waves/wave_file.h"

#include <cstring>
#include <optional>
#include <string>

#include "foundation/game_files.h"
#include "foundation/log.h"
#include "platform/audio/pcm_convert.h"

namespace {

// The largest format chunk of plain PCM: the format record with its
// extension size.
constexpr std::uint32_t kMaxFormatSize = 18;
constexpr std::uint32_t kMinFormatSize = 16;

std::uint16_t ReadU16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::uint32_t ReadU32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

struct Chunk {
  std::size_t data = 0;  // offset of the chunk's content
  std::uint32_t size = 0;
  std::size_t next = 0;  // offset after the content and its pad byte
};

// The first chunk named `id` from `offset` on, among chunks that lie within
// `end`; a chunk's stated size may run past `end` (the caller clamps).
std::optional<Chunk> FindChunk(std::span<const std::uint8_t> file, std::size_t offset, std::size_t end,
                               const char* id) {
  while (offset + 8 <= end) {
    const std::uint32_t size = ReadU32(&file[offset + 4]);
    const Chunk chunk{offset + 8, size, offset + 8 + std::size_t(size) + (size & 1)};
    if (std::memcmp(&file[offset], id, 4) == 0) return chunk;
    offset = chunk.next;
  }
  return std::nullopt;
}

void ReportRefusal(std::string_view path, const char* reason) {
  const std::string name(path);
  ReportAndLog(Cp932Literal(reason), name.c_str());
}

constexpr const char* kNotRiffWave = "%s の読み込みに失敗しました…\n不正なファイルです。";
constexpr const char* kBadFormat =
    "%s の読み込みに失敗しました…\n対応していない形式か、不正なwavファイルです。\n本ソフトではPCM形式のみ再生できます。";
constexpr const char* kNotPcm = "%s の読み込みに失敗しました…\nPCM形式以外の形式です。\n本ソフトではPCM形式のみ再生できます。";

WAVEFORMATEX ReadFormat(const std::uint8_t* p, std::uint32_t size) {
  WAVEFORMATEX format;
  format.wFormatTag = ReadU16(p);
  format.nChannels = ReadU16(p + 2);
  format.nSamplesPerSec = ReadU32(p + 4);
  format.nAvgBytesPerSec = ReadU32(p + 8);
  format.nBlockAlign = ReadU16(p + 12);
  format.wBitsPerSample = ReadU16(p + 14);
  if (size >= kMaxFormatSize) format.cbSize = ReadU16(p + 16);
  return format;
}

bool IsPlayablePcm(const WAVEFORMATEX& format) {
  const platform::PcmFormat pcm{int(format.nSamplesPerSec), format.wBitsPerSample, format.nChannels};
  return platform::IsConvertiblePcm(pcm) && format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8;
}

}  // namespace

bool ParseWave(std::span<const std::uint8_t> file, std::string_view path, WAVEDATA& wave) {
  std::optional<Chunk> riff;
  for (std::size_t offset = 0; offset + 12 <= file.size();) {
    riff = FindChunk(file, offset, file.size(), "RIFF");
    if (!riff || (riff->data + 4 <= file.size() && std::memcmp(&file[riff->data], "WAVE", 4) == 0)) break;
    offset = riff->next;
    riff.reset();
  }
  if (!riff || riff->data + 4 > file.size()) {
    ReportRefusal(path, kNotRiffWave);
    return false;
  }
  const std::size_t riffEnd = std::min(file.size(), riff->data + std::size_t(riff->size));
  const std::optional<Chunk> fmt = FindChunk(file, riff->data + 4, riffEnd, "fmt ");
  if (!fmt) return false;
  if (fmt->size > kMaxFormatSize || fmt->size < kMinFormatSize || fmt->data + fmt->size > riffEnd) {
    ReportRefusal(path, kBadFormat);
    return false;
  }
  const WAVEFORMATEX format = ReadFormat(&file[fmt->data], fmt->size);
  if (format.wFormatTag != WAVE_FORMAT_PCM) {
    ReportRefusal(path, kNotPcm);
    return false;
  }
  if (!IsPlayablePcm(format)) {
    ReportRefusal(path, kBadFormat);
    return false;
  }
  const std::optional<Chunk> data = FindChunk(file, fmt->next, riffEnd, "data");
  if (!data || data->data > riffEnd) return false;
  std::size_t size = std::min<std::size_t>(data->size, riffEnd - data->data);
  size -= size % format.nBlockAlign;
  if (size == 0) return false;
  wave.format = format;
  wave.data.assign(file.begin() + std::ptrdiff_t(data->data), file.begin() + std::ptrdiff_t(data->data + size));
  return true;
}

bool DS_ReadWave(std::string_view path, WAVEDATA& wave) {
  std::vector<unsigned char> file;
  if (!ReadGameFile(path, file)) return false;
  return ParseWave(file, path, wave);
}

void DS_FreeWave(WAVEDATA& wave) {
  wave.data.clear();
  wave.data.shrink_to_fit();
}
