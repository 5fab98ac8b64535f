// Shots in flight: 2,000 shots of one side (straight, aimed at the hero,
// homing on the hero, waving; 500 each) with 10 characters of another side
// on a large stage at speed level 1, headless. Each frame moves every shot
// and runs the contact pass (every shot against every character). Before
// timing, two runs from one seed give the same state hash. The physical
// reference is one cache line read from each shot (headless_bench.h).

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/headless_bench.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/harness/stage_harness.h"
#include "stage/shots/shot_list.h"

namespace {

constexpr int kShots = 2000;
constexpr int kCharas = 10;
constexpr int kSide = 1;
constexpr int kCharaGroup = 2;

cEdStage MakeStage() {
  cEdStage stage = MakeHarnessStage(200, 60, 1, 100, 30);
  stage.OnScreenOnly = 0;  // every shot takes part in the contacts
  for (cEdStageCond& area : stage.RemovalAreas) area.Set(0, 0, 0, 0, 0, 0, 0, 0);
  cEdChara& hero = stage.m_vChara[0];
  hero.m_nFaction = kSide;
  hero.m_nFlight = 1;
  for (int i = 0; i < kCharas; ++i) {
    cEdChara chara;
    chara.m_nGraphicNo = 1;
    chara.m_nFaction = kCharaGroup;
    chara.m_nFlight = 1;
    chara.m_nInvincible = 1;  // hit, but never killed
    chara.m_nColumn = static_cast<std::int16_t>(2 + i * 19);
    chara.m_nRow = 2;
    stage.m_vChara.push_back(chara);
  }
  return stage;
}

// Shot i: its kind by i % 4, spread over the stage around the hero.
void FireShots(const cHero& hero) {
  for (int i = 0; i < kShots; ++i) {
    cEdShot record;
    record.m_nFaction = kSide;
    record.m_nPower = 1;
    record.m_bPierce = 1;  // the characters stay and are hit once by each shot
    record.m_nSpeed = 20;
    static constexpr std::uint8_t kKinds[] = {kShotStraight, kShotAimHero, kShotHomeHero, kShotWave};
    record.m_nMoveKind = kKinds[i % 4];
    if (record.m_nMoveKind == kShotHomeHero) record.m_anMoveParam[1] = 4000;
    if (record.m_nMoveKind == kShotWave) {
      record.m_anMoveParam[0] = 2;
      record.m_anMoveParam[1] = 60;
    }
    ShotPlacement placement;
    placement.startX = static_cast<int>(hero.x) - 1500 + (i * 37) % 3000;
    placement.startY = 400 + (i * 53) % 1200;
    placement.vx = (i % 2 == 0 ? 2.0 : -2.0);
    placement.speed = 2;
    auto shot = std::make_unique<cStageShot>();
    if (shot->Setup(kCmdKindShot, i, nullptr, record, placement)) AddShot(std::move(shot));
  }
}

void Begin(cStageHarness& harness, const cEdStage& stage) {
  harness.UseStage(stage);
  harness.Begin(5);
  FireShots(*harness.Hero());
}

std::uint64_t RunFrames(const cEdStage& stage, int frames) {
  cStageHarness harness;
  Begin(harness, stage);
  for (int frame = 0; frame < frames; ++frame) harness.Step(0, 0);
  return harness.Hash();
}

void ShotFrames(benchmark::State& state) {
  const cEdStage stage = MakeStage();
  if (RunFrames(stage, 100) != RunFrames(stage, 100)) {
    state.SkipWithError("two runs of one seed differ");
    return;
  }
  cStageHarness harness;
  Begin(harness, stage);
  for (auto _ : state) {
    harness.Step(0, 0);
    if (harness.Scene().Phase() != kPhasePlay) harness.Scene().SetPhase(kPhasePlay);
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["shots"] = static_cast<double>(g_ShotList.Count());
  state.counters["characters"] = static_cast<double>(g_CharaList.Count());
}
BENCHMARK(ShotFrames)->Repetitions(5)->ReportAggregatesOnly(true);

void ReadFloor(benchmark::State& state) { ReadLinePerObjectFloor(state, kShots, sizeof(cStageShot)); }
BENCHMARK(ReadFloor)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return RunHeadlessBenchmarks(argc, argv); }
