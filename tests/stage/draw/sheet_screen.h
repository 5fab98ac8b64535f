#pragma once
// An 8-bit 640 x 480 screen filled with colour 1 and one bitmap-table sheet
// of a given size, for the stage drawing tests that check exact pixels.

#include <gtest/gtest.h>

#include "graphics/blits/fill.h"
#include "graphics/images/bitmap_table.h"
#include "tests/graphics/effect_test_support.h"

class SheetScreen : public testing::Test {
 protected:
  SheetScreen(int bitmap, int width, int height) : m_bitmap(bitmap), m_width(width), m_height(height) {}
  void SetUp() override {
    ASSERT_TRUE(effect_test::StartDevice(effect_test::Mode::DirectDraw8, 640, 480));
    sheet = &g_BmpSD[m_bitmap];
    ASSERT_TRUE(DDCreateSurface(sheet, m_width, m_height, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFillRect(&BackBuffer, 0, 0, 640, 480, 1);
  }
  void TearDown() override {
    DDReleaseSurface(sheet);
    DDRelease();
  }
  std::uint32_t Back(int x, int y) {
    cSurfaceLock lock;
    return lock.Lock(&BackBuffer) ? lock.Row8(y)[x] : 0xDEAD;
  }

  DDSURFACEDATA* sheet = nullptr;

 private:
  int m_bitmap, m_width, m_height;
};
