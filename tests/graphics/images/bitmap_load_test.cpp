// Surfaces loaded from files, the bitmap table, the palette file and the
// transparent colour, in each drawing mode.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/graphics/effect_test_support.h"
#include "foundation/game_files.h"
#include "foundation/log.h"
#include "foundation/message_box.h"
#include "graphics/images/bitmap_load.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/images/palette.h"
#include "graphics/images/palette_file.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"

using effect_test::Mode;
using effect_test::TestSurface;
namespace fs = std::filesystem;

namespace {

void Put(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

// An uncompressed bottom-up bitmap of 8 bits (with a 256-entry table) or 24 bits.
void WriteBmp(const fs::path& file, int w, int h, int bpp, const std::vector<std::uint32_t>& table,
              const std::vector<std::uint32_t>& pixels) {
  const std::size_t stride = ((std::size_t(w) * bpp + 31) / 32) * 4, tableBytes = bpp == 8 ? 1024 : 0;
  std::vector<std::uint8_t> b(54 + tableBytes + stride * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put(b, 10, std::uint32_t(54 + tableBytes), 4);
  Put(b, 14, 40, 4);
  Put(b, 18, std::uint32_t(w), 4);
  Put(b, 22, std::uint32_t(h), 4);
  Put(b, 26, 1, 2);
  Put(b, 28, std::uint32_t(bpp), 2);
  for (std::size_t i = 0; i < table.size() && bpp == 8; ++i) Put(b, 54 + 4 * i, table[i], 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::size_t at = 54 + tableBytes + std::size_t(h - 1 - y) * stride + std::size_t(x) * bpp / 8;
      Put(b, at, pixels[std::size_t(y) * w + x], bpp / 8);
    }
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

class BitmapLoadTest : public effect_test::DeviceTest {
 protected:
  void SetUp() override {
    m_oldDir = fs::current_path();
    m_dir = fs::temp_directory_path() / ("bitmap_load_test_" + std::to_string(::getpid()));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir / "bmp");
    fs::current_path(m_dir);
    ForgetGameFolderListings();
    m_table.assign(256, 0);
    for (int i = 0; i < 256; ++i) m_table[i] = std::uint32_t(i) << 16 | std::uint32_t(255 - i);
    for (int i = 0; i < 256; ++i)
      g_PalEntries[i] = {std::uint8_t(i), 0, std::uint8_t(255 - i), 0};
    effect_test::DeviceTest::SetUp();
    if (!Is8()) DDSetTransmit(0, 255, 0);
    g_DDState.dwColorKey = Is8() ? 0 : 0x00FF00;
  }
  void TearDown() override {
    for (DDSURFACEDATA& sd : g_BmpSD) {
      DDReleaseSurface(&sd);
      sd.lpAlias = nullptr;
    }
    effect_test::DeviceTest::TearDown();
    fs::current_path(m_oldDir);
    fs::remove_all(m_dir);
    ForgetGameFolderListings();
  }
  std::uint32_t Read(DDSURFACEDATA* sd, int x, int y) {
    cSurfaceLock lock;
    if (!lock.Lock(sd)) return 0xDEADBEEF;
    return lock.BitsPerPixel() == 8 ? lock.Row8(y)[x] : lock.Row32(y)[x];
  }
  // A 4 x 2 sheet of 8-bit indices x + 4y + 1, index 0 at (3, 1).
  void WriteSheet(const char* name) {
    std::vector<std::uint32_t> px;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) px.push_back(x == 3 && y == 1 ? 0 : std::uint32_t(x + 4 * y + 1));
    WriteBmp(m_dir / "bmp" / name, 4, 2, 8, m_table, px);
  }
  // The value a loaded pixel of palette index i has in this mode.
  std::uint32_t Loaded(std::uint32_t i) const {
    if (Is8()) return i;
    const std::uint32_t rgb = m_table[i] & 0xFFFFFF;
    return IsD3D() ? 0xFF000000u | rgb : rgb;
  }
  fs::path m_dir, m_oldDir;
  std::vector<std::uint32_t> m_table;
};

TEST_P(BitmapLoadTest, LoadsPixelsAndSizes) {
  WriteSheet("Sheet.bmp");
  DDSURFACEDATA sd;
  ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "bmp\\sheet.BMP", 1, g_DDState.nBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(sd.nWidth, 4);
  EXPECT_EQ(sd.nHeight, 2);
  EXPECT_EQ(Read(&sd, 1, 0), Loaded(2));
  EXPECT_EQ(Read(&sd, 2, 1), Loaded(7));
  EXPECT_EQ(std::string(sd.szFile), "bmp\\sheet.BMP");
  DDReleaseSurface(&sd);
  EXPECT_EQ(DDCreateSurfaceFromFile(&sd, "bmp\\missing.bmp", 1, g_DDState.nBpp, 0, 0, 0, 0, 0, 0, 0), 8);
  DDReleaseSurface(&sd);
}

TEST_P(BitmapLoadTest, MirroredCopiesFlipEachCell) {
  WriteSheet("Sheet.bmp");
  DDSURFACEDATA owner, mirror;
  ASSERT_EQ(DDCreateSurfaceFromFile(&owner, "bmp\\Sheet.bmp", 1, g_DDState.nBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  ASSERT_EQ(DDCreateSurfaceFromFile(&mirror, "bmp\\Sheet.bmp", 1, g_DDState.nBpp, 0, 0, 0, 0, 2, 0, 0), 0);
  // Cells of 2: columns 0 1 | 2 3 become 1 0 | 3 2.
  EXPECT_EQ(Read(&mirror, 0, 0), Loaded(2));
  EXPECT_EQ(Read(&mirror, 1, 0), Loaded(1));
  EXPECT_EQ(Read(&mirror, 3, 0), Loaded(3));
  DDReleaseSurface(&owner);
  DDReleaseSurface(&mirror);
}

// Mode-specific behaviour runs only in the modes that have it.
class Direct3DBitmapTest : public BitmapLoadTest {};
class DirectDrawBitmapTest : public BitmapLoadTest {};

TEST_P(Direct3DBitmapTest, ColourKeyedTexturesHoldTransparentBlack) {
  std::vector<std::uint32_t> px{0x00FF00, 0x123456};
  WriteBmp(m_dir / "bmp" / "Key.bmp", 2, 1, 24, {}, px);
  DDSURFACEDATA sd;
  ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "bmp\\Key.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(Read(&sd, 0, 0), 0u);
  EXPECT_EQ(Read(&sd, 1, 0), 0xFF123456u);
  DDReleaseSurface(&sd);
}

TEST_P(Direct3DBitmapTest, TextureSizeWarningsNameTheFileOrEmptyInBrackets) {
  ASSERT_EQ(InitReport(m_dir / "Report_Game.txt"), 1);
  lpDTCon->nMaxTextureWidth = 2;
  WriteSheet("Sheet.bmp");
  DDSURFACEDATA loaded, empty;
  ASSERT_EQ(DDCreateSurfaceFromFile(&loaded, "bmp\\Sheet.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  ASSERT_TRUE(DDCreateSurface(&empty, 4, 1, 1, 0, 0, 0, 0));
  DDReleaseSurface(&loaded);
  DDReleaseSurface(&empty);
  std::ifstream in(m_dir / "Report_Game.txt", std::ios::binary);
  const std::string report((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string warning = "上記の理由でテクスチャの描画が失敗する可能性があります。";
  EXPECT_NE(report.find(warning + "(bmp\\Sheet.bmp)"), std::string::npos) << report;
  EXPECT_NE(report.find(warning + "(空)"), std::string::npos) << report;
}

// A system-memory texture that cannot be made, empty or from a file, is fatal:
// a report line, the texture-failure message and the close request. A
// render-target texture that cannot be made only fails (a file names itself).
TEST_P(Direct3DBitmapTest, FatalTextureFailuresShowTheMessageAndClose) {
  ASSERT_EQ(InitReport(m_dir / "Report_Game.txt"), 1);
  platform::ResetMainThreadState();
  platform::TakeHeadlessBoxes();
  lpDTCon->strTextureFailure = "no texture";
  const auto report = [&] {
    std::ifstream in(m_dir / "Report_Game.txt", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  const auto expectFatal = [&](bool fatal) {
    const auto boxes = platform::TakeHeadlessBoxes();
    EXPECT_EQ(boxes.size(), fatal ? 1u : 0u);
    if (fatal && !boxes.empty()) { EXPECT_EQ(boxes[0].text, "no texture"); }
    EXPECT_EQ(platform::TakeCloseRequest().has_value(), fatal);
  };
  constexpr int kTooWide = 20000;
  DDSURFACEDATA sd;

  EXPECT_FALSE(DDCreateSurface(&sd, kTooWide, 1, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  expectFatal(false);
  EXPECT_EQ(report().find("D3DXCreateTexture Err"), std::string::npos);
  DDReleaseSurface(&sd);
  EXPECT_FALSE(DDCreateSurface(&sd, kTooWide, 1, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
  expectFatal(true);
  EXPECT_NE(report().find("D3DXCreateTexture Err hr = 8007000e"), std::string::npos);
  DDReleaseSurface(&sd);

  EXPECT_EQ(DDCreateSurfaceFromFile(&sd, "bmp\\None.bmp", 0, 32, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0, 0, 0), 8);
  expectFatal(false);
  EXPECT_NE(report().find("テクスチャの作成に失敗。(bmp\\None.bmp)"), std::string::npos);
  DDReleaseSurface(&sd);
  EXPECT_EQ(DDCreateSurfaceFromFile(&sd, "bmp\\None.bmp", 0, 32, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0), 8);
  expectFatal(true);
  EXPECT_NE(report().find("D3DXCreateTextureFromFileEx Err 88760b59 bmp\\None.bmp"), std::string::npos);
  DDReleaseSurface(&sd);
}

TEST_P(DirectDrawBitmapTest, CopyBitmapOfAnotherSizeCopiesTheOverlap) {
  WriteSheet("Sheet.bmp");
  TestSurface small(2, 3);
  small.Fill(Opaque(9));
  EXPECT_TRUE(CopyBitmap(&small.sd, "bmp\\Sheet.bmp", 0, 0, 0));
  EXPECT_EQ(small.Get(1, 1), Loaded(6));
  EXPECT_EQ(small.Get(0, 2), Opaque(9));
  EXPECT_FALSE(CopyBitmap(&small.sd, "bmp\\None.bmp", 0, 0, 0));
}

TEST_P(DirectDrawBitmapTest, ColourTableEntriesUnlikeThePaletteAreMatchedByColour) {
  std::vector<std::uint32_t> table = m_table;
  table[1] = 200u << 16 | 55u;  // the colour of palette number 200
  table[3] = 0x00FF00;          // a colour the palette lacks: nearest is number 127 (127, 0, 128)
  WriteBmp(m_dir / "bmp" / "Own.bmp", 3, 1, 8, table, {1, 2, 3});
  DDSURFACEDATA sd;
  ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "bmp\\Own.bmp", 1, g_DDState.nBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(Read(&sd, 0, 0), Is8() ? 200u : table[1]);
  EXPECT_EQ(Read(&sd, 1, 0), Loaded(2));
  EXPECT_EQ(Read(&sd, 2, 0), Is8() ? 127u : table[3]);
  DDReleaseSurface(&sd);
}

TEST_P(BitmapLoadTest, TableLoadsSkipOptionalEntriesAndFailOnRequiredOnes) {
  WriteSheet("Character1.bmp");
  WriteBmp(m_dir / "背景その1.bmp", 2, 2, 8, m_table, {1, 2, 3, 4});
  const int backgrounds[] = {55, 56, 57, 58, 59, 60, 61, 62};
  EXPECT_TRUE(LoadBmpSurfaces(g_BmpSD, backgrounds, 8));
  EXPECT_EQ(g_BmpSD[55].nWidth, 2);
  const int empties[] = {69, 70};
  ASSERT_TRUE(LoadBmpSurfaces(g_BmpSD, empties, 2));
  EXPECT_EQ(g_BmpSD[69].nWidth, 1024);
  if (IsD3D()) {
    EXPECT_TRUE(g_BmpSD[69].lpDT->bRenderTarget);
    EXPECT_FALSE(g_BmpSD[70].lpDT->bRenderTarget);
  }
  platform::TakeHeadlessBoxes();
  const int required[] = {4, 1};  // Debug.bmp is missing
  EXPECT_FALSE(LoadBmpSurfaces(g_BmpSD, required, 2));
  const auto boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("bmp\\Debug.bmp"), std::string::npos);
}

// Aliases exist in Direct3D mode only.
TEST_P(Direct3DBitmapTest, AliasEntriesDrawTheirOwnersTexture) {
  WriteSheet("Character1.bmp");
  const int entries[] = {4, 22, 23};
  ASSERT_TRUE(LoadBmpSurfaces(g_BmpSD, entries, 3));
  LinkBitmapSurfaces();
  EXPECT_EQ(g_BmpSD[22].lpDT->lpSurface, nullptr);
  TestSurface dst(4, 2);
  dst.Fill(0xFF000000);
  DDBlt(&dst.sd, 0, 0, 4, 2, &g_BmpSD[22], 0, 0, 1);
  EXPECT_EQ(dst.Get(2, 0), Loaded(3));
}

TEST_P(BitmapLoadTest, PaletteFromAnEightBitFileAndFromTheSwatchBlock) {
  WriteBmp(m_dir / "bmp" / "plt" / "Palette.bmp", 16, 24, 8, m_table, std::vector<std::uint32_t>(16 * 24, 0));
  PaletteArray palette{};
  ASSERT_TRUE(DDLoadPaletteFromFile(palette.data(), "bmp\\plt\\Palette.bmp", 1));
  if (Is8()) {
    EXPECT_EQ(palette[200].peRed, 200);
    EXPECT_EQ(palette[5].peFlags, 2);
    EXPECT_EQ(palette[100].peFlags, 1);
    EXPECT_EQ(g_ScreenPalette[200].peBlue, 55);
  } else {
    // Every swatch pixel is index 0 of the table here.
    EXPECT_EQ(palette[200].peBlue, 255);
  }
  std::vector<std::uint32_t> swatch(16 * 24, 0);
  for (int i = 0; i < 256; ++i) swatch[std::size_t(8 + i / 16) * 16 + i % 16] = std::uint32_t(i) * 0x010101u;
  WriteBmp(m_dir / "bmp" / "plt" / "True.bmp", 16, 24, 24, {}, swatch);
  PaletteArray fromSwatch{};
  EXPECT_EQ(DDLoadPaletteFromFile(fromSwatch.data(), "bmp\\plt\\True.bmp", 1), !Is8());
  if (!Is8()) {
    EXPECT_EQ(fromSwatch[77].peGreen, 77);
  }
  EXPECT_FALSE(DDLoadPaletteFromFile(fromSwatch.data(), "bmp\\plt\\None.bmp", 1));
}

TEST_P(BitmapLoadTest, TransparentColourComesFromTheTopLeftPixel) {
  WriteSheet("Sheet.bmp");
  ASSERT_TRUE(SetTrans("bmp\\Sheet.bmp"));
  if (Is8()) {
    EXPECT_EQ(g_DDState.dwColorKey, 1u);
  } else if (IsD3D()) {
    EXPECT_EQ(lpDTCon->dwTransOpaque, 0xFF000000u | m_table[1]);
    EXPECT_EQ(lpDTCon->rgbTransmit.rgbtBlue, 254);
  } else {
    EXPECT_EQ(g_DDState.dwColorKey, m_table[1]);
  }
  // A failure goes to the report, which is on in normal runs.
  ASSERT_EQ(InitReport(m_dir / "Report_Game.txt"), 1);
  EXPECT_FALSE(SetTrans("bmp\\None.bmp"));
  std::ifstream in(m_dir / "Report_Game.txt", std::ios::binary);
  const std::string report((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(report.find("bmp\\None.bmp 作成失敗！"), std::string::npos) << report;
  platform::TakeHeadlessBoxes();
  platform::ResetMainThreadState();
}

// A surface without pixels cannot be locked; the lock names the failing call.
TEST_P(BitmapLoadTest, FailedLockNamesTheFailingCall) {
  DDSURFACEDATA empty;
  DDAllocSurfaceData(&empty);
  SetSurfaceLabel(&empty, "Empty");
  cSurfaceLock lock;
  EXPECT_FALSE(lock.Lock(&empty));
  EXPECT_EQ(lock.FailedCall(), IsD3D() ? "FAILED( lpSD->lpDT->lpSurface->LockRect(&(lock), NULL, 0) )" : "Lock Err Empty");
  DDReleaseSurface(&empty);
}

INSTANTIATE_TEST_SUITE_P(Modes, BitmapLoadTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);
INSTANTIATE_TEST_SUITE_P(Modes, Direct3DBitmapTest, testing::Values(Mode::Direct3D32), effect_test::ModeName);
INSTANTIATE_TEST_SUITE_P(Modes, DirectDrawBitmapTest, testing::Values(Mode::DirectDraw8, Mode::DirectDraw32),
                         effect_test::ModeName);

}  // namespace
