// The ranking window, the result panel, the slot list and a term column drawn
// on one screen in each drawing mode and compared by checksum, so any change
// in their layout shows up. With PLAYER_SCREENS_PNG_DIR set, the screens are
// also written as PNGs for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>

#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/images/palette.h"
#include "graphics/surfaces/surface_lock.h"
#include "graphics/text/font_setup.h"
#include "platform/presenter.h"
#include "platform/text_encoding.h"
#include "project/global_data.h"
#include "screens/menu/menu_pictures.h"
#include "screens/menu/text_layout.h"
#include "screens/ranking/ranking_drawing.h"
#include "screens/slots/save_slot_list.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/init/system_ini.h"
#include "tests/graphics/effect_test_support.h"

namespace {

using effect_test::Mode;

std::uint64_t Fnv1a(const std::vector<std::uint32_t>& pixels) {
  std::uint64_t hash = 1469598103934665603ULL;
  for (std::uint32_t p : pixels)
    for (int i = 0; i < 4; ++i) hash = (hash ^ ((p >> (8 * i)) & 0xFF)) * 1099511628211ULL;
  return hash;
}

// Reads pixels of a surface while it is locked.
struct TestRead {
  explicit TestRead(DDSURFACEDATA* sd) { EXPECT_TRUE(lock.Lock(sd)); }
  std::uint32_t At(int x, int y) { return lock.BitsPerPixel() == 8 ? lock.Row8(y)[x] : lock.Row32(y)[x]; }
  cSurfaceLock lock;
};

class ScreenDrawingTest : public effect_test::DeviceTest {
 protected:
  void SetUp() override {
    for (int i = 0; i < 256; ++i)
      g_PalEntries[i] = {std::uint8_t(i * 5), std::uint8_t(i * 3), std::uint8_t(128 + i / 2), 0};
    g_PalEntries[0] = {0, 0, 0, 0};
    g_PalEntries[16] = {10, 20, 40, 0};
    g_PalEntries[240] = {90, 110, 200, 0};
    g_PalEntries[241] = {255, 255, 255, 0};
    g_ScreenPalette = g_PalEntries;
    ASSERT_TRUE(DDInit(IsD3D(), 640, 480, Is8() ? 8 : 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    DDSetScreenPalette(g_PalEntries.data(), 0, 256);
    if (!Is8()) DDSetTransmit(0, 0, 0);
    g_DDState.dwColorKey = 0;
    StartProjectData();
    MakeWindowPicture();
    MakeIconSheet();
    g_Fonts[kMenuFont].Create(g_FontDefs[kMenuFont].szFace, 0, 16, 16, 16, 241, &window_, 1, 240, nullptr, 0);
  }
  void TearDown() override {
    g_Fonts[kMenuFont].Release();
    DDReleaseSurface(&g_BmpSD[kSystemIconSheet]);
    DDReleaseSurface(&window_);
    StopProjectData();
    g_PlayStage.RankingSwitches.assign(5, 0);
    g_Game.m_nPlayMode = 0;
    g_bDirectStage = 0;
    DDRelease();
  }

  std::uint32_t Colour(int index) const {
    if (Is8()) return static_cast<std::uint32_t>(index);
    const PALETTEENTRY& e = g_PalEntries[index];
    return (IsD3D() ? 0xFF000000u : 0u) | std::uint32_t(e.peRed) << 16 | std::uint32_t(e.peGreen) << 8 | e.peBlue;
  }
  void Paint(DDSURFACEDATA* sd, auto&& colourAt) {
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(sd));
    for (int y = 0; y < sd->nHeight; ++y)
      for (int x = 0; x < sd->nWidth; ++x) {
        const int index = colourAt(x, y);
        const std::uint32_t value = index == 0 ? 0 : Colour(index);
        if (lock.BitsPerPixel() == 8) lock.Row8(y)[x] = static_cast<std::uint8_t>(value);
        else lock.Row32(y)[x] = value;
      }
  }
  // A window picture: a soft vertical ramp of blues.
  void MakeWindowPicture() {
    ASSERT_TRUE(DDCreateSurface(&window_, 640, 480, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    Paint(&window_, [](int, int y) { return 20 + y / 16; });
  }
  // The icon sheet with a pointer (a right-pointing triangle) at (16, 48).
  void MakeIconSheet() {
    ASSERT_TRUE(DDCreateSurface(&g_BmpSD[kSystemIconSheet], 128, 64, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    Paint(&g_BmpSD[kSystemIconSheet], [](int x, int y) {
      if (x < 16 || x >= 32 || y < 48) return 0;
      const int px = x - 16, py = y - 48;
      return px >= 2 && px - 2 <= 7 - std::abs(py - 8) ? 200 : 0;
    });
  }

  void SetUpGame() {
    cSystem& system = *g_System;
    system.m_vRankingSettings[0].m_bOn = 1;
    system.m_vRankingSettings[0].m_vGenre = {1, 1, 1, 1, 1};
    g_Game.m_nPlayMode = 0;
    g_PlayStage.RankingSwitches.assign(5, 1);
    g_SaveData.m_nStageValue = 123450;
    g_SaveData.m_nResult1 = 42;
    g_SaveData.m_nResult2 = 8345;
    g_SaveData.m_nResult3 = -7;
    g_SaveData.m_nResult4 = 0;
    g_SystemIni.English = 0;
  }

  std::uint64_t Show(const char* name) {
    if (IsD3D())
      EXPECT_EQ(DDPresent(60, 0, 0), 1);
    else
      DDBlt(&PrimarySD, 0, 0, 640, 480, &BackBuffer, 0, 0, 0);
    if (const char* folder = std::getenv("PLAYER_SCREENS_PNG_DIR")) {
      const std::string file = std::string(folder) + "/" + name + "_" +
                               effect_test::ModeName(testing::TestParamInfo<Mode>(GetParam(), 0)) + ".png";
      platform::GetPresenter().WritePng(file);
    }
    int w = 0, h = 0;
    return Fnv1a(platform::GetPresenter().LastFrame(&w, &h));
  }

  DDSURFACEDATA window_;
};

TEST_P(ScreenDrawingTest, RankingWindowResultPanelSlotListAndTermsMatchTheirChecksums) {
  SetUpGame();
  cRanking ranking;
  const char* names[] = {"abc", "KEN", "\x82\xa0\x82\xa2\x82\xa4", "zz", "q"};
  for (int i = 0; i < 5; ++i) {
    ranking.m_vTables[0].Insert(names[i], 10000 - i * 1234);
    ranking.m_vTables[2].Insert(names[i], 6000 + i * 777);
  }
  cVector<cSaveSlot> slots(kSaveSlotCount);
  slots[0].SetTime(g_SaveData);
  slots[0].m_Time = {2026, 12, 1, 7, 9, 5, 0, 0};
  slots[2].m_bValid = 1;
  slots[2].m_Time = {2001, 2, 0, 3, 4, 5, 0, 0};
  slots[4].m_bValid = 1;
  slots[4].m_bUnloadable = 1;
  cVector<int> newRows = {1, -1, 0, -1, -1};

  DDFillSurface(&BackBuffer, 16);
  ranking.Draw(&BackBuffer, 8, 8, 0, 1);
  ranking.Draw(&BackBuffer, 8, 100, 7, 1);  // no such table: nothing
  DrawResultPanel(&BackBuffer, 300, 8, newRows);
  DrawSaveSlots(&BackBuffer, 300, 120, slots, 0, 6);
  g_System->m_vTerms[19] = platform::Cp932FromUtf8("しゅうりょう");
  DrawTermsColumn(&BackBuffer, CenterTermsX(460, 19, 3, 1), 240, 19, 3, 1);
  const std::uint64_t first = Show("ranking_panel_slots");

  DDFillSurface(&BackBuffer, 16);
  g_SystemIni.English = 1;
  ranking.Draw(&BackBuffer, 8, 8, 2, -1);
  g_PlayStage.RankingSwitches[0] = 0;
  DrawResultPanel(&BackBuffer, 300, 8, newRows);
  DrawSaveSlots(&BackBuffer, 300, 120, slots, 95, 6);
  const std::uint64_t second = Show("clear_time_and_last_slots");

  // The two DirectDraw layouts show the same colours.
  const std::uint64_t expected[][2] = {{1805676337896971429ULL, 7764721123999485001ULL},
                                       {1805676337896971429ULL, 7764721123999485001ULL},
                                       {10155053767484787625ULL, 13628077848756558605ULL}};
  EXPECT_EQ(first, expected[static_cast<int>(GetParam())][0]) << std::hex << first;
  EXPECT_EQ(second, expected[static_cast<int>(GetParam())][1]) << std::hex << second;
}

TEST_P(ScreenDrawingTest, SlotListSeparatorsSitUnderEveryLineButTheLast) {
  cVector<cSaveSlot> slots(3);
  DDFillSurface(&BackBuffer, 16);
  DrawSaveSlots(&BackBuffer, 100, 100, slots, 1, 4);
  TestRead read(&BackBuffer);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(read.At(200, 100 + 16 * row + 15), Colour(240)) << row;
  EXPECT_NE(read.At(200, 100 + 16 * 3 + 15), Colour(240));
  // Past the window nothing is drawn.
  EXPECT_EQ(read.At(200, 100 + 16 * 4 + 1), Colour(16));
}

TEST_P(ScreenDrawingTest, NothingIsDrawnWithoutShownLinesOrTerms) {
  SetUpGame();
  g_PlayStage.RankingSwitches.assign(5, 0);
  DDFillSurface(&BackBuffer, 16);
  DrawResultPanel(&BackBuffer, 0, 0, cVector<int>(5, 0));
  DrawTermsColumn(&BackBuffer, 0, 0, 19, 0, 0);
  // The mode ranks nothing, but a directly started stage shows its switches anyway.
  g_System->m_vRankingSettings[0].m_bOn = 0;
  g_PlayStage.RankingSwitches[1] = 1;
  DrawResultPanel(&BackBuffer, 100, 100, cVector<int>(5, -1));
  TestRead read(&BackBuffer);
  for (int y = 0; y < 480; y += 4)
    for (int x = 0; x < 640; x += 4) ASSERT_EQ(read.At(x, y), Colour(16)) << x << "," << y;
  g_bDirectStage = 1;
  DrawResultPanel(&BackBuffer, 100, 100, cVector<int>(5, -1));
  TestRead after(&BackBuffer);
  EXPECT_NE(after.At(110, 104), Colour(16));
}

// The stage's pause menu: the visible entries in the same box a term column
// gets, a hidden entry left out.
TEST_P(ScreenDrawingTest, ACommandColumnDrawsItsVisibleEntriesAsATermColumnDoes) {
  SetUpGame();
  cCmd menu(3);
  for (int i = 0; i < 3; ++i) menu[i].m_strName = g_System->m_vTerms[19 + i];
  const int x = CenterCmdListX(320, menu);
  EXPECT_EQ(x, CenterTermsX(320, 19, 3, 1));
  DDFillSurface(&BackBuffer, 16);
  DrawTermsColumn(&BackBuffer, x, 272, 19, 3, 1);
  const std::uint64_t terms = Show("pause_terms");
  DDFillSurface(&BackBuffer, 16);
  DrawCmdColumn(&BackBuffer, x, 272, menu);
  EXPECT_EQ(Show("pause_menu"), terms);

  menu[1].m_bVisible = 0;
  DDFillSurface(&BackBuffer, 16);
  DrawCmdColumn(&BackBuffer, CenterCmdListX(320, menu), 272, menu);
  EXPECT_NE(Show("pause_menu_hidden"), terms);
  menu[0].m_bVisible = menu[2].m_bVisible = 0;  // none visible: nothing drawn
  DDFillSurface(&BackBuffer, 16);
  const std::uint64_t empty = Show("empty");
  DrawCmdColumn(&BackBuffer, 0, 0, menu);
  EXPECT_EQ(Show("pause_menu_empty"), empty);
}

INSTANTIATE_TEST_SUITE_P(Modes, ScreenDrawingTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace
