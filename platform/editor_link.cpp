#include "platform/editor_link.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

const char* SocketPath() {
  const char* path = std::getenv(kEditorSocketVariable);
  return path && *path ? path : nullptr;
}

void PutU32(unsigned char* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(value >> (8 * i));
}

// Closes the descriptor on every way out.
struct Socket {
  int fd;
  ~Socket() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

bool StartedByEditor() { return SocketPath() != nullptr; }

bool SendEditorNotice(std::uint32_t code, std::uint32_t value) {
  const char* path = SocketPath();
  if (!path) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (std::strlen(path) >= sizeof address.sun_path) return false;
  std::strcpy(address.sun_path, path);

  Socket socket{::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)};
  if (socket.fd < 0) return false;
  timeval timeout{kEditorTimeoutMs / 1000, (kEditorTimeoutMs % 1000) * 1000};
  ::setsockopt(socket.fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  ::setsockopt(socket.fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  if (::connect(socket.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return false;

  std::array<unsigned char, 12> notice{};
  PutU32(notice.data(), static_cast<std::uint32_t>(::getpid()));
  PutU32(notice.data() + 4, code);
  PutU32(notice.data() + 8, value);
  if (::send(socket.fd, notice.data(), notice.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(notice.size()))
    return false;
  ::shutdown(socket.fd, SHUT_WR);
  // The editor has handled the notice when it closes its end. Whatever it
  // sends meanwhile is read and dropped; the wait ends at the deadline even
  // if the editor keeps talking.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kEditorTimeoutMs);
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    pollfd readable{socket.fd, POLLIN, 0};
    if (left <= 0 || ::poll(&readable, 1, static_cast<int>(left)) <= 0) break;
    char reply[64];
    if (::recv(socket.fd, reply, sizeof reply, 0) <= 0) break;
  }
  return true;
}

}  // namespace platform
