#include "tests/support/file_modes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

ScopedUmask::ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}

ScopedUmask::~ScopedUmask() { ::umask(previous_); }

int ModeOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return -1;
  return static_cast<int>(info.st_mode & 07777);
}

bool WriteOldSave(const std::filesystem::path& file, mode_t mode) {
  const ScopedUmask none(0);
  ::unlink(file.c_str());
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) return false;
  const bool written = ::write(fd, "old", 3) == 3;
  return ::close(fd) == 0 && written;
}

bool ModeChangesFailAsTheLauncherSays(const std::filesystem::path& folder) {
  const char* refusal = std::getenv(kModeChangeRefusalVariable);
  if (refusal == nullptr) return true;
  const std::filesystem::path probe = folder / "mode_change_probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const bool refused = ::fchmod(fd, 0644) != 0 && errno == std::atoi(refusal);
  ::close(fd);
  ::unlink(probe.c_str());
  return refused;
}
