// The full-screen cost of one frame of each blend and pixel effect at
// 640 x 480, in 8- and 32-bit DirectDraw mode and in Direct3D mode (the quad
// path where the effect has one, and the locked-pixel path from a
// system-memory source). Items are the screen pixels one call really
// writes (counted once before timing), the palette entries for the 8-bit
// palette fade.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "graphics/effects/blend.h"
#include "graphics/device/device.h"
#include "graphics/effects/effects.h"
#include "graphics/effects/fade.h"
#include "graphics/blits/shaped_blits.h"
#include "graphics/surfaces/surface.h"
#include "graphics/surfaces/surface_lock.h"
#include "platform/backend.h"

namespace {

constexpr int kW = 640, kH = 480;

enum class Mode { DirectDraw8, DirectDraw32, Direct3DQuad, Direct3DPixels };

const char* ModeName(Mode mode) {
  switch (mode) {
    case Mode::DirectDraw8: return "DD8";
    case Mode::DirectDraw32: return "DD32";
    case Mode::Direct3DQuad: return "D3D_quad";
    case Mode::Direct3DPixels: return "D3D_pixels";
  }
  return "";
}

// The device of one benchmark and a full-screen source picture.
class Screen {
 public:
  explicit Screen(Mode mode) {
    const bool d3d = mode == Mode::Direct3DQuad || mode == Mode::Direct3DPixels;
    DDInit(d3d ? 1 : 0, kW, kH, mode == Mode::DirectDraw8 ? 8 : 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0);
    const bool system = mode == Mode::Direct3DPixels;
    m_opaque = d3d ? 0xFF000000u : 0u;
    DDCreateSurface(&m_source, kW, kH, 1, system ? 1 : 0, system ? DTMEMORYTYPE_SYSTEM : DTMEMORYTYPE_VIDEO_RT, 0, 0);
    Paint(&m_source, m_opaque, 1);
    Paint(&BackBuffer, m_opaque, 5);
    for (int i = 0; i < kBlendTableSize; ++i) g_BlendTable[i] = static_cast<BYTE>((i >> 8) ^ (i & 0xFF));
    for (int i = 0; i < 256; ++i) g_PalEntries[i] = {static_cast<std::uint8_t>(i), 0x40, 0x80, 0};
  }
  ~Screen() {
    DDReleaseSurface(&m_source);
    DDRelease();
  }
  DDSURFACEDATA* Source() { return &m_source; }

  // The screen pixels one call of the effect writes: those that differ
  // from the picture before the call, over two calls on different pictures
  // (a written pixel seldom keeps its value in both). The screen is left
  // painted as the constructor painted it.
  template <typename Effect>
  std::int64_t TouchedPixels(const Effect& effect) {
    std::vector<bool> touched(std::size_t(kW) * kH);
    for (const int seed : {7, 11}) {
      Paint(&BackBuffer, m_opaque, seed);
      const std::vector<std::uint32_t> before = Snapshot();
      effect(&BackBuffer, &m_source);
      const std::vector<std::uint32_t> after = Snapshot();
      for (std::size_t i = 0; i < touched.size(); ++i) touched[i] = touched[i] || before[i] != after[i];
    }
    Paint(&BackBuffer, m_opaque, 5);
    return std::count(touched.begin(), touched.end(), true);
  }

 private:
  static std::vector<std::uint32_t> Snapshot() {
    std::vector<std::uint32_t> pixels;
    cSurfaceLock lock;
    if (!lock.Lock(&BackBuffer)) return std::vector<std::uint32_t>(std::size_t(kW) * kH);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) pixels.push_back(lock.BitsPerPixel() == 8 ? lock.Row8(y)[x] : lock.Row32(y)[x]);
    return pixels;
  }
  static void Paint(DDSURFACEDATA* sd, std::uint32_t opaque, int seed) {
    cSurfaceLock lock;
    if (!lock.Lock(sd)) return;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const std::uint32_t v = static_cast<std::uint32_t>((x * seed + y * 3) & 0xFF);
        if (lock.BitsPerPixel() == 8)
          lock.Row8(y)[x] = static_cast<std::uint8_t>(v | 1);
        else
          lock.Row32(y)[x] = opaque | v * 0x010203u | 0x010101u;
      }
  }
  DDSURFACEDATA m_source;
  std::uint32_t m_opaque = 0;
};

