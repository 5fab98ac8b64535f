#include "tests/support/lock_holder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

#include "tests/support/wait_until.h"

namespace {

// The child's end of the notes pipe.
int g_notesFd = -1;

void Note(char note) { ::write(g_notesFd, &note, 1); }

// A player steps aside when asked, which takes its window manager a moment,
// and then answers the start that asked.
void NoteRequest(int signal, siginfo_t* info, void*) {
  if (signal != SIGUSR1) {
    Note('2');
    return;
  }
  Note('1');
  const timespec moment{0, 300'000'000};
  ::nanosleep(&moment, nullptr);
  Note('A');
  ::kill(info->si_pid, SIGUSR2);
}

// A write lock on the whole file.
struct flock WholeFile() {
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  return whole;
}

}  // namespace

LockHolder::LockHolder(const std::filesystem::path& path, Requests requests, Known known) {
  int ready[2];
  int notes[2];
  if (::pipe(ready) != 0) return;
  if (::pipe2(notes, O_CLOEXEC) != 0) {
    ::close(ready[0]);
    ::close(ready[1]);
    return;
  }
  pid_ = ::fork();
  if (pid_ == 0) {
    // Only async-signal-safe calls after fork: take the lock, write the pid,
    // tell the parent and wait for a signal, which ends it (handlers that
    // the test process installed are not wanted here).
    ::signal(SIGTERM, SIG_DFL);
    g_notesFd = notes[1];
    for (int request : {SIGUSR1, SIGUSR2}) {
      struct sigaction action {};
      if (requests == Requests::Noted) {
        action.sa_sigaction = NoteRequest;
        action.sa_flags = SA_SIGINFO;
      } else {
        action.sa_handler = SIG_DFL;
      }
      ::sigaction(request, &action, nullptr);
    }
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
    struct flock whole = WholeFile();
    if (fd < 0 || ::fcntl(fd, known == Known::ByProcessId ? F_SETLKW : F_OFD_SETLKW, &whole) != 0) ::_exit(1);
    char text[16];
    int length = 0;
    for (pid_t value = ::getpid(); value > 0; value /= 10)
      text[length++] = static_cast<char>('0' + value % 10);
    for (int i = 0; i < length / 2; ++i) std::swap(text[i], text[length - 1 - i]);
    text[length++] = '\n';
    if (::ftruncate(fd, 0) != 0 || ::write(fd, text, static_cast<std::size_t>(length)) != length) ::_exit(1);
    ::write(ready[1], "x", 1);
    while (true) ::pause();
  }
  char byte;
  ::close(ready[1]);
  ::close(notes[1]);
  if (::read(ready[0], &byte, 1) != 1) pid_ = -1;
  ::close(ready[0]);
  notes_ = notes[0];
  ::fcntl(notes_, F_SETFL, O_NONBLOCK);
}

LockHolder::~LockHolder() {
  if (pid_ > 0 && !reaped_) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (notes_ >= 0) ::close(notes_);
}

bool LockHolder::Reaped(int options) {
  int status = 0;
  if (::waitpid(pid_, &status, options) != pid_) return false;
  reaped_ = true;
  endingSignal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return true;
}

bool LockHolder::Ended() {
  if (pid_ <= 0 || reaped_) return reaped_;
  return WaitUntil([this] { return Reaped(WNOHANG); });
}

bool LockHolder::Running() {
  if (pid_ <= 0 || reaped_) return false;
  return !Reaped(WNOHANG);
}

std::string LockHolder::NotedRequests() {
  char notes[16];
  for (ssize_t length; (length = ::read(notes_, notes, sizeof notes)) > 0;) noted_.append(notes, length);
  return noted_;
}

bool LockFreeToAnotherProcess(const std::filesystem::path& path) {
  const pid_t other = ::fork();
  if (other == 0) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
    struct flock whole = WholeFile();
    ::_exit(fd >= 0 && ::fcntl(fd, F_SETLK, &whole) == 0 ? 0 : 1);
  }
  int status = 0;
  return other > 0 && ::waitpid(other, &status, 0) == other && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
