// Surface creation and release, the surface list, aliases and texture sizes.
#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "tests/graphics/effect_test_support.h"
#include "graphics/images/bitmap_table.h"
#include "foundation/log.h"
#include "graphics/device/device.h"
#include "graphics/device/device_restore.h"
#include "graphics/device/render_target.h"
#include "graphics/images/palette.h"
#include "graphics/surfaces/surface.h"
#include "graphics/surfaces/surface_list.h"
#include "graphics/blits/fill.h"
#include "graphics/images/unpal.h"
#include "platform/presenter.h"
#include "platform/message_box.h"

using effect_test::Mode;

namespace {

class Direct3DSurfaceTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(effect_test::StartDevice(Mode::Direct3D32)); }
  void TearDown() override { DDRelease(); }
};

TEST_F(Direct3DSurfaceTest, TextureSizesFollowTheDeviceRules) {
  DDSURFACEDATA sd;
  lpDTCon->bPow2Only = 1;
  ASSERT_TRUE(DDCreateSurface(&sd, 100, 60, 0, 0, 0, 0, 0));
  EXPECT_EQ(sd.nTexWidth, 128);
  EXPECT_EQ(sd.nTexHeight, 64);
  EXPECT_EQ(sd.nWidth, 100);
  EXPECT_EQ(sd.nHeight, 60);
  DDReleaseSurface(&sd);
  lpDTCon->bSquareOnly = 1;
  lpDTCon->nMaxTextureWidth = 64;  // too wide: only a warning
  ASSERT_TRUE(DDCreateSurface(&sd, 100, 60, 0, 0, 0, 0, 0));
  EXPECT_EQ(sd.nTexWidth, 128);
  EXPECT_EQ(sd.nTexHeight, 128);
  DDReleaseSurface(&sd);
}

TEST_F(Direct3DSurfaceTest, TexturesAreListedUntilReleasedAndAliasesNeverFreeTheirOwner) {
  const std::size_t before = g_SurfaceList.size();
  DDSURFACEDATA owner, alias;
  ASSERT_TRUE(DDCreateSurface(&owner, 8, 8, 1, 0, DTMEMORYTYPE_VIDEO_NORT, 0, 0));
  EXPECT_EQ(owner.lpDT->nMemType, DTMEMORYTYPE_VIDEO_RT);
  EXPECT_EQ(std::string(owner.szFile), "E");
  ASSERT_TRUE(DDCreateSurface(&alias, 8, 8, 1, 0, 0, 1, 0));
  alias.lpAlias = &owner;
  EXPECT_EQ(g_SurfaceList.size(), before + 1);
  DDReleaseSurface(&alias);
  ASSERT_NE(owner.lpDT, nullptr);
  EXPECT_NE(owner.lpDT->lpSurface, nullptr);
  DDReleaseSurface(&owner);
  DDReleaseSurface(&owner);  // a second release does nothing
  EXPECT_EQ(g_SurfaceList.size(), before);
}

