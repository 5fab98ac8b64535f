#pragma once
// A desktop case on a Wayland desktop: the case's X server shows a
// compositor of its own (weston), and the player plays there on SDL's
// Wayland driver.

#include <memory>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/weston_session.h"

namespace desktop_test {

class WaylandDesktopFixture : public DesktopFixture {
 protected:
  // The X desktop of that size, weston on it and the sample game written;
  // the case fails, saying why, when the desktop or weston cannot start.
  bool StartWaylandDesktop(const WestonOutput& output, const sample_game::StartupSettings& startup,
                           int screenWidth = 1024, int screenHeight = 768);
  WestonSession& Weston() { return *weston_; }
  // The player on weston, as StartPlayer starts it.
  SpawnedProgram& StartPlayerOnWeston() { return StartPlayer({}, weston_->PlayerEnvironment()); }

 private:
  std::unique_ptr<WestonSession> weston_;
};

}  // namespace desktop_test
