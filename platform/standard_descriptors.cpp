#include "platform/standard_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

void OpenClosedStandardDescriptors() {
  for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
    if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number, which is this one unless /dev/null could not
    // be opened for one below it.
    const int opened = ::open("/dev/null", O_RDWR);
    if (opened < 0 || opened == descriptor) continue;
    ::dup2(opened, descriptor);
    ::close(opened);
  }
}

}  // namespace platform
