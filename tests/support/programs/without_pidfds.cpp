// Runs a program as on a kernel without pidfds: a seccomp filter, which the
// program and every process it starts inherit, fails pidfd_open and
// pidfd_send_signal with ENOSYS, as kernels before Linux 5.1 and 5.3 (and
// sandboxes that filter the calls) do.
//
//   test_without_pidfds PROGRAM [ARGUMENT...]

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_pidfd_open, 1, 0),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_pidfd_send_signal, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
  // Without new privileges a process may filter its own calls.
  if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
      ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
    std::fprintf(stderr, "%s: the filter was refused: %s\n", argv[0], std::strerror(errno));
    return 2;
  }
  ::execvp(argv[1], argv + 1);
  std::fprintf(stderr, "%s: %s cannot be run: %s\n", argv[0], argv[1], std::strerror(errno));
  return 2;
}
