// The player started by a launcher or script that closed its standard
// input, output and error (`player <&- >&- 2>&-`), on a desktop with a
// session bus, as every desktop has one: the descriptors the player opens
// next must not take those numbers, or a line it writes to stderr goes into
// whatever took 2 (there, the X connection).
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/support/test_fonts.h"
#include "tests/support/unix_socket.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

namespace fs = std::filesystem;

// A session bus of the test's own, listening in `folder`; it ends with the
// object.
class SessionBus {
 public:
  explicit SessionBus(const fs::path& folder)
      : socket_(folder / "bus"),
        daemon_({.command = {"dbus-daemon", "--session", "--nofork", "--address=unix:path=" + socket_.string()},
                 .folder = folder,
                 .environment = {},
                 .descriptor3 = -1}) {}

  // The address a client is given; empty (the case fails, saying why) when
  // the bus does not answer.
  std::string Address() {
    const bool answers = WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
      const int connection = ConnectToUnixSocket(socket_);
      if (connection >= 0) ::close(connection);
      return connection >= 0 || daemon_.EndsWithin(0);
    }) && !daemon_.EndsWithin(0);
    EXPECT_TRUE(answers) << "no session bus (Debian: apt-get install dbus-daemon): " << daemon_.Stderr();
    return answers ? "unix:path=" + socket_.string() : std::string();
  }

 private:
  fs::path socket_;
  SpawnedProgram daemon_;
};

std::string Contents(const fs::path& file) {
  std::ifstream in(file);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class StandardDescriptorsOnADesktop : public DesktopFixture {};

// No Japanese face is installed, so the player writes a line to stderr as it
// starts. Started with descriptors 0-2 closed, it shows the title, and a
// termination there ends it as a close does: status 0, the window's place
// saved, and the lock file naming the player as it did.
TEST_F(StandardDescriptorsOnADesktop, APlayerStartedWithThemClosedClosesAsUsual) {
  const sample_game::StartupSettings startup{1, 1, 32};
  const GameFrame title = HeadlessTitleFrames(startup).title;
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame(startup);
  SessionBus bus(Game().parent_path());
  const std::string busAddress = bus.Address();
  ASSERT_FALSE(busAddress.empty());
  const fs::path fonts = Game().parent_path() / "fonts";
  fs::create_directories(fonts);
  fs::create_symlink(kLatinFontFile, fonts / fs::path(kLatinFontFile).filename());
  const fs::path fontConfiguration = WriteFontConfiguration(Game().parent_path() / "fontconfig", fonts);
  const fs::path lockFile = Game().parent_path() / "runtime" / "ゲーム.lock";
  const fs::path saved = Game() / "user_data" / "Window.dat";

  // The launcher's shell hands the player its variables and closes the
  // three descriptors as it starts it.
  SpawnedProgram& player = StartPlayerThrough(
      {"/bin/sh", "-c",
       "FONTCONFIG_FILE='" + fontConfiguration.string() + "' DBUS_SESSION_BUS_ADDRESS='" + busAddress +
           "' exec \"$0\" <&- >&- 2>&-"});
  const std::optional<XWindowId> window = WindowOf(player);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntilShown(*window, title));
  const std::string lock = Contents(lockFile);
  EXPECT_EQ(lock, std::to_string(player.Pid()) + "\n");
  EXPECT_NE(Report().find("No installed font has the Japanese characters"), std::string::npos)
      << "the player had no line for stderr: " << Report();

  player.Signal(SIGTERM);
  ASSERT_TRUE(player.EndsWithin(kProgramEndWaitMs)) << "the termination did not end the player";
  EXPECT_EQ(player.ExitCode(), 0);
  EXPECT_TRUE(fs::exists(saved)) << "the window's place was not saved";
  EXPECT_EQ(Contents(lockFile), lock);
}

}  // namespace
}  // namespace desktop_test