TEST_F(Direct3DSurfaceTest, NewRenderTargetsStartWithTheOpaqueTransparentColour) {
  DDSetTransmit(1, 2, 3);
  DDSURFACEDATA target, texture;
  ASSERT_TRUE(DDCreateSurface(&target, 2, 2, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  ASSERT_TRUE(DDCreateSurface(&texture, 2, 2, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
  EXPECT_EQ(*target.lpDT->lpSurface->Row32(1), 0xFF010203u);
  EXPECT_EQ(*texture.lpDT->lpSurface->Row32(1), 0u);
  EXPECT_FALSE(texture.lpDT->bRenderTarget);
  DDReleaseSurface(&target);
  DDReleaseSurface(&texture);
}

TEST_F(Direct3DSurfaceTest, MovedSurfacesStayRegisteredAtTheirNewAddress) {
  std::vector<DDSURFACEDATA> surfaces;
  std::vector<BMPFILEDATA> entries;
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(SurfaceVectorAdd(surfaces, entries, 4, 4, 1, 0, 0, 0));
  for (DDSURFACEDATA& sd : surfaces)
    EXPECT_NE(std::find(g_SurfaceList.begin(), g_SurfaceList.end(), &sd), g_SurfaceList.end());
  ReleaseSurfaceVector(surfaces);
}

TEST(SurfaceListTest, ListOperationsKeepSurfacesAndEntriesInStep) {
  ASSERT_TRUE(effect_test::StartDevice(Mode::DirectDraw32));
  std::list<DDSURFACEDATA> surfaces;
  std::list<BMPFILEDATA> entries;
  ASSERT_TRUE(SurfaceListAdd(surfaces, entries, 4, 4, 1, 0, 0, 0));
  ASSERT_TRUE(SurfaceListInsert(surfaces, entries, -3, 2, 2, 0, 1, 0, 0));
  ASSERT_TRUE(SurfaceListInsert(surfaces, entries, 99, 6, 6, 0, 0, 0, 0));
  EXPECT_FALSE(SurfaceListAdd(surfaces, entries, 0, 4, 1, 0, 0, 0));  // the real creation result
  ASSERT_EQ(surfaces.size(), 4u);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(surfaces.front().nWidth, 2);
  EXPECT_EQ(entries.front().bSystemMemory, 1);
  DDSURFACEDATA stranger;
  EXPECT_EQ(SurfaceListRemove(surfaces, entries, &stranger), 0);
  EXPECT_EQ(SurfaceListRemove(surfaces, entries, &surfaces.front()), 1);
  EXPECT_EQ(surfaces.size(), 3u);
  EXPECT_EQ(entries.front().bColorKey, 1);
  ReleaseSurfaceList(surfaces);
  DDRelease();
}

// DirectDraw's release shows the leak box once; a Direct3D release with
// textures still registered names them in the report and shows nothing.
TEST(SurfaceLeakTest, ReleaseReportsSurfacesLeftAlive) {
  const std::filesystem::path report =
      std::filesystem::temp_directory_path() / ("leak_report_" + std::to_string(::getpid()) + ".txt");
  ASSERT_EQ(InitReport(report), 1);
  for (Mode mode : {Mode::DirectDraw8, Mode::Direct3D32}) {
    ASSERT_TRUE(effect_test::StartDevice(mode));
    platform::TakeHeadlessBoxes();
    DDSURFACEDATA forgotten;
    ASSERT_TRUE(DDCreateSurface(&forgotten, 4, 4, 0, 0, 0, 0, 0));
    DDRelease();
    const auto boxes = platform::TakeHeadlessBoxes();
    if (mode == Mode::DirectDraw8) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].text, "解放漏れがあります");
      EXPECT_EQ(boxes[0].caption, "DirectDraw");
    } else {
      EXPECT_TRUE(boxes.empty());
    }
    DDReleaseSurface(&forgotten);
    EXPECT_TRUE(g_SurfaceList.empty());
  }
  std::ifstream in(report, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Direct3D texture not released at the device release: OffScreen 4 x 4 (E)"), std::string::npos)
      << text;
  std::filesystem::remove(report);
}

TEST(DeviceTest, Direct3DRefusesIndexedAndTwentyFourBitModes) {
  EXPECT_FALSE(DDInit(1, 64, 48, 8, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
  DDRelease();
  EXPECT_FALSE(DDInit(1, 64, 48, 24, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
  DDRelease();
  EXPECT_EQ(lpDTCon, nullptr);
  ASSERT_TRUE(DDInit(1, 64, 48, 16, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
  EXPECT_EQ(g_DDState.nBpp, 32);  // 16 bits run as 32
  DDRelease();
  ASSERT_TRUE(DDInit(0, 64, 48, 24, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
  EXPECT_EQ(g_DDState.nBpp, 32);
  EXPECT_EQ(DDPresent(60, 0, 0), 1);
  DDRelease();
}

TEST(DeviceTest, StartPaletteOfEachScreenMode) {
  ASSERT_TRUE(DDInit(0, 64, 48, 8, 0, 0, 1, 60, 0, nullptr, nullptr, 0));  // full screen
  EXPECT_EQ(g_ScreenPalette[0].peBlue, 255);
  EXPECT_EQ(g_ScreenPalette[0].peFlags, 1);
  EXPECT_EQ(g_ScreenPalette[7].peGreen, 7);
  EXPECT_EQ(g_ScreenPalette[7].peFlags, 1);
  DDRelease();
  ASSERT_TRUE(DDInit(0, 64, 48, 8, 0, 1, 1, 60, 0, nullptr, nullptr, 0));  // window
  EXPECT_EQ(g_ScreenPalette[7].peGreen, 0);
  EXPECT_EQ(g_ScreenPalette[7].peFlags, 2);  // the system palette's own entries
  EXPECT_EQ(g_ScreenPalette[250].peFlags, 2);
  EXPECT_EQ(g_ScreenPalette[100].peGreen, 100);
  EXPECT_EQ(g_ScreenPalette[100].peFlags, 1);
  DDRelease();
}

// Pages of [bits, bits + bytes) that hold memory.
std::size_t ResidentPages(const void* bits, std::size_t bytes) {
  const std::size_t page = std::size_t(::sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(bits) / page * page;
  const std::size_t pages = (reinterpret_cast<std::uintptr_t>(bits) + bytes - start + page - 1) / page;
  std::vector<unsigned char> resident(pages);
  if (::mincore(reinterpret_cast<void*>(start), pages * page, resident.data()) != 0) return pages;
  return std::size_t(std::count_if(resident.begin(), resident.end(), [](unsigned char r) { return r & 1; }));
}

// A DirectDraw surface is made filled with colour 0, which its fresh pages
// already hold where colour 0 is black: it takes memory only where
// something is drawn (a font's screen-sized work surface that holds one
// line of text, a work surface never used), and reads as colour 0
// everywhere else.
TEST(DeviceTest, DirectDrawSurfacesTakeMemoryOnlyWhereDrawn) {
  // Colour 0 black for this test only, also when an assertion ends it early.
  struct BlackColourZero {
    PALETTEENTRY saved = std::exchange(g_PalEntries[0], PALETTEENTRY{});
    ~BlackColourZero() { g_PalEntries[0] = saved; }
  } blackColourZero;
  for (const Mode mode : {Mode::DirectDraw8, Mode::DirectDraw32}) {
    SCOPED_TRACE(effect_test::ModeName({mode, 0}));
    ASSERT_TRUE(effect_test::StartDevice(mode, 640, 480));
    {
      effect_test::TestSurface surface(640, 480);
      const cPixelBuffer& pixels = *SurfacePixels(&surface.sd);
      const std::size_t bytes = std::size_t(pixels.Pitch()) * pixels.Height() * pixels.BytesPerPixel();
      EXPECT_EQ(ResidentPages(pixels.Bits(), bytes), 0u);
      DDFillRect(&surface.sd, 0, 0, 100, 2, 7);
      EXPECT_LE(ResidentPages(pixels.Bits(), bytes), 2u);
      EXPECT_EQ(surface.Get(99, 1), PalNumToRGB(7));
      EXPECT_EQ(surface.Get(100, 1), PalNumToRGB(0));
      EXPECT_EQ(surface.Get(639, 479), PalNumToRGB(0));
      // A fill of the whole surface with another colour is seen everywhere.
      DDFillRect(&surface.sd, 0, 0, 640, 480, 7);
      EXPECT_EQ(surface.Get(639, 479), PalNumToRGB(7));
      EXPECT_EQ(surface.Get(99, 1), PalNumToRGB(7));
    }
    DDRelease();
  }
}

}  // namespace

namespace {

TEST_F(Direct3DSurfaceTest, VirtualBackBufferCollectsTheFrameUntilPresent) {
  DDFillSurfaceRGB(&BackBuffer, 0xFF000000);
  DDSetVirBackBufferMode(1);
  DDFillRectRGB(&BackBuffer, 0, 0, 2, 2, 0xFF00FF00);
  EXPECT_EQ(*BackBuffer.lpDT->lpSurface->Row32(0), 0xFF000000u);
  EXPECT_EQ(*VirBackBuffer.lpDT->lpSurface->Row32(0), 0xFF00FF00u);
  ASSERT_EQ(DDPresent(0, 0, 0), 1);
  EXPECT_EQ(*BackBuffer.lpDT->lpSurface->Row32(1), 0xFF00FF00u);
  DDSetVirBackBufferMode(0);
}

TEST_F(Direct3DSurfaceTest, PresentReportsALostDevice) {
  platform::Presenter& presenter = platform::GetPresenter();
  presenter.SimulateDeviceLost();
  EXPECT_EQ(DDPresent(0, 0, 0), 0);
  presenter.SimulateDeviceResettable();
  ASSERT_TRUE(presenter.ResetDevice());
  EXPECT_EQ(DDPresent(0, 0, 0), 1);
}

// A loss that cannot be reset yet takes the render targets' textures, and
// every frame that draws into one fails until the device comes back: the
// failure is reported once per loss, not once per frame.
TEST_F(Direct3DSurfaceTest, ARenderTargetLostWithTheDeviceIsReportedOncePerLoss) {
  const std::filesystem::path report = std::filesystem::temp_directory_path() /
                                       ("render_target_report_" + std::to_string(::getpid()) + ".txt");
  ASSERT_EQ(InitReport(report), 1);
  const auto failureLines = [&] {
    std::ifstream in(report, std::ios::binary);
    int lines = 0;
    for (std::string line; std::getline(in, line);) lines += line == "SetRenderTarget Err 8876086c (E)";
    return lines;
  };
  effect_test::TestSurface target(8, 8);
  platform::Presenter& presenter = platform::GetPresenter();
  for (int loss = 1; loss <= 2; ++loss) {
    SCOPED_TRACE(loss);
    presenter.SimulateDeviceLost();
    ASSERT_EQ(DDRestoreSurface(), 0);
    for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(DDSetRenderTarget(0, &target.sd), 0);
    EXPECT_EQ(failureLines(), loss);
    presenter.SimulateDeviceResettable();
    ASSERT_EQ(DDRestoreSurface(), 1);
    EXPECT_EQ(DDSetRenderTarget(0, &target.sd), 1);
  }
  std::filesystem::remove(report);
}

TEST(UnPalTest, FadeMixesTowardTheColourAndSwatchesFillThePalette) {
  ASSERT_TRUE(effect_test::StartDevice(Mode::DirectDraw32));
  effect_test::TestSurface dst(2, 1), src(2, 1);
  src.Set(0, 0, 0x00FF8040);
  src.Set(1, 0, 0x00000000);
  dst.Fill(0x7F000000);
  EXPECT_EQ(DDFade_UnPal(&dst.sd, 256, 10, 20, 30, &src.sd), 1);
  EXPECT_EQ(dst.Get(0, 0), 0x7FFF8040u);  // the fourth byte stays
  EXPECT_EQ(DDFade_UnPal(&dst.sd, 0, 10, 20, 30, &src.sd), 1);
  EXPECT_EQ(dst.Get(1, 0), 0x7F0A141Eu);
  DDRelease();

  ASSERT_TRUE(effect_test::StartDevice(Mode::Direct3D32));
  effect_test::TestSurface swatch(16, 24, true);
  swatch.Fill(0xFF102030);
  swatch.Set(5, 8, 0x00FFFFFF);  // alpha 0: entry 5 keeps its colour
  PaletteArray palette{};
  palette[5] = {1, 2, 3, 4};
  EXPECT_EQ(DDSetPalette_UnPal(palette.data(), &swatch.sd), 1);
  EXPECT_EQ(palette[6].peRed, 0x10);
  EXPECT_EQ(palette[6].peFlags, 0xFF);
  EXPECT_EQ(palette[5].peRed, 1);
  effect_test::TestSurface tooSmall(8, 8, true);
  EXPECT_EQ(DDSetPalette_UnPal(palette.data(), &tooSmall.sd), 0);
  EXPECT_EQ(DDFade_UnPal(&swatch.sd, 0, 0, 0, 0, &swatch.sd), 1);  // nothing in Direct3D mode
  DDRelease();
}

}  // namespace
