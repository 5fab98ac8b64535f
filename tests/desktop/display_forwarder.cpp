#include "tests/desktop/display_forwarder.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

#include "tests/support/unix_socket.h"

namespace desktop_test {
namespace {

// Far above the numbers the tests' X servers take, counting up from 0.
constexpr int kFirstDisplayNumber = 1000;
constexpr int kDisplayNumbers = 1000;

std::string SocketPathOf(int displayNumber) { return "/tmp/.X11-unix/X" + std::to_string(displayNumber); }

// The display's socket in the abstract namespace, which Xlib tries first:
// nothing is left in the file system, and a number in use is refused.
int ListenAsDisplay(int displayNumber) {
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) return -1;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string name = SocketPathOf(displayNumber);
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  if (::bind(socket, reinterpret_cast<const sockaddr*>(&address), length) != 0 || ::listen(socket, 8) != 0) {
    ::close(socket);
    return -1;
  }
  return socket;
}

bool WriteAll(int to, const char* bytes, ssize_t count) {
  while (count > 0) {
    const ssize_t written = ::send(to, bytes, static_cast<std::size_t>(count), MSG_NOSIGNAL);
    if (written <= 0) return false;
    bytes += written;
    count -= written;
  }
  return true;
}

}  // namespace

DisplayForwarder::DisplayForwarder(const std::string& serverDisplay)
    : serverSocket_(SocketPathOf(std::stoi(serverDisplay.substr(1)))) {
  if (::pipe2(wake_, O_CLOEXEC) != 0) return;
  for (int number = kFirstDisplayNumber; number < kFirstDisplayNumber + kDisplayNumbers; ++number) {
    listening_ = ListenAsDisplay(number);
    if (listening_ < 0) continue;
    display_ = ":" + std::to_string(number);
    forwarding_ = std::thread([this] { Forward(); });
    return;
  }
}

DisplayForwarder::~DisplayForwarder() {
  if (forwarding_.joinable()) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      ending_ = true;
    }
    (void)::write(wake_[1], "e", 1);
    forwarding_.join();
  }
  for (const Link& link : links_) {
    ::close(link.client);
    ::close(link.server);
  }
  for (int descriptor : {listening_, wake_[0], wake_[1]})
    if (descriptor >= 0) ::close(descriptor);
}

void DisplayForwarder::StopTakingFromClients() {
  const std::lock_guard<std::mutex> lock(mutex_);
  stopped_ = true;
  for (const Link& link : links_) ::shutdown(link.client, SHUT_RD);
}

void DisplayForwarder::Forward() {
  for (;;) {
    std::vector<pollfd> watched = {{wake_[0], POLLIN, 0}};
    std::vector<Link> links;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      if (ending_) return;
      if (!stopped_) {
        watched.push_back({listening_, POLLIN, 0});
        links = links_;
      }
    }
    for (const Link& link : links) {
      watched.push_back({link.client, POLLIN, 0});
      watched.push_back({link.server, POLLIN, 0});
    }
    if (::poll(watched.data(), watched.size(), -1) < 0) continue;
    const std::lock_guard<std::mutex> lock(mutex_);
    // A link stopped while the poll waited reads as closed: it stays open.
    if (ending_ || stopped_) continue;
    if (watched[1].revents & POLLIN) AcceptClient();
    for (std::size_t at = 0; at < links.size(); ++at) {
      const pollfd& client = watched[2 + 2 * at];
      const pollfd& server = watched[3 + 2 * at];
      const bool open = (!client.revents || Pass(client.fd, server.fd)) && (!server.revents || Pass(server.fd, client.fd));
      if (open) continue;
      ::close(client.fd);
      ::close(server.fd);
      std::erase_if(links_, [&](const Link& link) { return link.client == client.fd; });
    }
  }
}

void DisplayForwarder::AcceptClient() {
  const int client = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
  if (client < 0) return;
  const int server = ConnectToUnixSocket(serverSocket_);
  if (server < 0) {
    ::close(client);
    return;
  }
  links_.push_back({client, server});
}

bool DisplayForwarder::Pass(int from, int to) {
  char bytes[65536];
  const ssize_t count = ::read(from, bytes, sizeof bytes);
  return count > 0 && WriteAll(to, bytes, count);
}

}  // namespace desktop_test
