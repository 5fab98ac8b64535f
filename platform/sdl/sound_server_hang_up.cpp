#include "platform/sdl/sound_server_hang_up.h"

#include <dirent.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace platform::sdl {
namespace {

// The socket PULSE_SERVER names ("unix:/path" or a plain path), if any.
std::string NamedServerSocket() {
  const char* named = std::getenv("PULSE_SERVER");
  if (!named) return {};
  std::string_view server(named);
  if (server.starts_with("unix:")) server.remove_prefix(5);
  return server.starts_with('/') ? std::string(server) : std::string();
}

// The path of the Unix socket at the other end of `fd`; empty for any other
// descriptor (and for an abstract or unnamed peer).
std::string PeerPath(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISSOCK(status.st_mode)) return {};
  sockaddr_un peer{};
  socklen_t length = sizeof peer;
  if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0 || peer.sun_family != AF_UNIX) return {};
  const std::size_t pathLength = length > offsetof(sockaddr_un, sun_path) ? length - offsetof(sockaddr_un, sun_path) : 0;
  if (pathLength == 0 || peer.sun_path[0] == '\0') return {};
  return std::string(peer.sun_path, ::strnlen(peer.sun_path, pathLength));
}

}  // namespace

void HangUpSoundServerConnections() {
  const std::string named = NamedServerSocket();
  DIR* const folder = ::opendir("/proc/self/fd");
  if (!folder) return;
  const int own = ::dirfd(folder);
  while (const dirent* entry = ::readdir(folder)) {
    char* end = nullptr;
    const long fd = std::strtol(entry->d_name, &end, 10);
    if (end == entry->d_name || *end != '\0' || fd == own) continue;
    const std::string peer = PeerPath(int(fd));
    if (peer.ends_with("/pulse/native") || (!named.empty() && peer == named)) ::shutdown(int(fd), SHUT_RDWR);
  }
  ::closedir(folder);
}

}  // namespace platform::sdl
