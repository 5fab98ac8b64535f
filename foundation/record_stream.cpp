#include "foundation/record_stream.h"

#include <cerrno>
#include <limits>
#include <system_error>
#include <utility>

#include "foundation/game_files.h"
#include "foundation/log.h"

void ReportDamagedFile(const std::string& name, const char* reason, std::size_t offset) {
  Report("Damaged data file \"%s\": %s at byte %zu", name.c_str(), reason, offset);
}

std::uint32_t g_DataVersion = kProgramDataVersion;
std::uint32_t g_FileVersion = 0;
int g_bFileNewer = 0;
int g_bRemoveCR = 1;

DataReader::DataReader(std::vector<unsigned char> bytes, std::string name, std::uint32_t version,
                       std::size_t start)
    : bytes_(std::move(bytes)), name_(std::move(name)), version_(version), pos_(std::min(start, bytes_.size())) {}

void DataReader::Fail(const char* reason) {
  if (failure_ != nullptr) return;
  failure_ = reason;
  failureOffset_ = pos_;
}

bool DataReader::ReadBytes(void* destination, std::size_t size) {
  if (!ok()) return false;
  if (size > Remaining()) {
    Fail("read past the end of the file");
    return false;
  }
  // Fields are mostly of one to eight bytes: copies of a known size inline.
  const unsigned char* source = bytes_.data() + pos_;
  switch (size) {
    case 1: std::memcpy(destination, source, 1); break;
    case 2: std::memcpy(destination, source, 2); break;
    case 4: std::memcpy(destination, source, 4); break;
    case 8: std::memcpy(destination, source, 8); break;
    default:
      if (size > 0) std::memcpy(destination, source, size);
  }
  pos_ += size;
  return true;
}

std::int32_t DataReader::ReadCount(std::size_t minElementBytes) {
  const std::int32_t count = ReadInt32();
  if (count > 0 && static_cast<std::size_t>(count) > Remaining() / std::max<std::size_t>(minElementBytes, 1)) {
    Fail("list count larger than the bytes left can hold");
    return 0;
  }
  return count;
}

bool DataReader::ReadString(std::string& text) {
  const std::size_t start = pos_;
  const auto length = Read<std::uint32_t>();
  if (!ok()) return false;
  if (length == 0) {
    pos_ = start;
    Fail("string length 0");
    return false;
  }
  if (length == 1) {
    text.clear();
    return true;
  }
  if (length > Remaining()) {
    pos_ = start;
    Fail("string longer than the bytes left");
    return false;
  }
  const auto* first = reinterpret_cast<const char*>(bytes_.data() + pos_);
  const void* nul = std::memchr(first, 0, length);
  if (nul == nullptr) {
    pos_ = start;
    Fail("string without its terminating NUL");
    return false;
  }
  text.assign(first, static_cast<const char*>(nul));
  pos_ += length;
  return true;
}

DataWriter::DataWriter(std::string name) : name_(std::move(name)) {}

DataWriter::DataWriter(std::string name, platform::FileReplacement file)
    : name_(std::move(name)), file_(std::move(file)) {}

void DataWriter::WriteBytes(const void* source, std::size_t size) {
  if (size == 0) return;
  const std::size_t end = bytes_.size();
  bytes_.resize(end + size);
  std::memcpy(bytes_.data() + end, source, size);
}

void DataWriter::WriteCount(std::size_t count) {
  if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    ok_ = false;
    count = 0;
  }
  WriteInt32(static_cast<std::int32_t>(count));
}

void DataWriter::WriteString(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  if (text.size() >= std::numeric_limits<std::uint32_t>::max()) {
    ok_ = false;
    text = {};
  }
  Write(static_cast<std::uint32_t>(text.size() + 1));
  if (text.empty()) return;
  WriteBytes(text.data(), text.size());
  Write<char>('\0');
}

bool DataWriter::Commit() {
  if (!file_) return false;
  const bool committed = ok_ && file_->Commit(bytes_);
  if (ok_ && !committed) commitError_ = errno;
  file_.reset();
  return committed;
}

std::optional<DataReader> OpenReadBytes(std::vector<unsigned char> bytes, std::string name) {
  std::uint32_t version = 0;
  if (bytes.size() < sizeof version) {
    g_bFileNewer = 0;
    ReportDamagedFile(name, "too short for its version head", bytes.size());
    return std::nullopt;
  }
  std::memcpy(&version, bytes.data(), sizeof version);
  g_FileVersion = version;
  g_bFileNewer = version > g_DataVersion ? 1 : 0;
  if (g_bFileNewer) return std::nullopt;
  return DataReader(std::move(bytes), std::move(name), version, sizeof version);
}

std::optional<DataReader> OpenReadFile(std::string_view storedPath) {
  const std::string_view path = storedPath.empty() ? std::string_view("err") : storedPath;
  std::vector<unsigned char> bytes;
  if (!ReadGameFile(path, bytes)) return std::nullopt;
  return OpenReadBytes(std::move(bytes), std::string(path));
}

std::optional<DataWriter> OpenWriteFile(std::string_view storedPath) {
  std::string name(storedPath.empty() ? std::string_view("err") : storedPath);
  const auto target = ResolveGamePathForWrite(name);
  if (!target) return std::nullopt;
  auto file = platform::FileReplacement::Begin(*target);
  if (!file) {
    const std::string reason = std::generic_category().message(errno);
    Report("Could not create the data file \"%s\": %s", name.c_str(), reason.c_str());
    return std::nullopt;
  }
  DataWriter out(std::move(name), std::move(*file));
  out.Write(g_DataVersion);
  return out;
}

bool CloseFile(const DataReader& in) {
  if (!in.ok()) {
    ReportDamagedFile(in.Name(), in.FailureReason(), in.FailureOffset());
    return false;
  }
  if (in.HoldsShortRecords()) {
    Report(
        "Data file \"%s\" holds records with fewer members than this program reads; the others keep their "
        "values",
        in.Name().c_str());
  }
  return true;
}

bool CloseFile(DataWriter& out) {
  if (out.Commit()) return true;
  if (out.CommitError() != 0) {
    const std::string reason = std::generic_category().message(out.CommitError());
    Report("Could not write the data file \"%s\" (%s); the old file is kept", out.Name().c_str(),
           reason.c_str());
  } else {
    Report("Could not write the data file \"%s\"; the old file is kept", out.Name().c_str());
  }
  return false;
}
