#pragma once
// A small device for the effect tests: one of the three pixel layouts, and
// surfaces whose pixels the tests write and read directly.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/device/device.h"
#include "graphics/surfaces/surface.h"
#include "graphics/surfaces/surface_lock.h"

namespace effect_test {

enum class Mode { DirectDraw8, DirectDraw32, Direct3D32 };

inline std::string ModeName(const testing::TestParamInfo<Mode>& info) {
  switch (info.param) {
    case Mode::DirectDraw8: return "DirectDraw8";
    case Mode::DirectDraw32: return "DirectDraw32";
    case Mode::Direct3D32: return "Direct3D32";
  }
  return "";
}

inline bool StartDevice(Mode mode, int width = 64, int height = 48) {
  const int d3d = mode == Mode::Direct3D32 ? 1 : 0;
  const int bpp = mode == Mode::DirectDraw8 ? 8 : 32;
  return DDInit(d3d, width, height, bpp, 0, 1, 1, 60, 0, nullptr, nullptr, 0);
}

// A surface of the current mode. Direct3D: a render target unless
// systemMemory, which makes a texture that effects reach only through locks.
struct TestSurface {
  DDSURFACEDATA sd;
  TestSurface(int w, int h, bool systemMemory = false) {
    EXPECT_TRUE(DDCreateSurface(&sd, w, h, 1, systemMemory ? 1 : 0, systemMemory ? DTMEMORYTYPE_SYSTEM : DTMEMORYTYPE_VIDEO_RT, 0, 0));
  }
  ~TestSurface() { DDReleaseSurface(&sd); }
  TestSurface(const TestSurface&) = delete;
  TestSurface& operator=(const TestSurface&) = delete;

  std::uint32_t Get(int x, int y) {
    cSurfaceLock lock;
    if (!lock.Lock(&sd)) return 0xDEADBEEF;
    return lock.BitsPerPixel() == 8 ? lock.Row8(y)[x] : lock.Row32(y)[x];
  }
  void Set(int x, int y, std::uint32_t v) {
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(&sd));
    if (lock.BitsPerPixel() == 8)
      lock.Row8(y)[x] = static_cast<std::uint8_t>(v);
    else
      lock.Row32(y)[x] = v;
  }
  void Fill(std::uint32_t v) {
    for (int y = 0; y < sd.nHeight; ++y)
      for (int x = 0; x < sd.nWidth; ++x) Set(x, y, v);
  }
  // Every pixel a different value derived from its position.
  void FillPattern(std::uint32_t opaqueBits) {
    for (int y = 0; y < sd.nHeight; ++y)
      for (int x = 0; x < sd.nWidth; ++x) Set(x, y, opaqueBits | static_cast<std::uint32_t>((x * 37 + y * 11 + 1) & 0xFF) * 0x010101u);
  }
};

// The back buffer's pixel at (x, y): the palette index in 8-bit modes, the
// colour without its alpha otherwise; 0xDEADBEEF when it cannot be locked.
inline std::uint32_t BackPixel(int x, int y) {
  cSurfaceLock lock;
  if (!lock.Lock(&BackBuffer)) return 0xDEADBEEF;
  return lock.BitsPerPixel() == 8 ? lock.Row8(y)[x] : lock.Row32(y)[x] & 0xFFFFFF;
}

class DeviceTest : public testing::TestWithParam<Mode> {
 protected:
  void SetUp() override { ASSERT_TRUE(StartDevice(GetParam())); }
  void TearDown() override { DDRelease(); }
  bool Is8() const { return GetParam() == Mode::DirectDraw8; }
  bool IsD3D() const { return GetParam() == Mode::Direct3D32; }
  // An opaque value of the mode: a palette index or a 32-bit colour.
  std::uint32_t Opaque(std::uint32_t rgb) const {
    if (Is8()) return rgb & 0xFF;
    return IsD3D() ? 0xFF000000u | rgb : rgb & 0xFFFFFF;
  }
};

}  // namespace effect_test
