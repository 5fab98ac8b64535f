#include "platform/fonts/font_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>

namespace platform {

std::shared_ptr<const FontFile> FontFile::Map(const std::string& path) {
  static std::mutex mutex;
  static std::map<std::string, std::weak_ptr<const FontFile>> mapped;
  std::lock_guard lock(mutex);
  if (auto shared = mapped[path].lock()) return shared;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat status {};
  void* data = MAP_FAILED;
  if (::fstat(fd, &status) == 0 && status.st_size > 0)
    data = ::mmap(nullptr, std::size_t(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (data == MAP_FAILED) return nullptr;
  std::shared_ptr<const FontFile> shared(
      new FontFile(static_cast<const unsigned char*>(data), std::size_t(status.st_size)));
  mapped[path] = shared;
  return shared;
}

FontFile::~FontFile() { ::munmap(const_cast<unsigned char*>(m_data), m_size); }

}  // namespace platform
