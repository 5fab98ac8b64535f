#include "platform/sdl/display_loss_watch.h"

#include <SDL.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/display_loss.h"
#include "platform/sdl/wayland_client.h"

namespace platform::sdl {
namespace {

// Until the watch is stopped or the compositor hangs up.
void WatchForHangUp(int compositor, int stop, const std::string& displayName) {
  pollfd watched[] = {{compositor, 0, 0}, {stop, POLLIN, 0}};
  while (::poll(watched, 2, -1) < 0 && errno == EINTR) {
  }
  if (watched[0].revents & (POLLHUP | POLLERR)) EndForLostDisplay(displayName);
}

}  // namespace

DisplayLossWatch::DisplayLossWatch() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || SDL_strcasecmp(driver, "wayland") != 0) return;
  compositor_ = std::make_unique<CompositorConnection>();
  // SDL's driver reached it as the video part started.
  if (compositor_->Connection() == CompositorConnection::State::Refused)
    EndForLostDisplay(WaylandDisplayName());
  if (compositor_->Connection() != CompositorConnection::State::Open) return;
  stop_ = ::eventfd(0, EFD_CLOEXEC);
  if (stop_ < 0) return;
  watcher_ = std::thread(WatchForHangUp, compositor_->Descriptor(), stop_, WaylandDisplayName());
}

DisplayLossWatch::~DisplayLossWatch() {
  if (watcher_.joinable()) {
    ::eventfd_write(stop_, 1);
    watcher_.join();
  }
  if (stop_ >= 0) ::close(stop_);
}

}  // namespace platform::sdl
