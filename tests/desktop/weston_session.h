#pragma once
// A Wayland compositor of a test's own (weston), shown in a window of the
// test's X server, and the player's environment on it (SDL's Wayland driver
// and its software renderer). Its socket lies in a short folder of its own:
// a socket's path holds at most 107 bytes, which a folder named after the
// test would pass with a longer TMPDIR or a longer process id. The player's
// pointer there has no visible pixel (a cursor theme of the folder's own):
// the compositor draws it over the picture, which the tests look at whole.

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/spawned_program.h"

namespace desktop_test {

struct WestonOutput {
  // In the compositor's own units; its window on the X server is `scale`
  // times as wide and as high.
  int width = 0;
  int height = 0;
  int scale = 1;
};

class WestonSession {
 public:
  // Whether weston can be started here, and what to say where it cannot.
  static bool Installed() { return ProgramInPath("weston"); }
  static constexpr const char* kMissing = "weston is missing (Debian package weston; ./deps.sh installs it)";

  WestonSession(const std::string& xDisplay, const WestonOutput& output);
  // Ends the compositor, if not before, and removes its folder.
  ~WestonSession();
  WestonSession(const WestonSession&) = delete;
  WestonSession& operator=(const WestonSession&) = delete;

  // Listening on its socket; else Problem() says why.
  bool Ready() const { return ready_; }
  std::string Problem() const;
  // What WAYLAND_DISPLAY names it by, from any folder.
  std::string Socket() const { return (folder_ / kSocket).string(); }
  // The title of its window on the X server.
  static std::string WindowTitle() { return "Weston Compositor - screen0"; }
  SpawnedProgram::Setup::Environment PlayerEnvironment() const;

  // Stops it as a compositor that hangs does: it answers nobody.
  void Stop() const;
  // Ends it as a session's end does, or kills it (a stopped one too) as a
  // crash does.
  void End();
  void Kill();

 private:
  inline static const std::string kSocket = "wayland-test";
  std::filesystem::path folder_;
  std::unique_ptr<SpawnedProgram> weston_;
  bool ready_ = false;
};

}  // namespace desktop_test
