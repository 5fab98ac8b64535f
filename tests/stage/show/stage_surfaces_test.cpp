// The stage's surfaces from the database: special bitmaps and sword types
// share pixels between their places, a file that does not load is logged
// with its list's line, and after a lost screen the stage's surfaces come
// back (message windows are drawn again).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "foundation/log.h"
#include "graphics/device/device.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/draw/resources/special_surfaces.h"
#include "stage/draw/resources/surface_restore.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/show_message.h"
#include "tests/graphics/effect_test_support.h"
#include "tests/stage/show/show_fixture.h"

namespace show_test {
namespace {

class StageSurfacesTest : public ShowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(effect_test::StartDevice(effect_test::Mode::DirectDraw32, 640, 480));
    ShowTest::SetUp();
    InitDebugLog(1, "EC_Game.txt");
  }
  void TearDown() override {
    ReleaseSpecialSurfaces();
    InitDebugLog(0, "EC_Game.txt");
    ShowTest::TearDown();
    DDRelease();
  }
  std::string DebugText() {
    std::ifstream in("EC_Game.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

TEST_F(StageSurfacesTest, SpecialBitmapsShowTheirPictureAndItsMirroredTwin) {
  auto& specials = g_Database->m_vBmpCharaExc;
  specials.resize(3);
  specials[1].m_strFile = "bmp\\picture\\A.bmp";
  specials[2].m_strFile = "bmp\\picture\\Missing.bmp";
  LoadBmpCharaExcSurfaces();
  DDSURFACEDATA* first = BmpCharaExcSurface(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->nWidth, 40);
  EXPECT_EQ(BmpCharaExcSurface(2), first);
  DDSURFACEDATA* twin = BmpCharaExcSurface(1);
  ASSERT_NE(twin, nullptr);
  EXPECT_NE(twin, first);
  EXPECT_EQ(twin->nWidth, 40);
  EXPECT_EQ(twin->nMirrorW, 32);  // mirrored cell by cell
  EXPECT_EQ(BmpCharaExcSurface(3), twin);
  for (int place : {4, 5, 6, 7, 8, -1}) EXPECT_EQ(BmpCharaExcSurface(place), nullptr);
  EXPECT_NE(DebugText().find("Missing.bmp"), std::string::npos);
}

TEST_F(StageSurfacesTest, SwordTypesShareTheirTwoPicturesBetweenFourPlaces) {
  auto& swords = g_Database->m_vSwordType;
  swords.resize(2);
  swords[1].m_strFile = "bmp\\picture\\A.bmp";
  swords[1].m_strFile2 = "bmp\\picture\\B.bmp";
  LoadSwordSurfaces();
  DDSURFACEDATA* first = SwordSurface(0);
  DDSURFACEDATA* second = SwordSurface(1);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->nWidth, 40);
  EXPECT_EQ(second->nWidth, 101);
  EXPECT_EQ(SwordSurface(2), first);
  EXPECT_EQ(SwordSurface(3), second);
  EXPECT_EQ(SwordSurface(4), nullptr);
}

TEST_F(StageSurfacesTest, AfterALostScreenMessageWindowsAreDrawnAgain) {
  MessageParams p;
  ShowMessage(Hero(), MessageCommand("text", p), 0);
  cMessage& message = Scene().m_Draw.shows.messages.back();
  Step();
  ASSERT_TRUE(message.window.made);
  EXPECT_EQ(message.window.surface.bLost, 0);
  EXPECT_EQ(RestoreStageSurfaces(), 1);
  EXPECT_EQ(message.window.surface.bLost, 1);
  Step();
  EXPECT_EQ(message.window.surface.bLost, 0);
}

}  // namespace
}  // namespace show_test
