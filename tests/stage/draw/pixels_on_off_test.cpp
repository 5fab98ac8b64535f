// The advance half holds everything drawing changes: a busy stage played
// with a screen (pixels drawn in each drawing mode) and without one gives
// the same state hash on every frame. (Both runs are without layer
// pictures: a layer's offset wraps by its picture's size.)
#include <gtest/gtest.h>

#include "graphics/device/device.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/draw/stage_drawing.h"
#include "tests/stage/stage_fixture.h"

namespace {

constexpr int kFrames = 2000;

StageBuilder BusyStage() {
  StageBuilder builder(60, 20, 3, 5);
  for (int c = 0; c < 60; ++c) builder.Block(c, 12);
  for (int i = 0; i < 12; ++i) builder.Chara(6 + 4 * i, 6 + i % 4).m_nDeathEffect = 1;
  cEdBackground sky;
  sky.AutoX = 1;
  sky.AutoSpeedX = 0.75;
  builder.stage.m_vBackground.push_back(sky);
  return builder;
}

void AddEffects() {
  g_Database->m_vCharaEffect.resize(1);
  cCharaEffect blink;
  blink.m_nKind = 6;
  blink.m_anParam = {20, 4, 0, 0, 0};
  g_Database->m_vCharaEffect.push_back(blink);
  g_Database->m_vScrEffect.resize(1);
  cScrEffect wave;
  wave.m_nKind = 6;
  wave.m_anParam = {5, 0, 20, 3, 4};
  g_Database->m_vScrEffect.push_back(wave);
  BuildEffectWorkCopies(*g_Database);
  InitEffectSlotsOfStage();
}

std::vector<std::uint64_t> PlayBusyStage() {
  StageRun run(BusyStage());
  AddEffects();
  cStageScene& scene = run.harness.Scene();
  StartSceneScreenEffect(scene, 1, 2, 1);
  StartSceneScreenColor(scene, {0, 0, 255, 60, 0, 3, 1, 1000});
  std::vector<std::uint64_t> hashes;
  for (int frame = 0; frame < kFrames; ++frame) {
    if (frame % 97 == 0) AddStageEffect(scene, 0, EffectBox{0, 0, 31, 31}, EffectBox{10, 10, 40, 40}, 1);
    run.harness.Step(frame % 50 < 25 ? 6 : 4, 0);
    hashes.push_back(run.harness.Hash());
  }
  return hashes;
}

TEST(PixelsOnAndOff, TheStateHashIsTheSameWithAndWithoutAScreen) {
  const std::vector<std::uint64_t> headless = PlayBusyStage();
  for (auto [d3d, bpp] : {std::pair{0, 8}, {0, 32}, {1, 32}}) {
    ASSERT_TRUE(DDInit(d3d, 640, 480, bpp, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    const std::vector<std::uint64_t> drawn = PlayBusyStage();
    DDRelease();
    ASSERT_EQ(drawn.size(), headless.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) ASSERT_EQ(drawn[i], headless[i]) << "frame " << i << " mode " << d3d << "/" << bpp;
  }
}

}  // namespace
