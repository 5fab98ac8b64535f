#include "tools/draw_frames/draw_frames.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "foundation/game_files.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/effects/blend.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/images/palette.h"
#include "graphics/surfaces/surface_lock.h"
#include "project/database.h"
#include "project/frame_tables.h"
#include "project/global_data.h"
#include "shell/game/blend_palette.h"
#include "stage/chara/chara.h"
#include "stage/draw/chara/chara_effect_advance.h"
#include "stage/draw/chara/chara_effect_drawers.h"
#include "stage/draw/chara/graphic_number.h"
#include "stage/draw/effects/chara_effect_slot.h"
#include "stage/draw/effects/screen_effect_advance.h"
#include "stage/draw/effects/screen_effect_pixels.h"
#include "stage/draw/effects/stage_effect.h"
#include "stage/draw/layers/screen_color.h"
#include "stage/draw/layers/screen_color_pixels.h"
#include "stage/draw/resources/effect_surfaces.h"
#include "stage/draw/resources/screen_copies.h"
#include "tools/sample_game/bmp_file.h"
#include "tools/sample_game/indexed_image.h"
#include "tools/sample_game/sample_palette.h"

namespace draw_frames {
namespace {

constexpr int kW = 640, kH = 480;
constexpr int kSheet = 4;  // the first character sheet
constexpr int kTwinSheet = 5;
constexpr int kMaxFrames = 400;
constexpr const char* kEffectPicture = "bmp\\effect\\Frames.bmp";
// The files the player takes its 8-bit palette and blend table from, as
// colour variant 0 names them.
constexpr const char* kPaletteFile = "bmp\\plt\\Palette.bmp";
constexpr const char* kBlendTableFile = "bmp\\hbt\\hbt00.dat";

using Params = std::array<std::int32_t, 5>;

// {T, P1, P2, P3, P4} of each screen-effect kind 1..13.
constexpr std::array<Params, 13> kScreenParams = {{
    {10, 0, 0, 120, 60}, {10, 10, 2, 0, 0}, {10, 10, 2, 0, 0}, {10, 0, 40, 8, 0}, {10, 0, 40, 8, 0},
    {10, 0, 30, 3, 4},   {10, 0, 30, 3, 4},  {10, 6, 0, 0, 0},  {10, 0, 90, 0, 0}, {10, 400, 40, 4, 0},
    {10, 640, 1280, 0, 0}, {10, 10, 60, 0, 0}, {10, 1, 24, 0, 0},
}};

// {T, start, end, P3, P4} of each character-effect kind 1..16.
constexpr std::array<Params, 16> kCharaParams = {{
    {10, 0, 16, 0, 0},   {10, 0, 20, 4, 0},  {10, 0, 20, 4, 0}, {10, 0, 8, 3, 4},   {10, 0, 8, 3, 4},
    {10, 3, 0, 0, 0},    {10, 0, 360, 0, 0}, {10, 0, 180, 0, 0}, {10, 0, 360, 0, 0}, {10, 0, 24, 4, 0},
    {10, 32, 64, 0, 0},  {10, 0, 16, 0, 0},  {10, 0, 16, 40, 0}, {10, 3, 0, 0, 0},  {10, 1, 8, 0, 0},
    {10, 0, 4, 0, 0},
}};

constexpr std::array<const char*, 3> kPlayModes = {"forward", "back", "thereandback"};

void SetUpDatabase() {
  cDatabase& database = *g_Database;
  database.m_vScrEffect.resize(1);
  for (int kind = 1; kind <= 13; ++kind) {
    cScrEffect effect;
    effect.m_nKind = kind;
    effect.m_anParam = kScreenParams[static_cast<std::size_t>(kind - 1)];
    database.m_vScrEffect.push_back(effect);
  }
  database.m_vCharaEffect.resize(1);
  for (int kind = 1; kind <= 16; ++kind) {
    cCharaEffect effect;
    effect.m_nKind = kind;
    effect.m_anParam = kCharaParams[static_cast<std::size_t>(kind - 1)];
    database.m_vCharaEffect.push_back(effect);
  }
  cEffect point;
  point.m_strFile = kEffectPicture;
  point.m_nCellWidth = 24;
  point.m_nCellHeight = 24;
  point.m_nValue = 1;
  point.m_vFrames.resize(3);
  for (int i = 0; i < 3; ++i) {
    point.m_vFrames[i].nFirst = i;
    point.m_vFrames[i].nSecond = 1;
  }
  database.m_vEffect.resize(1);
  database.m_vEffect.push_back(point);
  BuildEffectWorkCopies(database);
  BuildEffectFrames(g_EffectFrameTable, database);
  InitScrEffectSlots();
  InitCharaEffectSlots();
}

sample_game::Palette FramesPalette() {
  sample_game::Palette palette;
  for (std::size_t i = 0; i < palette.size(); ++i)
    palette[i] = {g_PalEntries[i].peRed, g_PalEntries[i].peGreen, g_PalEntries[i].peBlue};
  return palette;
}

// Three 24 x 24 frames of a growing ring, written as the point effect's
// picture in the frames' palette (colour 0 is the transparent colour).
bool WriteEffectPicture() {
  sample_game::IndexedImage image(72, 24);
  for (int frame = 0; frame < 3; ++frame) {
    image.FillCircle(24 * frame + 12, 12, 5 + 3 * frame, static_cast<std::uint8_t>(200 + 10 * frame));
    image.FillCircle(24 * frame + 12, 12, 2 + 2 * frame, 0);
  }
  const auto bytes = sample_game::EncodeBmp8(image, FramesPalette());
  return WriteGameFile(kEffectPicture, bytes);
}

// The frames' palette and its blend table written as a game's files and
// loaded as the player loads them at start-up, so that the 8-bit mixes
// (colour change, blur, half) mix the frames' own colours.
bool LoadPaletteAndBlendTable() {
  const sample_game::Palette palette = FramesPalette();
  return WriteGameFile(kPaletteFile, sample_game::EncodeBmp8(sample_game::IndexedImage(1, 1), palette)) &&
         WriteGameFile(kBlendTableFile, sample_game::BlendTable(palette)) && LoadBlendPalette(0) == 1;
}

void MakePalette() {
  for (int i = 0; i < 256; ++i)
    g_PalEntries[i] = {static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(255 - i), 0};
  g_PalEntries[16] = {0, 0, 0, 0};
  DDSetScreenPalette(g_PalEntries.data(), 0, 256);
}

// Bands and boxes of colour: distortions show plainly on them.
void DrawStagePicture() {
  for (int band = 0; band < 12; ++band) DDFillRect(&BackBuffer, 0, band * 40, kW, 40, 20 + band * 18);
  for (int box = 0; box < 8; ++box) DDFillRect(&BackBuffer, 40 + box * 72, 200, 40, 80, 240 - box * 12);
}

// A pixel of palette colour n as the current mode stores it.
std::uint32_t PixelOf(int n) {
  if (g_DDState.nBpp == 8 && lpDTCon == nullptr) return static_cast<std::uint32_t>(n);
  const auto& e = g_PalEntries[static_cast<std::size_t>(n)];
  const std::uint32_t rgb = (std::uint32_t{e.peRed} << 16) | (std::uint32_t{e.peGreen} << 8) | e.peBlue;
  return lpDTCon != nullptr ? 0xFF000000u | rgb : rgb;
}

// Cell 0 of the first character sheet: a face of rings and stripes on a
// see-through ground, lopsided so that turns and mirrors show.
bool MakeCharacterSheet() {
  DDSURFACEDATA* sheet = &g_BmpSD[kSheet];
  if (!DDCreateSurface(sheet, 256, 480, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return false;
  cSurfaceLock lock;
  if (!lock.Lock(sheet)) return false;
  const std::uint32_t clear = lpDTCon != nullptr ? 0 : g_DDState.dwColorKey;
  for (int y = 0; y < sheet->nHeight; ++y)
    for (int x = 0; x < sheet->nWidth; ++x) {
      const int dx = x - 14, dy = y - 16;
      const bool inside = x < 32 && y < 32 && (dx * dx + dy * dy < 196 || (x > 24 && y < 8));
      const std::uint32_t value = inside ? PixelOf(30 + ((x / 4 + y / 3) % 6) * 30) : clear;
      if (lock.BitsPerPixel() == 8) lock.Row8(y)[x] = static_cast<std::uint8_t>(value);
      else lock.Row32(y)[x] = value;
    }
  return true;
}

// The sheet's twin for the other facing, each cell mirrored in its place as
// the stage loads it: an alias that draws its owner mirrored in Direct3D
// mode, a mirrored copy in DirectDraw mode.
bool MakeCharacterTwin() {
  DDSURFACEDATA* twin = &g_BmpSD[kTwinSheet];
  if (lpDTCon != nullptr) {
    twin->nMirrorW = 32;
    return true;
  }
  DDSURFACEDATA* sheet = &g_BmpSD[kSheet];
  if (!DDCreateSurface(twin, sheet->nWidth, sheet->nHeight, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return false;
  cSurfaceLock from;
  cSurfaceLock to;
  if (!from.Lock(sheet) || !to.Lock(twin)) return false;
  for (int y = 0; y < sheet->nHeight; ++y)
    for (int x = 0; x < sheet->nWidth; ++x) {
      const int mirrored = x - x % 32 + 31 - x % 32;
      if (to.BitsPerPixel() == 8) to.Row8(y)[x] = from.Row8(y)[mirrored];
      else to.Row32(y)[x] = from.Row32(y)[mirrored];
    }
  return true;
}

void ReleaseCharacterTwin() {
  DDSURFACEDATA* twin = &g_BmpSD[kTwinSheet];
  if (lpDTCon != nullptr) twin->nMirrorW = 0;
  else DDReleaseSurface(twin);
}

// Cell 0 of the sheet, its back picture on the twin.
GraphicSource CharacterCell() {
  GraphicSource source{&g_BmpSD[kSheet], 0, 0};
  source.backSurface = &g_BmpSD[kTwinSheet];
  return source;
}

class Runner {
 public:
  explicit Runner(const FrameSink& sink) : m_sink(sink) {}

  void ScreenEffects() {
    for (int kind = 1; kind <= 13; ++kind)
      for (int mode = 0; mode < 3; ++mode) {
        ScreenEffectFrame frame;
        StartScreenEffect(frame, kind, mode, 0);
        const std::string name = "screen" + std::to_string(kind) + "_" + kPlayModes[static_cast<std::size_t>(mode)];
        // Only the frames that are looked at are drawn: the pixels depend on
        // the advanced state alone.
        const auto draw = [&frame] {
          DrawStagePicture();
          DrawScreenEffect(frame, ScreenPoint{320, 240}, &DrawStagePicture);
        };
        bool ended = false;
        for (int n = 1; n <= kMaxFrames; ++n) {
          AdvanceScreenEffect(frame, 0);
          if (ended) {
            draw();
            m_sink(name + "_after");
            break;
          }
          if (n == 1 || frame.finished) draw();
          if (n == 1) m_sink(name + "_first");
          if (frame.finished) {
            m_sink(name + "_last");
            ended = true;
          }
        }
      }
  }

  void ScreenColours() {
    Colour("colour_fade", {255, 64, 0, 100, 0, 10, 0, 0}, {1, 61, 62});
    Colour("colour_blink", {0, 64, 255, 100, 0, 5, 1, 2}, {1, 15, 31, 45});
  }

  void CharaEffects() {
    for (int kind = 1; kind <= 16; ++kind) {
      for (int mode = 0; mode < 3; ++mode)
        CharaEffect("chara" + std::to_string(kind) + "_" + kPlayModes[static_cast<std::size_t>(mode)], kind, mode, 1);
      CharaEffect("chara" + std::to_string(kind) + "_scaled", kind, 0, 2);
    }
    Tinted();
  }

  void PointEffects() {
    PointEffect("point_plain", 100);
    PointEffect("point_scaled", 200);
  }

 private:
  void Colour(const std::string& name, const std::array<std::int32_t, 8>& params, std::initializer_list<int> frames) {
    ScreenColorState colour;
    StartScreenColorChange(colour, params, CurrentScreenColorPath());
    int last = 0;
    for (int n : frames) last = n > last ? n : last;
    for (int n = 1; n <= last; ++n) {
      DrawStagePicture();
      AdvanceScreenColor(colour, 0);
      DrawScreenColor(colour);
      for (int wanted : frames)
        if (n == wanted) m_sink(name + "_" + std::to_string(n));
    }
    MakePalette();
  }

  static CellPlacement Placement(int scale) {
    CellPlacement at;
    at.scale = scale;
    at.w = 32 * scale;
    at.h = 32 * scale;
    at.x = 320 - at.w / 2;
    at.y = 240 - at.h / 2;
    return at;
  }

  void CharaEffect(const std::string& name, int kind, int mode, int scale) {
    cChara chara;
    SelectCharaEffect(chara.effect, kind, mode, 0);
    const GraphicSource source = CharacterCell();
    const CellPlacement at = Placement(scale);
    const auto draw = [&] {
      DrawStagePicture();
      DrawCellWithEffect(&BackBuffer, source, at, chara.shownEffect);
    };
    bool ended = false;
    for (int n = 1; n <= kMaxFrames; ++n) {
      const int end = AdvanceCharaEffect(chara, 0);
      if (ended || n == 1 || end) draw();
      if (ended) {
        m_sink(name + "_after");
        return;
      }
      if (n == 1) m_sink(name + "_first");
      if (end) {
        m_sink(name + "_last");
        ended = true;
      }
    }
  }

  // A character tinted red, plain and turning (the tint shows in Direct3D).
  void Tinted() {
    GraphicSource source = CharacterCell();
    const CellTint red = TintOfColour(3, 0);
    source.tinted = red.on;
    source.tint = red.pair;
    cChara chara;
    for (int scale : {1, 2}) {
      DrawStagePicture();
      DrawCellWithEffect(&BackBuffer, source, Placement(scale), chara.effect);
      m_sink("tint_red_scale" + std::to_string(scale));
    }
    SelectCharaEffect(chara.effect, kCharaEffectRotateA, 0, 0);
    for (int n = 0; n < 15; ++n) AdvanceCharaEffect(chara, 0);
    DrawStagePicture();
    DrawCellWithEffect(&BackBuffer, source, Placement(1), chara.shownEffect);
    m_sink("tint_red_turning");
  }

  void PointEffect(const std::string& name, int percent) {
    cStageEffect effect(1, 300.0, 220.0, percent);
    for (int n = 1; n <= kMaxFrames; ++n) {
      DrawStagePicture();
      const int ended = effect.Advance();
      effect.Draw(&BackBuffer, 0, 0, 0);
      if (n == 1) m_sink(name + "_first");
      if (ended) {
        m_sink(name + "_after");
        return;
      }
      if (effect.anime.GetFrame() == kPatternEnded) m_sink(name + "_last");
    }
  }

  const FrameSink& m_sink;
};

// The working folder is a fresh temporary one while the frames are made.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    m_previous = std::filesystem::current_path();
    m_folder = std::filesystem::temp_directory_path() / ("draw_frames_" + std::to_string(getpid()));
    for (const char* files : {"effect", "plt", "hbt"})
      std::filesystem::create_directories(m_folder / "bmp" / files);
    std::filesystem::current_path(m_folder);
  }
  ~TemporaryFolder() {
    std::filesystem::current_path(m_previous);
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

 private:
  std::filesystem::path m_previous, m_folder;
};

}  // namespace

// The bitmap links, the colour key, the palettes and the blend table
// outlive the device; they are put back as they were after the frames.
class KeptDeviceGlobals {
 public:
  KeptDeviceGlobals()
      : m_colourKey(g_DDState.dwColorKey),
        m_palette(g_PalEntries),
        m_basePalette(g_BasePalEntries),
        m_blendTable(g_BlendTable, g_BlendTable + kBlendTableSize) {
    for (int i = 0; i < kBmpCount; ++i) m_aliases[static_cast<std::size_t>(i)] = g_BmpSD[i].lpAlias;
  }
  ~KeptDeviceGlobals() {
    for (int i = 0; i < kBmpCount; ++i) g_BmpSD[i].lpAlias = m_aliases[static_cast<std::size_t>(i)];
    g_DDState.dwColorKey = m_colourKey;
    g_PalEntries = m_palette;
    g_BasePalEntries = m_basePalette;
    std::copy(m_blendTable.begin(), m_blendTable.end(), g_BlendTable);
  }
  KeptDeviceGlobals(const KeptDeviceGlobals&) = delete;
  KeptDeviceGlobals& operator=(const KeptDeviceGlobals&) = delete;

 private:
  std::array<DDSURFACEDATA*, kBmpCount> m_aliases{};
  std::uint32_t m_colourKey;
  PaletteArray m_palette, m_basePalette;
  std::vector<BYTE> m_blendTable;
};

bool RunFrames(const DrawMode& mode, const FrameSink& sink) {
  const TemporaryFolder folder;
  const KeptDeviceGlobals kept;
  if (!DDInit(mode.direct3D, kW, kH, mode.bpp, 0, 1, 1, 60, 0, nullptr, nullptr, 0)) return false;
  SetUpDatabase();
  MakePalette();
  const PALETTEENTRY& key = g_PalEntries[0];
  DDSetTransmit(key.peRed, key.peGreen, key.peBlue);
  // The work surfaces of the effect drawers, as the stage makes them.
  constexpr std::array<int, 3> kWorkSurfaces = {67, 68, 70};
  LinkBitmapSurfaces();
  const bool made = LoadPaletteAndBlendTable() && WriteEffectPicture() &&
                    LoadBmpSurfaces(g_BmpSD, kWorkSurfaces.data(), 3) && MakeCharacterSheet() &&
                    MakeCharacterTwin();
  if (made) {
    LoadEffectSurfaces();
    Runner runner(sink);
    runner.ScreenEffects();
    runner.ScreenColours();
    runner.CharaEffects();
    runner.PointEffects();
    ReleaseEffectSurfaces();
  }
  ReleaseCharacterTwin();
  DDReleaseSurface(&g_BmpSD[kSheet]);
  for (int index : kWorkSurfaces) DDReleaseSurface(&g_BmpSD[index]);
  ReleaseScreenCopies();
  DDRelease();
  return made;
}

std::uint64_t BackBufferChecksum() {
  cSurfaceLock lock;
  if (!lock.Lock(&BackBuffer)) return 0;
  std::uint64_t hash = 1469598103934665603ULL;
  const auto mix = [&hash](std::uint32_t v) {
    hash ^= v;
    hash *= 1099511628211ULL;
  };
  for (int y = 0; y < BackBuffer.nHeight; ++y)
    for (int x = 0; x < BackBuffer.nWidth; ++x) mix(lock.BitsPerPixel() == 8 ? lock.Row8(y)[x] : lock.Row32(y)[x]);
  return hash;
}

}  // namespace draw_frames
