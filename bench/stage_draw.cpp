// A full stage frame with its drawing (the frame step, the drawing's advance
// and the pixels into the 640 x 480 back buffer) in each drawing mode, on a
// busy stage: two auto-scrolling layers, a screen of blocks, 100 characters
// (ten of them blinking), 50 shots, 20 items, five shown pictures (two
// stretched, two following characters), 20 point effects (half of them
// scaled), a wave screen effect, a blinking screen colour and the status
// panel. Shots and point effects that end are replaced, so every frame has
// the same load. Before timing, two runs of one seed and input must give
// the same state hash, and the hundredth frame drawn must have the checksum
// pinned for its drawing mode. The physical reference is a copy of one 640 x 480
// frame of 32-bit pixels.

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench/frame_checksum.h"
#include "foundation/game_files.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "project/database.h"
#include "project/global_data.h"
#include "shell/init/project_load.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/draw/resources/effect_surfaces.h"
#include "stage/draw/stage_drawing.h"
#include "stage/harness/stage_harness.h"
#include "stage/show/shown_pictures.h"
#include "stage/shots/shot_list.h"
#include "stage/shots/stage_shot.h"
#include "tools/sample_game/bmp_file.h"
#include "tools/sample_game/indexed_image.h"

namespace {

constexpr int kCharas = 100;
constexpr int kItems = 20;
constexpr std::size_t kShots = 50;
constexpr std::size_t kPointEffects = 20;
constexpr const char* kEffectPicture = "bmp\\effect\\Bench.bmp";

cEdStage MakeStage() {
  cEdStage stage;
  stage.Width = 200;
  stage.Height = 30;
  stage.SetSpeedLevel(1);
  stage.IntroSwitch1 = stage.IntroSwitch2 = 0;
  for (int column = 0; column < 200; ++column)
    for (int row = 14; row < 30; ++row) {
      cEdBlock block;
      block.m_nColumn = static_cast<std::int16_t>(column);
      block.m_nRow = static_cast<std::int16_t>(row);
      block.m_nGraphicNo = static_cast<std::uint16_t>(1 + (column + row) % 20);
      stage.m_vBlock.push_back(block);
    }
  cEdChara hero;
  hero.m_nOperator = kOperatorPlayer;
  hero.m_nGraphicNo = 1;
  hero.m_nColumn = 5;
  hero.m_nRow = 13;
  stage.m_vChara.push_back(hero);
  for (int i = 0; i < kCharas; ++i) {
    cEdChara chara;
    chara.m_nGraphicNo = static_cast<std::uint16_t>(16 + i % 40);
    chara.m_nColumn = static_cast<std::int16_t>(2 + i % 20);
    chara.m_nRow = static_cast<std::int16_t>(2 + i / 20);
    chara.m_nFaction = 1;
    stage.m_vChara.push_back(chara);
  }
  for (int i = 0; i < kItems; ++i) {
    cEdItem item;
    item.m_nGraphicNo = static_cast<std::uint16_t>(1 + i);
    item.m_nColumn = static_cast<std::int16_t>(1 + i);
    item.m_nRow = static_cast<std::int16_t>(8 + i % 2);
    item.m_nOverlay = static_cast<std::uint8_t>(i % 2);
    item.m_nOverlayNo = 3;
    stage.m_vItem.push_back(item);
  }
  for (int i = 0; i < 2; ++i) {
    cEdBackground layer;
    layer.AutoX = 1;
    layer.AutoSpeedX = 0.5 + i;
    stage.m_vBackground.push_back(layer);
  }
  return stage;
}

// The working folder while the benchmark runs: a temporary one holding the
// point effect's picture (four 32 x 32 frames), which the stage loads.
class EffectPictureFolder {
 public:
  EffectPictureFolder()
      : m_previous(std::filesystem::current_path()),
        m_folder(std::filesystem::temp_directory_path() / ("bench_stage_draw_" + std::to_string(getpid()))) {
    std::filesystem::create_directories(m_folder / "bmp" / "effect");
    std::filesystem::current_path(m_folder);
    sample_game::IndexedImage image(128, 32);
    for (int frame = 0; frame < 4; ++frame)
      image.FillCircle(32 * frame + 16, 16, 6 + 3 * frame, static_cast<std::uint8_t>(40 + frame));
    WriteGameFile(kEffectPicture, sample_game::EncodeBmp8(image, sample_game::SamplePalette()));
  }
  ~EffectPictureFolder() {
    std::filesystem::current_path(m_previous);
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }
  EffectPictureFolder(const EffectPictureFolder&) = delete;
  EffectPictureFolder& operator=(const EffectPictureFolder&) = delete;

