#include "tests/desktop/desktop_session.h"

#include <signal.h>

#include "tests/desktop/desktop_waits.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

std::string MissingProgram(const char* program, const char* package) {
  return std::string(program) + " is missing (Debian package " + package + "; ./deps.sh installs it)";
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
  const bool managed = manager != WindowManager::None;
  if (!ProgramInPath("Xvfb")) {
    problem_ = MissingProgram("Xvfb", "xvfb");
    return;
  }
  if (managed && !ProgramInPath(NameOf(manager))) {
    problem_ = MissingProgram(NameOf(manager), NameOf(manager));
    return;
  }
  server_ = std::make_unique<VirtualXServer>(width, height, depth);
  if (!server_->Ready()) {
    problem_ = "Xvfb did not start";
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

DesktopSession::~DesktopSession() {
  x_.reset();
  if (manager_) {
    manager_->Signal(SIGTERM);
    manager_->EndsWithin(kProgramEndWaitMs);
  }
}

}  // namespace desktop_test
