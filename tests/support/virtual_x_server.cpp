#include "tests/support/virtual_x_server.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

VirtualXServer::VirtualXServer(int width, int height, int depth) {
  int ready[2];
  if (::pipe2(ready, O_CLOEXEC) != 0) return;
  const std::string screen =
      std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
  server_ = std::make_unique<SpawnedProgram>(SpawnedProgram::Setup{
      .command = {"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", screen},
      .folder = {},
      .environment = {},
      .descriptor3 = ready[1]});
  ::close(ready[1]);
  // The number ends with a line feed, which may come in a write of its
  // own: the pipe stays open for it (the server stops when it cannot write).
  numberPipe_ = ready[0];
  std::string digits;
  for (char c = 0; ::read(numberPipe_, &c, 1) == 1 && c != '\n';) digits += c;
  if (!digits.empty()) display_ = ":" + digits;
}

SpawnedProgram::Setup::Environment VirtualXServer::PlayerEnvironment() const {
  return {{"DISPLAY", display_},
          {"WAYLAND_DISPLAY", std::nullopt},
          {"SDL_VIDEODRIVER", std::nullopt},
          {"TSAN_OPTIONS", OptionsWith("TSAN_OPTIONS", "ignore_noninstrumented_modules=1")}};
}

VirtualXServer::~VirtualXServer() {
  End();
  if (numberPipe_ >= 0) ::close(numberPipe_);
}

void VirtualXServer::End() {
  if (!server_) return;
  server_->Signal(SIGTERM);
  server_->EndsWithin(kProgramEndWaitMs);
}
