#include "tests/desktop/wayland_fixture.h"

namespace desktop_test {

bool WaylandDesktopFixture::StartWaylandDesktop(const WestonOutput& output,
                                                const sample_game::StartupSettings& startup, int screenWidth,
                                                int screenHeight) {
  if (!StartDesktop(WindowManager::Openbox, screenWidth, screenHeight)) return false;
  WriteGame(startup);
  weston_ = std::make_unique<WestonSession>(Display(), output);
  EXPECT_TRUE(weston_->Ready()) << weston_->Problem();
  return weston_->Ready();
}

}  // namespace desktop_test
