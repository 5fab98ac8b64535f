#include "graphics/device/device_restore.h"

#include <gtest/gtest.h>

#include "tests/graphics/effect_test_support.h"
#include "graphics/text/font.h"
#include "graphics/text/font_setup.h"
#include "platform/presenter.h"

namespace {

using effect_test::Mode;
using effect_test::TestSurface;

class DeviceRestoreTest : public testing::Test {
 protected:
  void TearDown() override {
    // Leave the shared presenter usable for the next test.
    platform::Presenter& presenter = platform::GetPresenter();
    presenter.SimulateDeviceResettable();
    presenter.ResetDevice();
    DDRelease();
  }
};

TEST_F(DeviceRestoreTest, Direct3DWaitsForAResettableDeviceThenRecreatesSurfaces) {
  ASSERT_TRUE(effect_test::StartDevice(Mode::Direct3D32));
  {
    TestSurface target(8, 8), system(8, 8, /*systemMemory=*/true);
    target.Fill(0xFF123456);
    system.Fill(0xFF654321);
    Font font;
    font.Create(g_FontDefs[0].szFace, 0, 10, 10, 10, 1, nullptr, 1, 1, nullptr, 1);
    platform::Presenter& presenter = platform::GetPresenter();
    presenter.SimulateDeviceLost();
    EXPECT_EQ(DDRestoreSurface(), 0);  // lost, not yet resettable
    EXPECT_EQ(SurfacePixels(&target.sd), nullptr);
    presenter.SimulateDeviceResettable();
    EXPECT_EQ(DDRestoreSurface(), 1);
    EXPECT_EQ(presenter.State(), platform::DeviceState::Ok);
    // An empty texture comes back empty and flagged; a system-memory one keeps its pixels.
    ASSERT_NE(SurfacePixels(&target.sd), nullptr);
    EXPECT_EQ(target.sd.bLost, 1);
    EXPECT_NE(target.Get(0, 0), 0xFF123456u);
    EXPECT_EQ(system.Get(3, 3), 0xFF654321u);
    // The fonts' cache sheets were rendered again.
    EXPECT_EQ(font.m_lpFastFont_Half->Sheet().bLost, 0);
    // Drawn on the text colour's opposite, so that the text shows.
    const std::uint32_t paper = 0xFF000000u | (~font.m_dwTextColor & 0xFFFFFFu);
    TestSurface probe(20, 10);
    probe.Fill(paper);
    font.Draw(&probe.sd, 0, 0, "W");
    bool ink = false;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) ink = ink || probe.Get(x, y) != paper;
    EXPECT_TRUE(ink);
  }
}

TEST_F(DeviceRestoreTest, DirectDrawRestoresOnlyALostScreen) {
  ASSERT_TRUE(effect_test::StartDevice(Mode::DirectDraw32));
  EXPECT_EQ(DDRestoreSurface(), 1);  // a Direct3D operation: nothing to do
  EXPECT_EQ(DDRestore(), 1);
  platform::Presenter& presenter = platform::GetPresenter();
  presenter.SimulateDeviceLost();
  EXPECT_EQ(DDRestore(), 1);
  EXPECT_EQ(presenter.State(), platform::DeviceState::Lost);
  presenter.SimulateDeviceResettable();
  EXPECT_EQ(DDRestore(), 1);
  EXPECT_EQ(presenter.State(), platform::DeviceState::Ok);
}

}  // namespace
