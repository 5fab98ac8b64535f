#include "platform/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <string>
#include <string_view>

#include "platform/filesystem.h"

namespace platform {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::string_view kUniqueTail = "XXXXXX";

// ".<name>.tmp-": the hidden prefix of every temporary of a target.
std::string TemporaryPrefix(const std::filesystem::path& target) {
  std::string prefix = ".";
  prefix += target.filename().string();
  prefix += kTemporaryMark;
  return prefix;
}

// Temporaries left by replacements that never finished: a process killed
// between creating its temporary and the rename.
void RemoveStaleTemporaries(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.parent_path();
  const auto names = ListDirectory(folder);
  if (!names) return;
  const std::string prefix = TemporaryPrefix(target);
  for (const std::string& name : *names) {
    if (name.size() == prefix.size() + kUniqueTail.size() && name.starts_with(prefix))
      ::unlink((folder / name).c_str());
  }
}

// The target's name of a temporary: ".<name>.tmp-" and the six letters or
// digits that made it unique; nullopt for any other name.
std::optional<std::string_view> TargetOfTemporary(std::string_view name) {
  const std::size_t tail = kTemporaryMark.size() + kUniqueTail.size();
  if (name.size() < 2 + tail || name.front() != '.') return std::nullopt;
  if (name.substr(name.size() - tail, kTemporaryMark.size()) != kTemporaryMark) return std::nullopt;
  for (const char c : name.substr(name.size() - kUniqueTail.size()))
    if (!std::isalnum(static_cast<unsigned char>(c))) return std::nullopt;
  return name.substr(1, name.size() - 1 - tail);
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

mode_t ModeForNewFile(const std::filesystem::path& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
  return 0644;
}

}  // namespace

std::optional<FileReplacement> FileReplacement::Begin(const std::filesystem::path& target) {
  if (target.filename().empty()) return std::nullopt;
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return std::nullopt;
  RemoveStaleTemporaries(target);
  std::string temporary = target.parent_path() / TemporaryPrefix(target);
  temporary += kUniqueTail;
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  return FileReplacement(target, temporary, fd);
}

FileReplacement::FileReplacement(std::filesystem::path target, std::filesystem::path temporary, int fd)
    : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd) {}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : target_(std::move(other.target_)), temporary_(std::move(other.temporary_)), fd_(other.fd_) {
  other.fd_ = -1;
}

FileReplacement::~FileReplacement() { Discard(); }

void FileReplacement::Discard() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(temporary_.c_str());
}

bool FileReplacement::Commit(std::span<const unsigned char> bytes) {
  if (fd_ < 0) return false;
  const bool written = ::fchmod(fd_, ModeForNewFile(target_)) == 0 && WriteAll(fd_, bytes.data(), bytes.size()) &&
                       ::fsync(fd_) == 0;
  // close can report a deferred write error, so it is part of the commit.
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (written && closed && ::rename(temporary_.c_str(), target_.c_str()) == 0) return true;
  ::unlink(temporary_.c_str());
  return false;
}

void RemoveLeftTemporaries(const std::filesystem::path& folder,
                           const std::function<bool(std::string_view targetName)>& isOwnTarget) {
  const auto names = ListDirectory(folder);
  if (!names) return;
  for (const std::string& name : *names) {
    const std::optional<std::string_view> target = TargetOfTemporary(name);
    if (target && isOwnTarget(*target)) ::unlink((folder / name).c_str());
  }
}

bool WriteFileAtomic(const std::filesystem::path& target, std::span<const unsigned char> bytes) {
  auto replacement = FileReplacement::Begin(target);
  return replacement && replacement->Commit(bytes);
}

}  // namespace platform