 private:
  std::filesystem::path m_previous, m_folder;
};

void MakeEffects() {
  g_Database->m_vCharaEffect.resize(1);
  cCharaEffect blink;
  blink.m_nKind = 6;
  blink.m_anParam = {100, 4, 0, 0, 0};
  g_Database->m_vCharaEffect.push_back(blink);
  g_Database->m_vScrEffect.resize(1);
  cScrEffect wave;
  wave.m_nKind = 6;
  wave.m_anParam = {20, 0, 12, 3, 4};
  g_Database->m_vScrEffect.push_back(wave);
  cEffect point;
  point.m_strFile = kEffectPicture;
  point.m_vFrames.resize(4);
  for (int i = 0; i < 4; ++i) {
    point.m_vFrames[i].nFirst = i;
    point.m_vFrames[i].nSecond = 2;
  }
  g_Database->m_vEffect.resize(1);
  g_Database->m_vEffect.push_back(point);
  BuildDatabaseTables();
  InitEffectSlotsOfStage();
}

// Blocks, characters, items, marks, the padded shot sheets, the panel.
constexpr std::array<int, 11> kSheets = {2, 4, 5, 40, 41, 44, 46, 49, 51, 63, 64};

void MakeSheets() {
  for (int bitmap : kSheets) DDCreateSurface(&g_BmpSD[bitmap], 256, 480, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  for (int bitmap : {55, 56}) DDCreateSurface(&g_BmpSD[bitmap], 320, 240, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
}

void ReleaseSheets() {
  for (int bitmap : kSheets) DDReleaseSurface(&g_BmpSD[bitmap]);
  for (int bitmap : {55, 56}) DDReleaseSurface(&g_BmpSD[bitmap]);
  ReleaseEffectSurfaces();
}

// Slow shots of the characters' side across the upper screen, away from
// the hero, each living a few seconds.
void AddShot(cStageScene& scene, int index) {
  cEdShot record;
  record.m_nFaction = 1;
  record.m_bPassBlocks = 1;
  record.m_nGraphic = static_cast<std::uint16_t>(1 + index % 8);
  ShotPlacement placement;
  placement.startX = 64 + 12 * (index % 48);
  placement.startY = 64 + 40 * (index % 5);
  placement.vx = index % 2 ? 0.5 : -0.5;
  placement.speed = 0.5;
  placement.range = 10 + index % 20;
  cChara* owner = nullptr;
  g_CharaList.ForEach([&owner](cStageChara& chara) {
    if (owner == nullptr) owner = &chara;
  });
  auto shot = std::make_unique<cStageShot>();
  if (shot->Setup(kCmdKindShot, scene.m_nShotSerial++, owner, record, placement)) ::AddShot(std::move(shot));
}

// Shots and point effects that ended are replaced before each frame.
void KeepTheLoad(cStageScene& scene, int frame) {
  for (int i = 0; g_ShotList.Count() < kShots; ++i) AddShot(scene, frame + i);
  for (std::size_t i = scene.m_Draw.stageEffects.size(); i < kPointEffects; ++i)
    scene.m_Draw.stageEffects.emplace_back(1, 40.0 + 28.0 * static_cast<double>(i), 100.0 + 8.0 * static_cast<double>(i),
                                           i % 2 ? 200 : 100);
}

// Pictures of 160 x 120 as "ピクチャーの表示" leaves them: one per place,
// the second and fourth stretched to 150 %.
void ShowPictures(cStageScene& scene, int heroNumber) {
  for (int i = 0; i < 5; ++i) {
    cShownPicture& picture = scene.m_Draw.shows.pictures.emplace_back();
    picture.serial = static_cast<std::uint32_t>(i + 1);
    picture.hasSurface = DDCreateSurface(&picture.surface, 160, 120, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    DDFillSurface(&picture.surface, static_cast<std::uint32_t>(20 + i));
    picture.place = i;
    picture.x = 2 + 3 * i;
    picture.y = 2;
    picture.stretch = i % 2;
    picture.width = i % 2 ? 240 : 160;
    picture.height = i % 2 ? 180 : 120;
    picture.duration = 1;
    picture.screenFixed = 1;
    picture.followed = heroNumber;
  }
}

void Begin(cStageHarness& harness, const cEdStage& stage) {
  MakeEffects();
  harness.UseStage(stage);
  harness.Begin(7);
  MakeEffects();
  LoadEffectSurfaces();
  cStageScene& scene = harness.Scene();
  int n = 0;
  g_CharaList.ForEach([&](cStageChara& chara) {
    if (n++ % 10 == 0) SelectCharaEffect(chara.effect, 1, 0, 1);
  });
  StartSceneScreenEffect(scene, 1, 2, 1);
  StartSceneScreenColor(scene, {255, 0, 0, 40, 0, 10, 1, 1000000});
  ShowPictures(scene, harness.Hero()->number);
}

// The state hash after the frames and the checksum of the last drawn frame.
struct RunResult {
  std::uint64_t stateHash = 0;
  std::uint64_t frameChecksum = 0;
};

RunResult RunFrames(const cEdStage& stage, int frames) {
  cStageHarness harness;
  Begin(harness, stage);
  for (int frame = 0; frame < frames; ++frame) {
    KeepTheLoad(harness.Scene(), frame);
    harness.Step(frame % 120 < 60 ? 6 : 4, 0);
  }
  return {harness.Hash(), BackBufferChecksum()};
}

// The checksum of frame 100 per drawing mode (no text is drawn).
constexpr std::uint64_t kPinnedFrames[] = {0xf3617989df9d4aa5, 0xf318e0e2f9b92325, 0x5197c1b06f382325};

void StageDrawFrames(benchmark::State& state) {
  const int d3d = state.range(0) == 2 ? 1 : 0;
  const int bpp = state.range(0) == 0 ? 8 : 32;
  if (!DDInit(d3d, 640, 480, bpp, 0, 1, 1, 60, 0, nullptr, nullptr, 0)) {
    state.SkipWithError("no device");
    return;
  }
  const EffectPictureFolder folder;
  MakeSheets();
  const cEdStage stage = MakeStage();
  const RunResult first = RunFrames(stage, 100);
  const std::string fault = first.stateHash != RunFrames(stage, 100).stateHash
                                ? "two runs of one seed and input differ"
                                : CheckFrameChecksum(first.frameChecksum, kPinnedFrames[state.range(0)]);
  if (!fault.empty()) {
    state.SkipWithError(fault.c_str());
  } else {
    cStageHarness harness;
    Begin(harness, stage);
    int frame = 0;
    for (auto _ : state) {
      KeepTheLoad(harness.Scene(), frame);
      harness.Step(frame % 120 < 60 ? 6 : 4, 0);
      ++frame;
    }
  }
  ReleaseSheets();
  DDRelease();
}
BENCHMARK(StageDrawFrames)->Arg(0)->Arg(1)->Arg(2)->ArgName("dd8_dd32_d3d")->Unit(benchmark::kMicrosecond);

void FrameCopyReference(benchmark::State& state) {
  std::vector<std::uint32_t> from(640 * 480, 0x00123456), to(640 * 480);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(FrameCopyReference)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
