// Runs a program as on a file system without Unix modes: a seccomp filter,
// which the program and every process it starts inherit, fails every mode
// change (fchmod, fchmodat and the rest) with ENOSYS, as a FUSE FAT stick
// answers, or with EPERM, as the kernel's vfat and exfat drivers answer a
// mode they cannot hold. The error is named in the environment variable
// TEST_MODE_CHANGES_FAIL_WITH (as a number) for the program to check.
//
//   test_without_mode_changes ENOSYS|EPERM PROGRAM [ARGUMENT...]

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/file_modes.h"
#include "tests/support/programs/refused_calls.h"

// fchmodat with flags (Linux 6.6), which a newer C library calls; new calls
// have one number on every architecture.
#ifndef SYS_fchmodat2
#define SYS_fchmodat2 452
#endif

int main(int argc, char** argv) {
  const int error = argc < 3                              ? 0
                    : std::strcmp(argv[1], "ENOSYS") == 0 ? ENOSYS
                    : std::strcmp(argv[1], "EPERM") == 0  ? EPERM
                                                          : 0;
  if (error == 0) {
    std::fprintf(stderr, "usage: %s ENOSYS|EPERM PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  if (!RefuseCalls(
          {
#ifdef SYS_chmod
              SYS_chmod,
#endif
              SYS_fchmodat2, SYS_fchmod, SYS_fchmodat},
          error)) {
    std::fprintf(stderr, "%s: the filter was refused: %s\n", argv[0], std::strerror(errno));
    return 2;
  }
  ::setenv(kModeChangeRefusalVariable, std::to_string(error).c_str(), 1);
  ::execvp(argv[2], argv + 2);
  std::fprintf(stderr, "%s: %s cannot be run: %s\n", argv[0], argv[2], std::strerror(errno));
  return 2;
}
