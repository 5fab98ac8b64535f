#include "tests/desktop/unanswering_socket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <string>

namespace fs = std::filesystem;

namespace desktop_test {
namespace {

fs::path FreshRuntimeFolder() {
  static std::atomic<int> count{0};
  const fs::path folder = fs::temp_directory_path() /
                          ("unanswering_" + std::to_string(::getpid()) + "_" + std::to_string(count++));
  fs::remove_all(folder);
  fs::create_directories(folder / "pulse");
  fs::permissions(folder, fs::perms::owner_all);
  return folder;
}

int ListenAt(const fs::path& path) {
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) return -1;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  if (::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(socket, 16) != 0) {
    ::close(socket);
    return -1;
  }
  return socket;
}

}  // namespace

UnansweringSoundServer::UnansweringSoundServer()
    : runtime_(FreshRuntimeFolder()), listener_(ListenAt(runtime_ / "pulse" / "native")) {
  if (listener_ < 0) return;
  acceptor_ = std::thread([this] {
    for (int connection; (connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;)
      connections_.push_back(connection);
  });
}

UnansweringSoundServer::~UnansweringSoundServer() {
  if (listener_ >= 0) {
    // Ends the acceptor's wait in accept.
    ::shutdown(listener_, SHUT_RDWR);
    acceptor_.join();
    ::close(listener_);
  }
  for (int connection : connections_) ::close(connection);
  std::error_code ignored;
  fs::remove_all(runtime_, ignored);
}

}  // namespace desktop_test
