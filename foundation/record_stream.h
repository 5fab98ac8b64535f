#pragma once
// The data-file stream: every data file is a u32 data version followed by the
// stream of one record (foundation/record.h). All numbers are little-endian.
//
// Reading is hardened. A DataReader holds the whole file and checks every read
// against the bytes left; the first failed check marks the reader damaged,
// remembers why and where, and makes every later read a no-op that yields
// zeros, so loading code can read on without testing each step and still
// never runs past the end or trusts a length. CloseFile then reports the
// damage, naming the file. Writing collects the bytes in memory; the open
// already creates the temporary file beside the target, so a folder that
// cannot be written fails there, and CloseFile replaces the file atomically,
// so a failed save keeps the old file.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/file_replacement.h"

static_assert(std::endian::native == std::endian::little, "data files are little-endian and read raw");

// The data version this program writes (878) and reads up to.
inline constexpr std::uint32_t kProgramDataVersion = 878;
extern std::uint32_t g_DataVersion;
// The version head of the file opened for reading last.
extern std::uint32_t g_FileVersion;
// 1 when the last open refused a file written by a newer data version.
extern int g_bFileNewer;
// 1 (the default): loaded strings lose their carriage returns.
extern int g_bRemoveCR;

// Values that travel raw: numbers of 1, 2, 4 or 8 bytes (bool is left out,
// since any byte but 0 and 1 would be an invalid bool).
template <typename T>
concept RawValue = std::is_arithmetic_v<T> && !std::is_same_v<std::remove_cv_t<T>, bool>;

class DataReader {
 public:
  // `name` is the stored path, used in the damage report.
  DataReader(std::vector<unsigned char> bytes, std::string name, std::uint32_t version, std::size_t start);

  std::uint32_t Version() const { return version_; }
  const std::string& Name() const { return name_; }
  bool ok() const { return failure_ == nullptr; }
  const char* FailureReason() const { return failure_; }
  std::size_t FailureOffset() const { return failureOffset_; }
  std::size_t Remaining() const { return bytes_.size() - pos_; }

  // Marks the stream damaged; the first reason is kept.
  void Fail(const char* reason);
  // A record stored fewer members than this program reads. CloseFile reports
  // it, once per file, and only when the whole stream read cleanly: a count
  // that a damage lowered is no short record, the damage is the one line.
  void NoteShortRecord() { shortRecord_ = true; }
  bool HoldsShortRecords() const { return shortRecord_; }

  bool ReadBytes(void* destination, std::size_t size);
  template <RawValue T>
  T Read() {
    T value{};
    ReadBytes(&value, sizeof value);
    return value;
  }
  template <RawValue T>
  bool ReadArray(T* first, std::size_t count) {
    if (count > Remaining() / sizeof(T)) {
      Fail("array longer than the bytes left");
      return false;
    }
    return ReadBytes(first, count * sizeof(T));
  }
  std::int32_t ReadInt32() { return Read<std::int32_t>(); }

  // An i32 element count. A count whose elements, at `minElementBytes` each,
  // cannot fit in the bytes left damages the stream and yields 0; a negative
  // count is returned as it stands (the caller's rule decides).
  std::int32_t ReadCount(std::size_t minElementBytes);

  // A string as u32 L = length + 1, then (when L > 1) the text and its NUL.
  // L = 0, L beyond the bytes left and text without a NUL damage the stream.
  // The text ends at its first NUL.
  bool ReadString(std::string& text);

 private:
  std::vector<unsigned char> bytes_;
  std::string name_;
  std::uint32_t version_;
  std::size_t pos_;
  const char* failure_ = nullptr;
  std::size_t failureOffset_ = 0;
  bool shortRecord_ = false;
};

class DataWriter {
 public:
  // A stream kept in memory only.
  explicit DataWriter(std::string name);
  // A stream that Commit writes into the file being replaced.
  DataWriter(std::string name, platform::FileReplacement file);

  const std::string& Name() const { return name_; }
  const std::vector<unsigned char>& Bytes() const { return bytes_; }
  bool ok() const { return ok_; }

  void WriteBytes(const void* source, std::size_t size);
  template <RawValue T>
  void Write(T value) {
    WriteBytes(&value, sizeof value);
  }
  template <RawValue T>
  void WriteArray(const T* first, std::size_t count) {
    WriteBytes(first, count * sizeof(T));
  }
  void WriteInt32(std::int32_t value) { Write(value); }
  // An element count as i32; a count beyond the i32 range fails the writer.
  void WriteCount(std::size_t count);
  // The text up to its first NUL, as ReadString reads it.
  void WriteString(std::string_view text);

  // Replaces the file with the bytes: false when the stream failed, has no
  // file or the replacement fails (the old file then stays). Once only.
  bool Commit();
  // The system's error of a failed replacement (errno's value); 0 when none
  // failed, or the stream itself did.
  int CommitError() const { return commitError_; }

 private:
  std::vector<unsigned char> bytes_;
  std::string name_;
  bool ok_ = true;
  int commitError_ = 0;
  std::optional<platform::FileReplacement> file_;
};

// Checks the version head of file bytes: sets g_FileVersion; a newer version
// sets g_bFileNewer to 1 and yields nullopt, otherwise g_bFileNewer is 0 and
// the reader stands after the head. Bytes too short for the head are reported
// as damaged and yield nullopt.
std::optional<DataReader> OpenReadBytes(std::vector<unsigned char> bytes, std::string name);
// Reads the file at a stored path (an empty path opens "err") and checks its head.
std::optional<DataReader> OpenReadFile(std::string_view storedPath);
// A writer whose stream starts with g_DataVersion, with the temporary file of
// the replacement already created (an empty path writes "err"); nullopt, with
// a report line, when the file cannot be created there or the path leaves the
// game folder (the line names the system's reason). The target itself
// changes only at CloseFile.
std::optional<DataWriter> OpenWriteFile(std::string_view storedPath);

// The one report line of a damaged data file, naming it: what was wrong and
// at which byte. For checks of a file kind beyond its stream.
void ReportDamagedFile(const std::string& name, const char* reason, std::size_t offset);

// Ends a read: false, with a report line naming the file, when it is damaged;
// true, with a line when it holds records with fewer members, when it read cleanly.
bool CloseFile(const DataReader& in);
// Ends a write: replaces the file atomically. False, with a report line, when
// the writer failed or the file cannot be written (the old file then stays);
// the line names the system's reason where the file system gave one.
bool CloseFile(DataWriter& out);
