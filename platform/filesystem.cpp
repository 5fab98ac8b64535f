#include "platform/filesystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// Closes the descriptor when the scope ends.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

}  // namespace

std::optional<std::vector<std::string>> ListDirectory(const std::filesystem::path& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::vector<std::string> names;
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
      names.emplace_back(entry->d_name);
  }
  const bool failed = errno != 0;
  ::closedir(dir);
  if (failed) return std::nullopt;
  std::sort(names.begin(), names.end());
  return names;
}

bool PathExists(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

bool ReadFileBytes(const std::filesystem::path& path, std::vector<unsigned char>& out) {
  out.clear();
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) return false;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  // The size only sizes the first read; the loop reads until the real end.
  std::size_t size = 0;
  out.resize(static_cast<std::size_t>(info.st_size) + 1);
  for (;;) {
    if (size == out.size()) out.resize(out.size() * 2);
    const ssize_t got = ::read(file.get(), out.data() + size, out.size() - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      out.clear();
      return false;
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  out.resize(size);
  return true;
}

bool WriteAllBytes(int fd, std::span<const unsigned char> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

bool CreateFolder(const std::filesystem::path& folder) {
  if (::mkdir(folder.c_str(), 0777) == 0) return true;
  struct stat info {};
  return errno == EEXIST && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace platform
