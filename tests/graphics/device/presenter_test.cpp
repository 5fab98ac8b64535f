// The presenter: frames from any thread, the headless last frame and PNG,
// the lost-device hooks, and the SDL backend under the dummy video driver.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/backend.h"
#include "platform/first_frame.h"
#include "platform/main_thread.h"
#include "platform/presenter.h"
#include "platform/window.h"

namespace {

platform::FrameView IndexedFrame(const std::uint8_t* pixels, const std::uint32_t* palette) {
  platform::FrameView frame;
  frame.width = 2;
  frame.height = 1;
  frame.pitch = 4;
  frame.indexed = pixels;
  frame.palette = palette;
  return frame;
}

// A 64 x 48 frame of one colour.
platform::FrameView ArgbFrame(const std::vector<std::uint32_t>& argb) {
  platform::FrameView frame;
  frame.width = 64;
  frame.height = 48;
  frame.pitch = 64;
  frame.argb = argb.data();
  return frame;
}

// The SDL backend with a 64 x 48 main window, until it ends.
class SdlPresenterTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::SelectBackend(platform::Backend::Sdl);
    platform::BecomeMainThread();
    if (!platform::CreateMainWindow(64, 48)) {
      platform::SelectBackend(platform::Backend::Headless);
      GTEST_SKIP() << "no SDL video driver";
    }
  }
  void TearDown() override {
    if (platform::CurrentBackend() != platform::Backend::Sdl) return;
    platform::DestroyMainWindow();
    platform::SelectBackend(platform::Backend::Headless);
  }
  const std::vector<std::uint32_t> argb_ = std::vector<std::uint32_t>(64 * 48, 0xFF336699);
};

TEST(PresenterTest, KeepsTheLastFrameFromAnyThreadAndWritesPng) {
  auto presenter = platform::CreateHeadlessPresenter();
  std::uint32_t palette[256] = {};
  palette[1] = 0xFF112233;
  palette[2] = 0x00445566;
  const std::uint8_t pixels[4] = {1, 2, 0, 0};
  std::thread([&] { EXPECT_TRUE(presenter->Submit(IndexedFrame(pixels, palette))); }).join();
  int w = 0, h = 0;
  const auto frame = presenter->LastFrame(&w, &h);
  ASSERT_EQ(w, 2);
  ASSERT_EQ(h, 1);
  EXPECT_EQ(frame[0], 0x112233u);
  EXPECT_EQ(frame[1], 0x445566u);
  const auto file = std::filesystem::temp_directory_path() / "presenter_test.png";
  ASSERT_TRUE(presenter->WritePng(file));
  std::ifstream in(file, std::ios::binary);
  char signature[4] = {};
  in.read(signature, 4);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
  std::filesystem::remove(file);
}

TEST(PresenterTest, LostDeviceDropsFramesUntilReset) {
  auto presenter = platform::CreateHeadlessPresenter();
  std::uint32_t palette[256] = {};
  const std::uint8_t pixels[4] = {};
  presenter->SimulateDeviceLost();
  EXPECT_FALSE(presenter->Submit(IndexedFrame(pixels, palette)));
  EXPECT_FALSE(presenter->ResetDevice());
  presenter->SimulateDeviceResettable();
  EXPECT_EQ(presenter->State(), platform::DeviceState::NotReset);
  EXPECT_TRUE(presenter->ResetDevice());
  EXPECT_TRUE(presenter->Submit(IndexedFrame(pixels, palette)));
  platform::FrameView bad = IndexedFrame(pixels, palette);
  bad.pitch = 1;
  EXPECT_FALSE(presenter->Submit(bad));
}

TEST_F(SdlPresenterTest, ShowsFramesAndReportsRenderResets) {
  auto presenter = platform::CreateSdlPresenter();
  presenter->Configure({false, 200, false});
  const platform::FrameView frame = ArgbFrame(argb_);
  // Readied for the first frame's size, nothing is shown yet.
  int shown = 0;
  presenter->SetFrameShownCallback([&] { ++shown; });
  presenter->PrepareFor(64, 48);
  platform::ServeMainThread();
  EXPECT_EQ(shown, 0);
  ASSERT_TRUE(presenter->Submit(frame));
  platform::ServeMainThread();  // uploads and shows the frame
  EXPECT_EQ(shown, 1);
  int resets = 0;
  presenter->SetRenderResetCallback([&] { ++resets; });
  SDL_Event event{};
  event.type = SDL_RENDER_TARGETS_RESET;
  SDL_PushEvent(&event);
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(presenter->State(), platform::DeviceState::NotReset);
  EXPECT_FALSE(presenter->Submit(frame));
  EXPECT_TRUE(presenter->ResetDevice());
  ASSERT_TRUE(presenter->Submit(frame));
  platform::ServeMainThread();  // a new texture after the reset
  SDL_Window* window = SDL_GetWindowFromID(1);
  if (window) {
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 128);
  }
}

// A window uncovered before the game's first frame shows nothing, not the
// readied texture that never held a frame, and the work put off until the
// first frame waits for that frame.
TEST_F(SdlPresenterTest, ShowsNothingOnAnUncoveredWindowBeforeTheFirstFrame) {
  auto presenter = platform::CreateSdlPresenter();
  int shown = 0;
  presenter->SetFrameShownCallback([&] { ++shown; });
  presenter->PrepareFor(64, 48);
  platform::ServeMainThread();  // readies the texture
  SDL_Event expose{};
  expose.type = SDL_WINDOWEVENT;
  expose.window.event = SDL_WINDOWEVENT_EXPOSED;
  SDL_PushEvent(&expose);
  platform::ServeMainThread();
  SDL_FlushEvent(SDL_WINDOWEVENT);
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(platform::FirstFramePending());
  ASSERT_TRUE(presenter->Submit(ArgbFrame(argb_)));
  platform::ServeMainThread();
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(platform::FirstFramePending());
  // Uncovered after it, the window shows that frame again.
  SDL_PushEvent(&expose);
  platform::ServeMainThread();
  SDL_FlushEvent(SDL_WINDOWEVENT);
  EXPECT_EQ(shown, 2);
}

}  // namespace