using Effect = std::function<void(DDSURFACEDATA* dst, DDSURFACEDATA* src)>;

void Register(const std::string& name, std::vector<Mode> modes, Effect effect) {
  for (Mode mode : modes) {
    benchmark::RegisterBenchmark((name + "/" + ModeName(mode)).c_str(), [mode, effect](benchmark::State& state) {
      Screen screen(mode);
      const std::int64_t items = screen.TouchedPixels(effect);
      for (auto _ : state) effect(&BackBuffer, screen.Source());
      state.SetItemsProcessed(state.iterations() * items);
    })->Unit(benchmark::kMillisecond);
  }
}

const std::vector<Mode> kAll = {Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3DQuad, Mode::Direct3DPixels};
const std::vector<Mode> kNoQuad = {Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3DPixels};
const std::vector<Mode> kThirtyTwo = {Mode::DirectDraw32, Mode::Direct3DPixels};

void RegisterAll() {
  Register("Half", kAll, [](auto dst, auto src) { DDBltHalf(dst, 0, 0, kW, kH, src, 0, 0, 1, g_BlendTable); });
  Register("ColorChange", kAll, [](auto dst, auto src) {
    DDBltColorChange(dst, 0, 0, kW, kH, src, 0, 0, 1, g_PalEntries.data(), g_BlendTable, 31, 2, nullptr);
  });
  Register("ChangeColor", {Mode::Direct3DQuad}, [](auto dst, auto) { DDChangeColor(dst, 0, 0, kW, kH, 128, 255, 0, 0); });
  Register("Rotate", kAll, [](auto dst, auto src) { DDBltRotate(dst, 320, 240, kW, kH, 320, 240, 30, src, 0, 0, 1); });
  Register("Circle", kAll, [](auto dst, auto src) { DDBltCircle(dst, 320, 240, 320, 240, 240, 1, src, 320, 240, 1); });
  Register("Lens", kNoQuad, [](auto dst, auto src) { DDBltLens(dst, 320, 240, 240, 120, src, 320, 240, 1, 0, nullptr); });
  Register("Mosaic", kNoQuad, [](auto dst, auto src) { DDBltMosaic(dst, 0, 0, kW, kH, 8, src, 0, 0, 1, nullptr); });
  Register("Blur", kThirtyTwo, [](auto dst, auto src) { DDBltBlur(dst, 0, 0, kW, kH, 4, 4, src, 0, 0, 1, nullptr); });
  Register("Burst", kAll, [](auto dst, auto src) { DDBltBurst(dst, 0, 0, kW, kH, src, 0, 0, 8, 1); });
  Register("Split", kAll, [](auto dst, auto src) { DDBltSplit(dst, 0, 0, kW, kH, 8, 4, src, 0, 0, 1, 1); });
  Register("Wave", kAll, [](auto dst, auto src) { DDBltWave(dst, 0, 0, kW, kH, 4, 8.0, 30, 2, src, 0, 0, 1, 0); });
  Register("RotateDepth", kAll,
           [](auto dst, auto src) { DDBltRotateDepth(dst, 0, 0, kW, kH, src, 0, 0, src, 0, 0, kW, kH, 1, 100, 0); });
  // Small steps keep the fade between its ends for the whole run; at 8 bits
  // it writes the 256 palette entries and no pixel.
  const auto fadeOut = [](auto, auto) {
    DDFadeOut(g_ShownPalette.data(), 0, 255, 0, 0, 0, 0.01, g_PalEntries.data(), 0);
  };
  Register("FadeOut", {Mode::DirectDraw32, Mode::Direct3DQuad}, fadeOut);
  benchmark::RegisterBenchmark("FadeOut/DD8", [fadeOut](benchmark::State& state) {
    Screen screen(Mode::DirectDraw8);
    for (auto _ : state) fadeOut(&BackBuffer, screen.Source());
    state.SetItemsProcessed(state.iterations() * 256);
  })->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
