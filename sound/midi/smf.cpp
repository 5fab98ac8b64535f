#include "sound/midi/smf.h"

#include <cstring>

#include "foundation/game_files.h"
#include "foundation/log.h"
#include "sound/midi/smf_events.h"

namespace {

constexpr std::size_t kHeaderSize = 14;

std::uint16_t ReadBe16(const std::uint8_t* p) { return std::uint16_t(p[0] << 8 | p[1]); }
std::uint32_t ReadBe32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// True when a track chunk follows the header, past any chunks of other kinds.
bool HasTrackChunk(const std::vector<std::uint8_t>& file) {
  for (std::size_t pos = kHeaderSize; pos + 8 <= file.size();) {
    if (std::memcmp(&file[pos], "MTrk", 4) == 0) return true;
    pos += 8 + std::size_t(ReadBe32(&file[pos + 4]));
  }
  return false;
}

}  // namespace

cSmf::cSmf(std::string fileName) : m_strFile(std::move(fileName)) {}

int cSmf::ReadFile() {
  std::vector<unsigned char> bytes;
  if (!ReadGameFile(m_strFile, bytes)) {
    DebugLogF(Cp932Literal("Midi %s Create ファイルが開けません"), m_strFile.c_str());
    return 0;
  }
  TakeFile(std::move(bytes));
  return 1;
}

void cSmf::TakeFile(std::vector<std::uint8_t> bytes) { m_vFile = std::move(bytes); }

int cSmf::Refuse(const char* logFormat, const char* damage) {
  DebugLogF(logFormat, m_strFile.c_str());
  m_strDamage = damage;
  return 0;
}

int cSmf::Check() {
  constexpr const char* kNotStandard = "not a standard MIDI file";
  if (m_vFile.size() < 4 || std::memcmp(m_vFile.data(), "MThd", 4) != 0)
    return Refuse(Cp932Literal("Midi %s Init 標準MIDIでない(4)"), kNotStandard);
  // A division of 0 ticks would make every time infinite.
  if (m_vFile.size() < kHeaderSize || ReadBe32(&m_vFile[4]) != 6 || ReadBe16(&m_vFile[12]) == 0)
    return Refuse(Cp932Literal("Midi %s Init 標準MIDIでない(6)"), kNotStandard);
  const std::uint16_t format = ReadBe16(&m_vFile[8]);
  if (format == 2)
    return Refuse(Cp932Literal("Midi %s Init 対応フォーマットが2でない"),
                  "MIDI format 2, which this program does not play");
  if (format > 2)
    return Refuse(Cp932Literal("Midi %s Init 対応フォーマットが0または1でない"), "an unknown MIDI format");
  if (!HasTrackChunk(m_vFile)) return Refuse(Cp932Literal("Midi %s Init 標準MIDIでない(4)"), kNotStandard);
  return Convert();
}

int cSmf::Convert() {
  if (m_vFile.size() < kHeaderSize) return 0;
  const std::uint16_t division = ReadBe16(&m_vFile[12]);
  const SmfSong song = ReadSmfSong(m_vFile, ReadBe16(&m_vFile[10]));
  m_dPlayTime = SmfPlayTime(m_vFile, song, division);
  m_vData = WriteFormat0(m_vFile, song, division);
  m_vFile.clear();
  m_vFile.shrink_to_fit();
  return 1;
}
