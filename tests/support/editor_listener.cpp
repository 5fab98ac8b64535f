#include "tests/support/editor_listener.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/editor_link.h"

namespace {
std::uint32_t GetU32(const unsigned char* in) {
  return in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
}
}  // namespace

EditorListener::EditorListener() {
  static std::atomic<int> serial{0};
  path_ = std::filesystem::temp_directory_path() /
          ("editor-" + std::to_string(::getpid()) + "-" + std::to_string(serial++) + ".sock");
  std::filesystem::remove(path_);
  fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
  ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  ::listen(fd_, 8);
  ::setenv(platform::kEditorSocketVariable, path_.c_str(), 1);
  thread_ = std::thread([this] { Serve(); });
}

EditorListener::~EditorListener() { Stop(); }

std::vector<EditorNotice> EditorListener::Stop() {
  if (thread_.joinable()) {
    stopping_ = true;
    thread_.join();
    ::close(fd_);
    std::filesystem::remove(path_);
    ::unsetenv(platform::kEditorSocketVariable);
  }
  std::lock_guard lock(mutex_);
  return notices_;
}

void EditorListener::Serve() {
  while (!stopping_) {
    pollfd waiting{fd_, POLLIN, 0};
    if (::poll(&waiting, 1, 10) <= 0) continue;
    int connection = ::accept(fd_, nullptr, nullptr);
    if (connection < 0) continue;
    unsigned char bytes[12];
    std::size_t got = 0;
    while (got < sizeof bytes) {
      ssize_t n = ::recv(connection, bytes + got, sizeof bytes - got, 0);
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    if (got == sizeof bytes) {
      std::lock_guard lock(mutex_);
      notices_.push_back({GetU32(bytes), GetU32(bytes + 4), GetU32(bytes + 8)});
    }
    ::close(connection);  // the acknowledgement
  }
}
