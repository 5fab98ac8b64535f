// Our blits side by side with pixman and SDL doing the same work, each peer
// set up the way its own documentation advises for that work, and a memcpy
// of one 640 x 480 x 4 frame as the machine's own reference.
//
// Work (64 sprites of 32 x 32 spread over a 640 x 480 target per
// iteration, or one full layer):
//   Keyed        1:1 copy with a transparent colour (ours: 32-bit DirectDraw
//                mode; SDL: colour key with run-length encoding; pixman: OVER
//                of a source whose alpha is 0 or 255);
//   Stretch      opaque nearest stretch at 1.5 and 3 (ours: 32-bit
//                DirectDraw; SDL_BlitScaled without blending, which is
//                SDL_SoftStretch; pixman: SRC with a nearest transform);
//   AlphaStretch see-through texels stretched nearest at 1.5 and 3 (ours:
//                the Direct3D quad; SDL: SDL_SoftStretch into a scratch
//                surface, then a keyed blit of it; pixman: OVER with a
//                nearest transform);
//   Half         a keyed sprite drawn at constant alpha (ours: DDBltHalf on
//                the Direct3D quad; SDL: a colour-keyed surface without
//                per-pixel alpha, with alpha modulation and run-length
//                encoding; pixman: OVER with a solid mask).
// Every side starts from the same destination picture. Before timing, each
// peer draws one iteration on a fresh target and its pixels are compared
// with ours: copies must be identical; blends within 1 per colour channel
// (the Direct3D blend also mixes the alpha channel, which no screen shows,
// so alpha is not compared there). Nearest stretches may differ only where
// a destination pixel's centre falls exactly on a source pixel boundary:
// ours takes the right-hand (lower) pixel there, SDL's and pixman's
// fixed-point steps the left-hand (upper) one; the "halfway_px" counter says
// how many pixels that is.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/effects/blend.h"
#include "graphics/surfaces/surface.h"
#include "platform/backend.h"

namespace {

constexpr int kScreenW = 640, kScreenH = 480, kSprites = 64;
constexpr std::uint32_t kKey = 0x00FF00;  // the transparent colour of DirectDraw and SDL sources
constexpr int kHalfAlpha = 127;           // DDBltHalf draws the source at 255 - 128

enum class Work { Keyed, Stretch, AlphaStretch, Half };
enum class Size { Sprite, Layer };

struct Case {
  Work work;
  Size size;
  int scaleNum = 1, scaleDen = 1;  // destination size = source size * num / den

