#pragma once
// A desktop of a test's own: an X server (Xvfb of the size and colour depth
// asked for, or Xorg with several monitors), a window manager that draws
// title bars and honours full screen (or none, as an X session that runs
// only the game has), and the test's connection to them. Everything it
// starts ends with it.

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/desktop/x_display.h"
#include "tests/support/spawned_program.h"
#include "tests/support/virtual_x_server.h"

namespace desktop_test {

enum class WindowManager { Openbox, Fluxbox, None };

const char* NameOf(WindowManager manager);
inline void PrintTo(WindowManager manager, std::ostream* out) { *out << NameOf(manager); }

class DesktopSession {
 public:
  // The window manager keeps its settings under `home`.
  DesktopSession(WindowManager manager, int width, int height, const std::filesystem::path& home,
                 int depth = 24);
  // The monitors side by side, left to right (Xorg keeps its files in `home`).
  DesktopSession(WindowManager manager, const std::vector<VirtualMonitor>& monitors,
                 const std::filesystem::path& home);
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  // Empty once the desktop is ready; else what is missing or failed (CI
  // must run these tests: a missing program fails them, naming its package).
  const std::string& Problem() const { return problem_; }
  const std::string& Display() const { return server_->Display(); }
  SpawnedProgram::Setup::Environment PlayerEnvironment() const { return server_->PlayerEnvironment(); }
  const XDisplay& X() const { return *x_; }
  // Ends the X server under the programs on it, as a session's end does;
  // the test's own connection goes first (X() is gone from then on).
  void EndXServer();
  // Switches the keyboard to an XKB layout ("de", "fr") as a user does with
  // setxkbmap; what went wrong, empty once it is switched.
  std::string SwitchKeyboardLayout(const std::string& layout) const;

 private:
  // The window manager and the test's connection, once the server is ready.
  void StartWindowManager(WindowManager manager, const std::filesystem::path& home);

  std::string problem_;
  std::unique_ptr<VirtualXServer> server_;
  std::unique_ptr<SpawnedProgram> manager_;
  std::unique_ptr<XDisplay> x_;
};

}  // namespace desktop_test
