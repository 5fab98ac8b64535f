#include "platform/standard_descriptors.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <initializer_list>

namespace {

// The file a descriptor is open on; st_ino 0 when it is not open.
struct stat OpenFile(int descriptor) {
  struct stat file {};
  if (::fstat(descriptor, &file) != 0) file.st_ino = 0;
  return file;
}

bool Same(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// In a child process of its own: the descriptors in `closed` closed, the
// others left open on a pipe of the child's. Exit status 0 when afterwards
// each closed one is open on /dev/null, the others on what they were, and
// nothing else was left open.
int ChildWithClosed(std::initializer_list<int> closed) {
  const pid_t child = ::fork();
  if (child == 0) {
    int ends[2];
    struct stat null {};
    if (::pipe2(ends, O_CLOEXEC) != 0 || ::stat("/dev/null", &null) != 0) ::_exit(10);
    for (int descriptor = 0; descriptor <= 2; ++descriptor) ::dup2(ends[descriptor % 2], descriptor);
    for (int descriptor : closed) ::close(descriptor);
    struct stat before[3];
    for (int descriptor = 0; descriptor <= 2; ++descriptor) before[descriptor] = OpenFile(descriptor);
    // Where a descriptor left open by mistake would be.
    const int nextFree = ::fcntl(ends[0], F_DUPFD, 3);
    ::close(nextFree);

    platform::OpenClosedStandardDescriptors();
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
      const bool wasClosed = before[descriptor].st_ino == 0;
      if (!Same(OpenFile(descriptor), wasClosed ? null : before[descriptor])) ::_exit(20 + descriptor);
    }
    if (::fcntl(nextFree, F_GETFD) != -1) ::_exit(30);
    ::_exit(0);
  }
  int status = -1;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Closed by a launcher (`player <&- >&- 2>&-`), or one of them only
// (`player >&-`): each closed one, and only it, is open on /dev/null.
TEST(StandardDescriptors, EachClosedOneIsOpenedOnTheNullDevice) {
  EXPECT_EQ(ChildWithClosed({0, 1, 2}), 0);
  EXPECT_EQ(ChildWithClosed({1}), 0);
  EXPECT_EQ(ChildWithClosed({0, 2}), 0);
  EXPECT_EQ(ChildWithClosed({}), 0);
}

}  // namespace
