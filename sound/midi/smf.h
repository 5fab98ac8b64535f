#pragma once
// A standard MIDI file of format 0 or 1, read whole and turned into one
// format-0 track in memory: the tracks' events merged by time, one end of
// track at the end. The MIDI stream player plays from that copy.

#include <cstdint>
#include <string>
#include <vector>

class cSmf {
 public:
  // `fileName` is the stored path (CP932); it also names the file in the
  // log lines.
  explicit cSmf(std::string fileName);
  virtual ~cSmf() = default;

  // Reads the whole file; 0 (with its log line) when it cannot be read.
  int ReadFile();
  // Takes the bytes of a file read elsewhere.
  void TakeFile(std::vector<std::uint8_t> bytes);
  // Tests the header and converts; 0 (with its log line) when the file is
  // not one this player takes.
  int Check();
  // What Check found wrong with the file, in a few words; empty while
  // nothing was refused.
  const std::string& Damage() const { return m_strDamage; }
  int Convert();

  // The converted format-0 file (empty before Convert).
  const std::vector<std::uint8_t>& Data() const { return m_vData; }
  std::size_t DataLength() const { return m_vData.size(); }
  double PlayTime() const { return m_dPlayTime; }
  const std::string& FileName() const { return m_strFile; }

 protected:
  std::string m_strFile;

 private:
  // Check's refusal: the log line (`logFormat` takes the file name) and the damage.
  int Refuse(const char* logFormat, const char* damage);

  std::string m_strDamage;
  std::vector<std::uint8_t> m_vFile;  // the file as read
  std::vector<std::uint8_t> m_vData;
  double m_dPlayTime = 0.0;
};
