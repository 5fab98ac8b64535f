#include "tests/support/virtual_x_server.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

// The dummy driver's configuration: an output per monitor, each with a mode
// of its size (the driver gives only its first output modes of its own),
// to the right of the one before, on a screen that holds them all. No input
// devices are looked for: the test's keys and pointer come through XTEST.
std::string DummyDriverConfig(const std::vector<VirtualMonitor>& monitors) {
  int width = 0, height = 0;
  for (const VirtualMonitor& monitor : monitors) {
    width += monitor.width;
    height = std::max(height, monitor.height);
  }
  std::ostringstream config;
  config << "Section \"ServerFlags\"\n  Option \"AutoAddDevices\" \"false\"\n"
         << "  Option \"AutoAddGPU\" \"false\"\n  Option \"DontVTSwitch\" \"true\"\nEndSection\n";
  // The screen's pixels, and as much again for the server's own pictures.
  config << "Section \"Device\"\n  Identifier \"dummy\"\n  Driver \"dummy\"\n"
         << "  VideoRam " << std::int64_t(width) * height * 4 / 1024 * 2 << "\n";
  for (std::size_t i = 0; i < monitors.size(); ++i)
    config << "  Option \"Monitor-DUMMY" << i << "\" \"monitor" << i << "\"\n";
  config << "EndSection\n";
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const VirtualMonitor& monitor = monitors[i];
    const int w = monitor.width, h = monitor.height;
    // 60 frames a second with short blanking: any timing does for no screen.
    const int lineWidth = w + 160, lines = h + 30;
    config << "Section \"Monitor\"\n  Identifier \"monitor" << i
           << "\"\n  HorizSync 1-1000\n  VertRefresh 1-200\n"
           << "  Modeline \"" << w << "x" << h << "\" " << double(lineWidth) * lines * 60 / 1e6 << " " << w
           << " " << w + 40 << " " << w + 80 << " " << lineWidth << " " << h << " " << h + 10 << " " << h + 20
           << " " << lines << "\n  Option \"PreferredMode\" \"" << w << "x" << h
           << "\"\n  Option \"Enable\" \"true\"\n";
    if (i > 0) config << "  Option \"RightOf\" \"DUMMY" << i - 1 << "\"\n";
    if (monitor.primary) config << "  Option \"Primary\" \"true\"\n";
    config << "EndSection\n";
  }
  config << "Section \"Screen\"\n  Identifier \"screen\"\n  Device \"dummy\"\n  Monitor \"monitor0\"\n"
         << "  DefaultDepth 24\n  SubSection \"Display\"\n    Depth 24\n    Virtual " << width << " "
         << height << "\n  EndSubSection\nEndSection\n";
  return config.str();
}

}  // namespace

VirtualXServer::VirtualXServer(int width, int height, int depth) {
  const std::string screen =
      std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
  Start({"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", screen});
}

VirtualXServer::VirtualXServer(const std::vector<VirtualMonitor>& monitors,
                               const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const std::filesystem::path config = folder / "xorg.conf";
  std::ofstream(config) << DummyDriverConfig(monitors);
  // Without a virtual terminal of its own: the server shows on no screen.
  Start({"Xorg", "-displayfd", "3", "-nolisten", "tcp", "-noreset", "-novtswitch", "-sharevts", "-config",
         config.string(), "-logfile", (folder / "xorg.log").string()});
}

void VirtualXServer::Start(std::vector<std::string> command) {
  int ready[2];
  if (::pipe2(ready, O_CLOEXEC) != 0) return;
  server_ = std::make_unique<SpawnedProgram>(SpawnedProgram::Setup{
      .command = std::move(command), .folder = {}, .environment = {}, .descriptor3 = ready[1]});
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
