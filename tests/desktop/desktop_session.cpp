#include "tests/desktop/desktop_session.h"

#include <signal.h>

#include <fstream>

#include "tests/desktop/desktop_waits.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

std::string MissingProgram(const char* program, const char* package) {
  return std::string(program) + " is missing (Debian package " + package + "; ./deps.sh installs it)";
}

// The lines of a server's log that say what went wrong.
std::string ErrorLines(const std::filesystem::path& log) {
  std::ifstream in(log);
  std::string errors;
  for (std::string line; std::getline(in, line);)
    if (line.find("(EE)") != std::string::npos) errors += "\n" + line;
  return errors;
}

std::vector<std::string> ManagerCommand(WindowManager manager) {
  if (manager == WindowManager::Openbox) return {"openbox", "--sm-disable"};
  return {"fluxbox"};
}

}  // namespace

const char* NameOf(WindowManager manager) {
  switch (manager) {
    case WindowManager::Openbox:
      return "openbox";
    case WindowManager::Fluxbox:
      return "fluxbox";
    case WindowManager::None:
      break;
  }
  return "no window manager";
}

DesktopSession::DesktopSession(WindowManager manager, int width, int height,
                               const std::filesystem::path& home, int depth) {
  if (!ProgramInPath("Xvfb")) {
    problem_ = MissingProgram("Xvfb", "xvfb");
    return;
  }
  server_ = std::make_unique<VirtualXServer>(width, height, depth);
  if (!server_->Ready()) {
    problem_ = "Xvfb did not start";
    return;
  }
  StartWindowManager(manager, home);
}

DesktopSession::DesktopSession(WindowManager manager, const std::vector<VirtualMonitor>& monitors,
                               const std::filesystem::path& home) {
  if (!ProgramInPath("Xorg")) {
    problem_ = MissingProgram("Xorg", "xserver-xorg-core");
    return;
  }
  server_ = std::make_unique<VirtualXServer>(monitors, home / "xorg");
  if (!server_->Ready()) {
    problem_ =
        "Xorg with the dummy video driver did not start (Debian package xserver-xorg-video-dummy; "
        "./deps.sh installs it):" +
        ErrorLines(home / "xorg" / "xorg.log");
    return;
  }
  StartWindowManager(manager, home);
}

void DesktopSession::StartWindowManager(WindowManager manager, const std::filesystem::path& home) {
  const bool managed = manager != WindowManager::None;
  if (managed && !ProgramInPath(NameOf(manager))) {
    problem_ = MissingProgram(NameOf(manager), NameOf(manager));
    return;
  }
  std::filesystem::create_directories(home);
  if (managed)
    manager_ = std::make_unique<SpawnedProgram>(
        SpawnedProgram::Setup{.command = ManagerCommand(manager),
                              .folder = home,
                              .environment = {{"DISPLAY", Display()},
                                              {"HOME", home.string()},
                                              {"XDG_CONFIG_HOME", (home / ".config").string()},
                                              {"XDG_CACHE_HOME", (home / ".cache").string()}},
                              .descriptor3 = -1});
  x_ = std::make_unique<XDisplay>(Display());
  if (!x_->Connected()) {
    problem_ = "cannot connect to the X server at " + Display();
    return;
  }
  if (!managed) return;
  if (!WaitUntilWithin(kEventWaitMs, kPollMs,
                       [&] { return x_->WindowManagerReady() || manager_->EndsWithin(0); }) ||
      !x_->WindowManagerReady()) {
    problem_ = NameOf(manager);
    problem_ += " did not start: " + manager_->Stderr();
  }
}

void DesktopSession::EndXServer() {
  x_.reset();
  server_->End();
}

std::string DesktopSession::SwitchKeyboardLayout(const std::string& layout) const {
  if (!ProgramInPath("setxkbmap")) return MissingProgram("setxkbmap", "x11-xkb-utils");
  SpawnedProgram setxkbmap(SpawnedProgram::Setup{
      .command = {"setxkbmap", "-display", Display(), layout}, .folder = {}, .environment = {}, .descriptor3 = -1});
  if (!setxkbmap.EndsWithin(kProgramEndWaitMs)) return "setxkbmap " + layout + " did not end";
  if (setxkbmap.ExitCode() != 0) return "setxkbmap " + layout + " failed: " + setxkbmap.Stderr();
  return {};
}

DesktopSession::~DesktopSession() {
  x_.reset();
  if (manager_) {
    manager_->Signal(SIGTERM);
    manager_->EndsWithin(kProgramEndWaitMs);
  }
}

}  // namespace desktop_test
