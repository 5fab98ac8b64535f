// Runs a program as on a kernel without pidfds: a seccomp filter, which the
// program and every process it starts inherit, fails pidfd_open and
// pidfd_send_signal with ENOSYS, as kernels before Linux 5.1 and 5.3 (and
// sandboxes that filter the calls) do.
//
//   test_without_pidfds PROGRAM [ARGUMENT...]

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tests/support/programs/refused_calls.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  if (!RefuseCalls({SYS_pidfd_open, SYS_pidfd_send_signal}, ENOSYS)) {
    std::fprintf(stderr, "%s: the filter was refused: %s\n", argv[0], std::strerror(errno));
    return 2;
  }
  ::execvp(argv[1], argv + 1);
  std::fprintf(stderr, "%s: %s cannot be run: %s\n", argv[0], argv[1], std::strerror(errno));
  return 2;
}
