#include "platform/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>
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

// A number for the unique tail of a temporary, different on every call (a
// counter mixed with the process and the time): O_EXCL makes the name
// unique, the mixing only keeps retries rare.
std::uint64_t NextTemporaryNumber() {
  static std::atomic<std::uint64_t> counter{0};
  std::uint64_t x = counter.fetch_add(1) + static_cast<std::uint64_t>(::getpid()) * 0x9E3779B97F4A7C15ull +
                    static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// Creates the temporary whose name ends in kUniqueTail, replacing that tail.
// The mode asked for is 0666, so the file gets what the umask (or a default
// ACL of the folder) leaves of it, as any file a program creates.
int CreateTemporary(std::string& path) {
  constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  constexpr int kAttempts = 100;
  const std::size_t tail = path.size() - kUniqueTail.size();
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::uint64_t number = NextTemporaryNumber();
    for (std::size_t i = tail; i < path.size(); ++i, number /= kLetters.size())
      path[i] = kLetters[number % kLetters.size()];
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The answers of a file system that holds no Unix modes (FAT, exFAT, some
// network and FUSE file systems): the file keeps the mode it was given.
bool ModeChangeRefused(int error) { return error == EPERM || error == ENOSYS || error == EOPNOTSUPP; }

// Gives the temporary the mode of the file it replaces, so a user's choice
// of who may read a save survives the next save. A new file keeps the mode
// it was created with; a file system that cannot change a mode saves anyway.
bool KeepReplacedFilesMode(int fd, const std::filesystem::path& target) {
  struct stat old {};
  struct stat current {};
  if (::stat(target.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return true;
  if (::fstat(fd, &current) != 0) return false;
  const mode_t wanted = old.st_mode & 07777;
  if ((current.st_mode & 07777) == wanted) return true;
  return ::fchmod(fd, wanted) == 0 || ModeChangeRefused(errno);
}

}  // namespace

std::optional<FileReplacement> FileReplacement::Begin(const std::filesystem::path& target) {
  struct stat info {};
  if (target.filename().empty() || (::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode))) {
    errno = EISDIR;
    return std::nullopt;
  }
  RemoveStaleTemporaries(target);
  std::string temporary = target.parent_path() / TemporaryPrefix(target);
  temporary += kUniqueTail;
  const int fd = CreateTemporary(temporary);
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
  if (fd_ < 0) {
    errno = EBADF;
    return false;
  }
  const bool written = KeepReplacedFilesMode(fd_, target_) && WriteAllBytes(fd_, bytes) && ::fsync(fd_) == 0;
  int error = written ? 0 : errno;
  // close can report a deferred write error, so it is part of the commit.
  if (::close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0) {
    if (::rename(temporary_.c_str(), target_.c_str()) == 0) return true;
    error = errno;
  }
  ::unlink(temporary_.c_str());
  errno = error;
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
