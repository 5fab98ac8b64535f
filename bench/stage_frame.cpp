// The stage simulation alone (the frame step with the drawing's advance, no
// pixels): a 1000 x 100 stage with a floor, 500 or 2,000 characters spread
// along it (each with an always-flow behind a key-input step, seven groups
// taking turns), the hero walking, at speed level 1 and at level 10. Before timing, two runs from one seed and
// one input stream must give the same state hash. The physical reference is
// one cache line read from each character (headless_bench.h).

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/headless_bench.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/harness/stage_harness.h"

namespace {

cEdStage MakeStage(int speedLevel, int charas) {
  cEdStage stage;
  stage.Width = 1000;
  stage.Height = 100;
  stage.SpeedLevel = speedLevel;
  stage.SetSpeedLevel(speedLevel);
  stage.IntroSwitch1 = stage.IntroSwitch2 = 0;
  for (int column = 0; column < 1000; ++column) {
    cEdBlock block;
    block.m_nColumn = static_cast<std::int16_t>(column);
    block.m_nRow = 90;
    stage.m_vBlock.push_back(block);
  }
  cEdChara hero;
  hero.m_nOperator = kOperatorPlayer;
  hero.m_nGraphicNo = 1;
  hero.m_nColumn = 5;
  hero.m_nRow = 89;
  stage.m_vChara.push_back(hero);
  cKeyStep step;
  step.SetDefaults();
  step.m_vKeys[11] = kKeyPressed;
  step.m_bAnyHold = 1;
  for (int i = 0; i < charas; ++i) {
    cEdChara chara;
    chara.m_nGraphicNo = 1;
    chara.m_nColumn = static_cast<std::int16_t>(2 * i % 1000);
    chara.m_nRow = static_cast<std::int16_t>(89 - i / 500);
    chara.m_nFaction = static_cast<std::uint8_t>(1 + i % 7);
    cEdFlow flow;
    flow.m_vKeySteps.push_back(step);
    chara.m_vFlows.push_back(flow);
    stage.m_vChara.push_back(chara);
  }
  return stage;
}

std::uint16_t ButtonsOf(int frame) { return static_cast<std::uint16_t>((frame / 9) % 2); }

std::uint64_t RunFrames(const cEdStage& stage, int frames) {
  cStageHarness harness;
  harness.UseStage(stage);
  harness.Begin(99);
  for (int frame = 0; frame < frames; ++frame) harness.Step(2, ButtonsOf(frame));
  return harness.Hash();
}

void SimulationFrames(benchmark::State& state) {
  const cEdStage stage = MakeStage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  if (RunFrames(stage, 200) != RunFrames(stage, 200)) {
    state.SkipWithError("two runs of one seed and input differ");
    return;
  }
  cStageHarness harness;
  harness.UseStage(stage);
  harness.Begin(99);
  int frame = 0;
  for (auto _ : state) {
    harness.Step(2, ButtonsOf(frame++));
    if (harness.Scene().Phase() != kPhasePlay) harness.Scene().SetPhase(kPhasePlay);
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["characters"] = static_cast<double>(g_CharaList.Count());
}
BENCHMARK(SimulationFrames)
    ->ArgsProduct({{1, 10}, {500, 2000}})
    ->Repetitions(5)->ReportAggregatesOnly(true);

void ReadFloor(benchmark::State& state) {
  ReadLinePerObjectFloor(state, static_cast<std::size_t>(state.range(0)), sizeof(cStageChara));
}
BENCHMARK(ReadFloor)->Arg(500)->Arg(2000)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return RunHeadlessBenchmarks(argc, argv); }