  bool Stretches() const { return scaleNum != scaleDen; }
  bool Blends() const { return work == Work::Half; }
  bool Direct3D() const { return work == Work::AlphaStretch || work == Work::Half; }
  // Source size: sprites are 32 x 32; layers fill (nearly) the screen.
  int SourceW() const { return size == Size::Sprite ? 32 : kScreenW * scaleDen / scaleNum / 4 * 4; }
  int SourceH() const { return size == Size::Sprite ? 32 : kScreenH * scaleDen / scaleNum / 4 * 4; }
  int DestW() const { return SourceW() * scaleNum / scaleDen; }
  int DestH() const { return SourceH() * scaleNum / scaleDen; }
  // The see-through ground of the source: the colour key where the side
  // tests one (and for opaque stretches, which copy it like any colour),
  // otherwise alpha 0.
  std::uint32_t Ground(bool testsAlpha) const {
    return work == Work::Stretch || (work == Work::Keyed && !testsAlpha) ? kKey : 0;
  }
};

// Source pixels: a disc of opaque colours (never 0, never the key) on a
// see-through ground given as `transparent`.
std::vector<std::uint32_t> MakeSource(int w, int h, std::uint32_t transparent) {
  std::vector<std::uint32_t> pixels(std::size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const long dx = x - w / 2, dy = y - h / 2;
      const bool inside = dx * dx + dy * dy < long(w / 2) * (w / 2);
      pixels[std::size_t(y) * w + x] =
          inside ? 0xFF000000u | std::uint32_t((x * 7 + y * 3) & 0xFFFFFF) | 0x010101 : transparent;
    }
  return pixels;
}

// The destination picture every side starts from.
std::vector<std::uint32_t> MakeBackground() {
  std::vector<std::uint32_t> pixels(std::size_t(kScreenW) * kScreenH);
  for (int y = 0; y < kScreenH; ++y)
    for (int x = 0; x < kScreenW; ++x)
      pixels[std::size_t(y) * kScreenW + x] = 0xFF000000u | std::uint32_t(x * 0x0301 + y * 0x020100);
  return pixels;
}

struct Placement {
  int x, y;
};

// Sprites on an 8 x 8 grid inside the screen (never clipped, so every side
// samples the same source pixels); a layer at the top left.
std::vector<Placement> Placements(const Case& c) {
  if (c.size == Size::Layer) return {{0, 0}};
  std::vector<Placement> out;
  const int stepX = (kScreenW - c.DestW()) / 7, stepY = (kScreenH - c.DestH()) / 7;
  for (int i = 0; i < kSprites; ++i) out.push_back({(i % 8) * stepX, (i / 8) * stepY});
  return out;
}

// One side of a comparison: draws one iteration onto its target.
class Side {
 public:
  virtual ~Side() = default;
  virtual void Draw() = 0;
  virtual const std::uint32_t* Target() = 0;  // 640 x 480, rows packed
};

class Ours final : public Side {
 public:
  explicit Ours(const Case& c) : m_case(c), m_placements(Placements(c)) {
    DDInit(c.Direct3D() ? 1 : 0, kScreenW, kScreenH, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0);
    g_DDState.dwColorKey = kKey;
    const int sw = c.SourceW(), sh = c.SourceH();
    DDCreateSurface(&m_src, sw, sh, c.work == Work::Stretch ? 0 : 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    DDCreateSurface(&m_dst, kScreenW, kScreenH, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    const auto pixels = MakeSource(sw, sh, c.Ground(c.Direct3D()));
    cPixelBuffer* buffer = SurfacePixels(&m_src);
    for (int y = 0; y < sh; ++y) std::memcpy(buffer->Row32(y), &pixels[std::size_t(y) * sw], std::size_t(sw) * 4);
    const auto background = MakeBackground();
    cPixelBuffer* target = SurfacePixels(&m_dst);
    for (int y = 0; y < kScreenH; ++y)
      std::memcpy(target->Row32(y), &background[std::size_t(y) * kScreenW], std::size_t(kScreenW) * 4);
  }
  ~Ours() override {
    DDReleaseSurface(&m_src);
    DDReleaseSurface(&m_dst);
    DDRelease();
  }
  void Draw() override {
    const int sw = m_case.SourceW(), sh = m_case.SourceH(), dw = m_case.DestW(), dh = m_case.DestH();
    for (const Placement& p : m_placements) {
      switch (m_case.work) {
        case Work::Keyed: DDBlt(&m_dst, p.x, p.y, dw, dh, &m_src, 0, 0, 1); break;
        case Work::Stretch: DDBltStretch(&m_dst, p.x, p.y, dw, dh, &m_src, 0, 0, sw, sh, 0); break;
        case Work::AlphaStretch: DDBltStretch(&m_dst, p.x, p.y, dw, dh, &m_src, 0, 0, sw, sh, 1); break;
        case Work::Half: DDBltHalf(&m_dst, p.x, p.y, dw, dh, &m_src, 0, 0, 1, nullptr); break;
      }
    }
  }
  const std::uint32_t* Target() override { return SurfacePixels(&m_dst)->Row32(0); }

 private:
  Case m_case;
  std::vector<Placement> m_placements;
  DDSURFACEDATA m_src, m_dst;
};

class Pixman final : public Side {
 public:
  explicit Pixman(const Case& c)
      : m_case(c), m_placements(Placements(c)), m_pixels(MakeSource(c.SourceW(), c.SourceH(), c.Ground(true))),
        m_target(MakeBackground()) {
    m_src = pixman_image_create_bits(PIXMAN_a8r8g8b8, c.SourceW(), c.SourceH(), m_pixels.data(), c.SourceW() * 4);
    m_dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, kScreenW, kScreenH, m_target.data(), kScreenW * 4);
    if (c.Blends()) {
      const pixman_color_t alpha{0, 0, 0, std::uint16_t(kHalfAlpha * 0x101)};
      m_mask = pixman_image_create_solid_fill(&alpha);
    }
    if (c.Stretches()) {
      pixman_transform_t transform;
      pixman_transform_init_scale(&transform, pixman_double_to_fixed(double(c.SourceW()) / c.DestW()),
                                  pixman_double_to_fixed(double(c.SourceH()) / c.DestH()));
      pixman_image_set_transform(m_src, &transform);
      pixman_image_set_filter(m_src, PIXMAN_FILTER_NEAREST, nullptr, 0);
    }
  }
  ~Pixman() override {
    if (m_mask) pixman_image_unref(m_mask);
    pixman_image_unref(m_src);
    pixman_image_unref(m_dst);
  }
  void Draw() override {
    const pixman_op_t op = m_case.work == Work::Stretch ? PIXMAN_OP_SRC : PIXMAN_OP_OVER;
    for (const Placement& p : m_placements)
      pixman_image_composite32(op, m_src, m_mask, m_dst, 0, 0, 0, 0, p.x, p.y, m_case.DestW(), m_case.DestH());
  }
  const std::uint32_t* Target() override { return m_target.data(); }

 private:
  Case m_case;
  std::vector<Placement> m_placements;
  std::vector<std::uint32_t> m_pixels, m_target;
  pixman_image_t* m_src = nullptr;
  pixman_image_t* m_dst = nullptr;
  pixman_image_t* m_mask = nullptr;
};

class Sdl final : public Side {
 public:
  explicit Sdl(const Case& c)
      : m_case(c), m_placements(Placements(c)),
        m_pixels(MakeSource(c.SourceW(), c.SourceH(), c.Ground(false))),
        m_target(MakeBackground()) {
    // A keyed sprite at constant alpha has no per-pixel alpha: its format
    // leaves the alpha byte out, and so does the target's, because SDL
    // encodes runs only between surfaces of one format.
    const Uint32 format = c.work == Work::Half ? SDL_PIXELFORMAT_RGB888 : SDL_PIXELFORMAT_ARGB8888;
    m_src = SDL_CreateRGBSurfaceWithFormatFrom(m_pixels.data(), c.SourceW(), c.SourceH(), 32, c.SourceW() * 4, format);
    m_dst = SDL_CreateRGBSurfaceWithFormatFrom(m_target.data(), kScreenW, kScreenH, 32, kScreenW * 4, format);
    switch (c.work) {
      case Work::Keyed:
        SDL_SetSurfaceBlendMode(m_src, SDL_BLENDMODE_NONE);
        SDL_SetColorKey(m_src, SDL_TRUE, kKey);
        SDL_SetSurfaceRLE(m_src, 1);
        break;
      case Work::Stretch: SDL_SetSurfaceBlendMode(m_src, SDL_BLENDMODE_NONE); break;
      case Work::AlphaStretch:
        // SDL's scaled blit with blending runs its generic per-pixel
        // blitter; stretching into a scratch surface and blitting that with
        // the see-through texels as colour key (0x00000000) is the fastest
        // sequence it has. Run-length encoding does not pay here: the
        // scratch surface changes before every blit and would be encoded
        // anew each time.
        SDL_SetSurfaceBlendMode(m_src, SDL_BLENDMODE_NONE);
        m_scratch = SDL_CreateRGBSurfaceWithFormat(0, c.DestW(), c.DestH(), 32, SDL_PIXELFORMAT_ARGB8888);
        SDL_SetSurfaceBlendMode(m_scratch, SDL_BLENDMODE_NONE);
        SDL_SetColorKey(m_scratch, SDL_TRUE, 0);
        break;
      case Work::Half:
        SDL_SetColorKey(m_src, SDL_TRUE, 0);
        SDL_SetSurfaceBlendMode(m_src, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(m_src, kHalfAlpha);
        SDL_SetSurfaceRLE(m_src, 1);
        break;
    }
  }
  ~Sdl() override {
    if (m_scratch) SDL_FreeSurface(m_scratch);
    SDL_FreeSurface(m_src);
    SDL_FreeSurface(m_dst);
  }
  void Draw() override {
    for (const Placement& p : m_placements) {
      SDL_Rect to{p.x, p.y, m_case.DestW(), m_case.DestH()};
      if (m_scratch) {
        SDL_SoftStretch(m_src, nullptr, m_scratch, nullptr);
        SDL_BlitSurface(m_scratch, nullptr, m_dst, &to);
      } else if (m_case.Stretches()) {
        SDL_BlitScaled(m_src, nullptr, m_dst, &to);
      } else {
        SDL_BlitSurface(m_src, nullptr, m_dst, &to);
      }
    }
  }
  const std::uint32_t* Target() override { return m_target.data(); }

 private:
  Case m_case;
  std::vector<Placement> m_placements;
  std::vector<std::uint32_t> m_pixels, m_target;
  SDL_Surface* m_src = nullptr;
  SDL_Surface* m_dst = nullptr;
  SDL_Surface* m_scratch = nullptr;
};

// True when destination pixel i of a nearest stretch of n pixels from span
// source pixels has its centre exactly on a source pixel boundary.
bool Halfway(int i, int span, int n) { return (2LL * i + 1) * span % (2LL * n) == 0; }

// Compares one iteration of a peer with one of ours on fresh targets; an
// empty string when they agree as the header describes.
std::string Disagreement(const Case& c, Side& peer, long* halfwayPixels) {
  std::vector<std::uint32_t> ours;
  {
    Ours reference(c);
    reference.Draw();
    ours.assign(reference.Target(), reference.Target() + std::size_t(kScreenW) * kScreenH);
  }
  peer.Draw();
  const std::uint32_t* theirs = peer.Target();
  // The columns and rows of the target where a halfway sample lies.
  std::vector<bool> halfwayCol(kScreenW), halfwayRow(kScreenH);
  if (c.Stretches())
    for (const Placement& p : Placements(c)) {
      for (int i = 0; i < c.DestW(); ++i) halfwayCol[p.x + i] = halfwayCol[p.x + i] || Halfway(i, c.SourceW(), c.DestW());
      for (int j = 0; j < c.DestH(); ++j) halfwayRow[p.y + j] = halfwayRow[p.y + j] || Halfway(j, c.SourceH(), c.DestH());
    }
  *halfwayPixels = 0;
  for (int y = 0; y < kScreenH; ++y)
    for (int x = 0; x < kScreenW; ++x) {
      const std::uint32_t a = ours[std::size_t(y) * kScreenW + x], b = theirs[std::size_t(y) * kScreenW + x];
      if (a == b) continue;
      bool close = false;
      if (c.Blends()) {
        close = true;
        for (int shift = 0; shift < 24; shift += 8)
          close = close && std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) <= 1;
      }
      if (close) continue;
      if (halfwayCol[x] || halfwayRow[y]) {
        ++*halfwayPixels;
        continue;
      }
      char text[128];
      std::snprintf(text, sizeof text, "pixel (%d, %d): ours %08X, peer %08X", x, y, a, b);
      return text;
    }
  return {};
}

template <typename Peer>
void Run(benchmark::State& state, Case c) {
  std::unique_ptr<Side> side;
  if constexpr (std::is_same_v<Peer, Ours>) {
    side = std::make_unique<Ours>(c);
  } else {
    side = std::make_unique<Peer>(c);
    long halfway = 0;
    const std::string problem = Disagreement(c, *side, &halfway);
    if (!problem.empty()) {
      state.SkipWithError(problem.c_str());
      return;
    }
    state.counters["halfway_px"] = double(halfway);
    side = std::make_unique<Peer>(c);
  }
  for (auto _ : state) {
    side->Draw();
    benchmark::DoNotOptimize(side->Target());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(Placements(c).size()) * c.DestW() * c.DestH());
}

// The physical reference: one 640 x 480 x 4 frame copied.
void Memcpy(benchmark::State& state) {
  const std::vector<std::uint32_t> from = MakeBackground();
  std::vector<std::uint32_t> storage(from.size());
  std::uint32_t* to = storage.data();
  for (auto _ : state) {
    std::memcpy(to, from.data(), from.size() * 4);
    benchmark::DoNotOptimize(to);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(from.size()));
}
BENCHMARK(Memcpy)->Name("Memcpy/Frame");

void RegisterAll() {
  const struct {
    const char* name;
    Case c;
  } cases[] = {
      {"Keyed_Sprite", {Work::Keyed, Size::Sprite}},
      {"Keyed_Layer", {Work::Keyed, Size::Layer}},
      {"Stretch1.5_Sprite", {Work::Stretch, Size::Sprite, 3, 2}},
      {"Stretch1.5_Layer", {Work::Stretch, Size::Layer, 3, 2}},
      {"Stretch3_Sprite", {Work::Stretch, Size::Sprite, 3, 1}},
      {"Stretch3_Layer", {Work::Stretch, Size::Layer, 3, 1}},
      {"AlphaStretch1.5_Sprite", {Work::AlphaStretch, Size::Sprite, 3, 2}},
      {"AlphaStretch1.5_Layer", {Work::AlphaStretch, Size::Layer, 3, 2}},
      {"AlphaStretch3_Sprite", {Work::AlphaStretch, Size::Sprite, 3, 1}},
      {"AlphaStretch3_Layer", {Work::AlphaStretch, Size::Layer, 3, 1}},
      {"Half_Sprite", {Work::Half, Size::Sprite}},
      {"Half_Layer", {Work::Half, Size::Layer}},
  };
  for (const auto& entry : cases) {
    benchmark::RegisterBenchmark((std::string("Ours/") + entry.name).c_str(), Run<Ours>, entry.c);
    benchmark::RegisterBenchmark((std::string("Pixman/") + entry.name).c_str(), Run<Pixman>, entry.c);
    benchmark::RegisterBenchmark((std::string("Sdl/") + entry.name).c_str(), Run<Sdl>, entry.c);
  }
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
