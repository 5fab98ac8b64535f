// Our blits side by side with pixman and SDL doing the same work: keyed 1:1
// copies, nearest stretches (opaque, and see-through where the texel alpha
// says so) and half-alpha blends of 32 x 32 sprites (64 per iteration,
// spread over a 640 x 480 target) and of a full 640 x 480 layer.
// Ours: keyed copies and opaque stretches in 32-bit DirectDraw mode;
// alpha stretches and blends through the Direct3D quad. pixman composites
// (OVER for keyed sprites with alpha 0 or 255, SRC / OVER with a nearest
// transform for stretches, OVER with a half solid mask for blends);
// SDL_BlitSurface with a colour key, scaled blits (without / with blending)
// and a surface alpha of 128.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <vector>

#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/images/palette.h"
#include "graphics/surfaces/surface.h"
#include "platform/backend.h"

namespace {

constexpr int kScreenW = 640, kScreenH = 480, kSprites = 64;

enum class Work { Keyed, Stretch, AlphaStretch, Half };

bool Stretches(Work work) { return work == Work::Stretch || work == Work::AlphaStretch; }
enum class Size { Sprite, Layer };

// Source pixels: a disc of opaque colours on a see-through ground.
std::vector<std::uint32_t> MakeSource(int w, int h, std::uint32_t transparent) {
  std::vector<std::uint32_t> pixels(std::size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const long dx = x - w / 2, dy = y - h / 2;
      const bool inside = dx * dx + dy * dy < long(w / 2) * (w / 2);
      pixels[std::size_t(y) * w + x] = inside ? 0xFF000000u | std::uint32_t((x * 7 + y * 3) & 0xFFFFFF) | 0x010101
                                              : transparent;
    }
  return pixels;
}

struct Placement {
  int x, y, w, h;
};

// Where the blits of one iteration go: 64 sprites (stretched to 48 x 48)
// or the whole screen (stretched from half size).
std::vector<Placement> Placements(Size size, Work work) {
  std::vector<Placement> out;
  if (size == Size::Layer) return {{0, 0, kScreenW, kScreenH}};
  const int side = Stretches(work) ? 48 : 32;
  for (int i = 0; i < kSprites; ++i) out.push_back({(i * 97) % (kScreenW - side), (i * 61) % (kScreenH - side), side, side});
  return out;
}

int SourceSide(Size size, Work work, bool height) {
  if (size == Size::Sprite) return 32;
  const int full = height ? kScreenH : kScreenW;
  return Stretches(work) ? full / 2 : full;
}

void Ours(benchmark::State& state, Work work, Size size) {
  const bool d3d = work == Work::AlphaStretch || work == Work::Half;
  DDInit(d3d ? 1 : 0, kScreenW, kScreenH, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0);
  const int sw = SourceSide(size, work, false), sh = SourceSide(size, work, true);
  DDSURFACEDATA src, dst;
  DDCreateSurface(&src, sw, sh, work == Work::Stretch ? 0 : 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  DDCreateSurface(&dst, kScreenW, kScreenH, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  g_DDState.dwColorKey = 0x00FF00;
  const auto pixels = MakeSource(sw, sh, d3d ? 0 : 0x00FF00);
  cPixelBuffer* buffer = SurfacePixels(&src);
  for (int y = 0; y < sh; ++y) std::copy_n(&pixels[std::size_t(y) * sw], sw, buffer->Row32(y));
  if (work == Work::Half) {
    DDSetDrawColor(0x80FFFFFF);
    DDSetAlphaOp(4);
  }
  const auto placements = Placements(size, work);
  for (auto _ : state) {
    for (const Placement& p : placements) {
      if (Stretches(work))
        DDBltStretch(&dst, p.x, p.y, p.w, p.h, &src, 0, 0, sw, sh, work == Work::Stretch ? 0 : 1);
      else
        DDBlt(&dst, p.x, p.y, p.w, p.h, &src, 0, 0, 1);
    }
    benchmark::DoNotOptimize(SurfacePixels(&dst)->Bits());
  }
  DDReleaseSurface(&src);
  DDReleaseSurface(&dst);
  DDRelease();
}

void Pixman(benchmark::State& state, Work work, Size size) {
  const int sw = SourceSide(size, work, false), sh = SourceSide(size, work, true);
  auto pixels = MakeSource(sw, sh, 0);
  std::vector<std::uint32_t> target(std::size_t(kScreenW) * kScreenH, 0xFF000000);
  pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, sw, sh, pixels.data(), sw * 4);
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, kScreenW, kScreenH, target.data(), kScreenW * 4);
  pixman_color_t half{0, 0, 0, 0x8080};
  pixman_image_t* mask = pixman_image_create_solid_fill(&half);
  const auto placements = Placements(size, work);
  if (Stretches(work)) {
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_double_to_fixed(double(sw) / placements[0].w),
                                pixman_double_to_fixed(double(sh) / placements[0].h));
    pixman_image_set_transform(src, &transform);
    pixman_image_set_filter(src, PIXMAN_FILTER_NEAREST, nullptr, 0);
  }
  const pixman_op_t op = work == Work::Stretch ? PIXMAN_OP_SRC : PIXMAN_OP_OVER;
  pixman_image_t* blitMask = work == Work::Half ? mask : nullptr;
  for (auto _ : state) {
    for (const Placement& p : placements)
      pixman_image_composite32(op, src, blitMask, dst, 0, 0, 0, 0, p.x, p.y, p.w, p.h);
    benchmark::DoNotOptimize(target.data());
  }
  pixman_image_unref(mask);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

void Sdl(benchmark::State& state, Work work, Size size) {
  const int sw = SourceSide(size, work, false), sh = SourceSide(size, work, true);
  auto pixels = MakeSource(sw, sh, work == Work::Keyed ? 0xFF00FF00 : 0);
  std::vector<std::uint32_t> target(std::size_t(kScreenW) * kScreenH, 0xFF000000);
  SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), sw, sh, 32, sw * 4, SDL_PIXELFORMAT_ARGB8888);
  SDL_Surface* dst =
      SDL_CreateRGBSurfaceWithFormatFrom(target.data(), kScreenW, kScreenH, 32, kScreenW * 4, SDL_PIXELFORMAT_ARGB8888);
  switch (work) {
    case Work::Keyed:
      SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE);
      SDL_SetColorKey(src, SDL_TRUE, 0xFF00FF00);
      break;
    case Work::Stretch: SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE); break;
    case Work::AlphaStretch: SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_BLEND); break;
    case Work::Half:
      SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_BLEND);
      SDL_SetSurfaceAlphaMod(src, 128);
      break;
  }
  const auto placements = Placements(size, work);
  for (auto _ : state) {
    for (const Placement& p : placements) {
      SDL_Rect to{p.x, p.y, p.w, p.h};
      if (Stretches(work))
        SDL_BlitScaled(src, nullptr, dst, &to);
      else
        SDL_BlitSurface(src, nullptr, dst, &to);
    }
    benchmark::DoNotOptimize(target.data());
  }
  SDL_FreeSurface(src);
  SDL_FreeSurface(dst);
}

#define BLIT_CASE(work, size)                                                  \
  BENCHMARK_CAPTURE(Ours, work##_##size, Work::work, Size::size);              \
  BENCHMARK_CAPTURE(Pixman, work##_##size, Work::work, Size::size);            \
  BENCHMARK_CAPTURE(Sdl, work##_##size, Work::work, Size::size)

BLIT_CASE(Keyed, Sprite);
BLIT_CASE(Keyed, Layer);
BLIT_CASE(Stretch, Sprite);
BLIT_CASE(Stretch, Layer);
BLIT_CASE(AlphaStretch, Sprite);
BLIT_CASE(AlphaStretch, Layer);
BLIT_CASE(Half, Sprite);
BLIT_CASE(Half, Layer);

}  // namespace

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
