#pragma once
// Reading a RIFF wave file of integer PCM into memory. The checks guard the
// converter behind them: a format chunk of 16 to 18 bytes that the file
// really holds, the PCM tag, one or two channels of 8 or 16 bits with a
// matching block size, and a data size no larger than the bytes present
// (cut to whole frames). A refused file leaves one line in the report saying
// why, except when it cannot be opened or holds no samples at all.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct WAVEFORMATEX {
  std::uint16_t wFormatTag = 0;
  std::uint16_t nChannels = 0;
  std::uint32_t nSamplesPerSec = 0;
  std::uint32_t nAvgBytesPerSec = 0;
  std::uint16_t nBlockAlign = 0;
  std::uint16_t wBitsPerSample = 0;
  std::uint16_t cbSize = 0;
};

// A wave in memory: its format and its sample bytes.
struct WAVEDATA {
  WAVEFORMATEX format;
  std::vector<std::uint8_t> data;
};

inline constexpr std::uint16_t WAVE_FORMAT_PCM = 1;

// Reads the wave file at the stored path; false when it cannot be used.
bool DS_ReadWave(std::string_view path, WAVEDATA& wave);
void DS_FreeWave(WAVEDATA& wave);
// The same for the bytes of a file; `path` names it in the messages.
bool ParseWave(std::span<const std::uint8_t> file, std::string_view path, WAVEDATA& wave);
