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
  // What a client sent before stays readable after this, and is passed on.
  for (const Link& link : links_) ::shutdown(link.client, SHUT_RD);
}

void DisplayForwarder::Forward() {
  for (;;) {
    // The wake pipe and the listening socket, then each end read from.
    std::vector<pollfd> watched = {{wake_[0], POLLIN, 0}, {listening_, POLLIN, 0}};
    std::vector<std::size_t> linkOf;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      if (ending_) return;
      if (stopped_) watched[1].events = 0;
      for (std::size_t at = 0; at < links_.size(); ++at) {
        watched.push_back({links_[at].server, POLLIN, 0});
        linkOf.push_back(at);
        if (links_[at].clientDrained) continue;
        watched.push_back({links_[at].client, POLLIN, 0});
        linkOf.push_back(at);
      }
    }
    if (::poll(watched.data(), watched.size(), -1) < 0) continue;
    // Only this thread changes the list of links: the one polled is still it.
    const std::lock_guard<std::mutex> lock(mutex_);
    if (ending_) return;
    for (std::size_t at = 2; at < watched.size(); ++at) {
      Link& link = links_[linkOf[at - 2]];
      if (!watched[at].revents || link.closed) continue;
      const bool fromClient = watched[at].fd == link.client;
      if (Pass(watched[at].fd, fromClient ? link.server : link.client)) continue;
      // After the stop a client's end reads to its end what was sent
      // before; its link stays open for what the server sends.
      if (fromClient && stopped_) link.clientDrained = true;
      else link.closed = true;
    }
    for (const Link& link : links_) {
      if (!link.closed) continue;
      ::close(link.client);
      ::close(link.server);
    }
    std::erase_if(links_, [](const Link& link) { return link.closed; });
    if (!stopped_ && (watched[1].revents & POLLIN)) AcceptClient();
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
