// The machine's description from Linux's own files, given as texts.

#include "platform/system_info.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/backend.h"
#include "platform/window.h"

namespace {

TEST(SystemInfo, OsNameFromOsReleaseAndKernel) {
  EXPECT_EQ(platform::OsName("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n", "Linux",
                             "6.1.0-13-amd64", "x86_64"),
            "Debian GNU/Linux 12 (bookworm) Linux 6.1.0-13-amd64 x86_64");
  EXPECT_EQ(platform::OsName("NAME=Alpine\nVERSION='3.19'\n", "Linux", "6.6", ""), "Alpine 3.19 Linux 6.6");
  EXPECT_EQ(platform::OsName("", "Linux", "6.6", "aarch64"), "Linux 6.6 aarch64");
}

TEST(SystemInfo, ProcessorFromTheFirstBlockOfCpuinfo) {
  const auto cpu = platform::ParseCpuInfo(
      "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n"
      "cpu MHz\t\t: 1799.998\n\nprocessor\t: 1\nvendor_id\t: Other\ncpu MHz\t\t: 400.000\n");
  EXPECT_EQ(cpu.vendor, "GenuineIntel");
  EXPECT_EQ(cpu.brand, "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz");
  EXPECT_DOUBLE_EQ(cpu.mhz, 1799.998);
  // Processors that name neither (many ARM boards) leave the texts empty.
  const auto arm = platform::ParseCpuInfo("processor\t: 0\nBogoMIPS\t: 108.00\n");
  EXPECT_EQ(arm.vendor, "");
  EXPECT_EQ(arm.brand, "");
  EXPECT_EQ(arm.mhz, 0);
}

TEST(SystemInfo, MemoryWithSwapAsVirtualMemory) {
  const auto memory = platform::ParseMemInfo(
      "MemTotal:       16318480 kB\nMemFree:         1000000 kB\nMemAvailable:    8000000 kB\n"
      "SwapTotal:       2097148 kB\nSwapFree:        1048576 kB\n");
  EXPECT_EQ(memory.totalBytes, 16318480ull * 1024);
  EXPECT_EQ(memory.availableBytes, 8000000ull * 1024);
  EXPECT_EQ(memory.virtualTotalBytes, (16318480ull + 2097148) * 1024);
  EXPECT_EQ(memory.virtualAvailableBytes, (8000000ull + 1048576) * 1024);
  // Kernels before MemAvailable: the free memory stands in.
  EXPECT_EQ(platform::ParseMemInfo("MemTotal: 100 kB\nMemFree: 40 kB\n").availableBytes, 40u * 1024);
}

// Without a display, or with one that cannot be reached (SDL then falls back
// to a driver that shows nothing), the SDL window cannot show; a driver the
// user chose is taken as asked for.
TEST(SystemInfo, WithoutAReachableX11OrWaylandDisplayTheSdlWindowCannotShow) {
  auto keep = [](const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  };
  const auto display = keep("DISPLAY"), wayland = keep("WAYLAND_DISPLAY"), driver = keep("SDL_VIDEODRIVER");
  ::unsetenv("DISPLAY");
  ::unsetenv("WAYLAND_DISPLAY");
  ::unsetenv("SDL_VIDEODRIVER");
  platform::SelectBackend(platform::Backend::Sdl);
  const auto missing = platform::DisplayProblem();
  ::setenv("DISPLAY", ":4242", 1);
  const auto unreachable = platform::DisplayProblem();
  const auto unreachableAgain = platform::DisplayProblem();
  ::unsetenv("DISPLAY");
  ::setenv("SDL_VIDEODRIVER", "dummy", 1);
  const auto chosenDriver = platform::DisplayProblem();
  platform::SelectBackend(platform::Backend::Headless);
  const auto headless = platform::DisplayProblem();
  for (auto& [name, value] : {std::pair{"DISPLAY", display}, {"WAYLAND_DISPLAY", wayland}, {"SDL_VIDEODRIVER", driver}}) {
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  EXPECT_TRUE(missing.has_value());
  ASSERT_TRUE(unreachable.has_value());
  EXPECT_NE(unreachable->find("the display named by DISPLAY (\":4242\") could not be opened"), std::string::npos)
      << *unreachable;
  EXPECT_EQ(unreachableAgain, unreachable);
  EXPECT_FALSE(chosenDriver.has_value());
  EXPECT_FALSE(headless.has_value());
}

// The report names the renderer the window was made with: under the dummy
// video driver that is SDL's software renderer, not the first one SDL lists
// (OpenGL).
TEST(SystemInfo, TheDisplayLineNamesTheRendererTheWindowWasMadeWith) {
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  const std::optional<std::string> driver = chosen ? std::optional<std::string>(chosen) : std::nullopt;
  ::setenv("SDL_VIDEODRIVER", "dummy", 1);
  platform::SelectBackend(platform::Backend::Sdl);
  platform::BecomeMainThread();
  const bool created = platform::CreateMainWindow(64, 48);
  const std::string description = platform::DisplayDescription();
  if (created) platform::DestroyMainWindow();
  platform::SelectBackend(platform::Backend::Headless);
  if (driver)
    ::setenv("SDL_VIDEODRIVER", driver->c_str(), 1);
  else
    ::unsetenv("SDL_VIDEODRIVER");
  ASSERT_TRUE(created);
  EXPECT_NE(description.find(", video dummy, renderer software"), std::string::npos) << description;
}

// The machine's description asks for the desktop's size before the window
// exists; a driver the user chose (SDL_VIDEODRIVER, as Wayland sessions set
// it) is started for the question too.
TEST(SystemInfo, TheDesktopSizeIsKnownBeforeTheWindowUnderAChosenDriver) {
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  const std::optional<std::string> driver = chosen ? std::optional<std::string>(chosen) : std::nullopt;
  ::setenv("SDL_VIDEODRIVER", "dummy", 1);
  platform::SelectBackend(platform::Backend::Sdl);
  platform::BecomeMainThread();
  const platform::WindowRect desktop = platform::DesktopBounds();
  // The window takes over the video part the question started, and ends it.
  if (platform::CreateMainWindow(64, 48)) platform::DestroyMainWindow();
  platform::SelectBackend(platform::Backend::Headless);
  if (driver)
    ::setenv("SDL_VIDEODRIVER", driver->c_str(), 1);
  else
    ::unsetenv("SDL_VIDEODRIVER");
  EXPECT_GT(desktop.width, 0);
  EXPECT_GT(desktop.height, 0);
}

}  // namespace
