// Flows stepping: 500 characters of one faction on a one-screen stage at
// speed level 1, each running an always-flow of 10 commands (moves, waits,
// a status operation, a turn). The moves really move: a straight move left
// and one right, then a full circle, so that every character stays near
// its place on the screen. Before timing, two runs from one seed give the
// same state hash, and the characters are checked to have moved. The
// physical reference is one cache line read from each character
// (headless_bench.h).

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "bench/headless_bench.h"
#include "commands/install.h"
#include "definitions/param_table.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/harness/stage_harness.h"

namespace {

constexpr int kCharas = 500;

cEdCmd Command(int kind, int tenths) {
  cEdCmd command;
  command.m_nKind = static_cast<std::uint8_t>(kind);
  command.m_vParams.assign(static_cast<std::size_t>(std::max(CmdParamCount(kFamilyChara, kind), 0)), 0);
  command.m_nTime = static_cast<std::int16_t>(tenths);
  return command;
}

// A move of `kind` in direction `code` at one dot per frame.
cEdCmd Move(int kind, int tenths, int code) {
  cEdCmd command = Command(kind, tenths);
  cEdMove& move = command.m_Move.Emplace();
  move.m_nDirection = static_cast<std::uint8_t>(code);
  return command;
}

cEdFlow TenCommands() {
  cEdCmd status = Command(kCmdStatus, 0);
  status.m_vParams[0] = 0;  // the character's variable 1 += 1
  status.m_vParams[2] = 1;
  status.m_vParams[5] = 1;
  status.m_vParams[7] = 1;
  cEdCmd turn = Command(kCmdFacing, 1);
  turn.m_vParams[0] = 1;
  cEdCmd circle = Move(kCmdCircleMove, 1, 2);
  circle.m_Move->m_nTargetXBl = 1;     // period
  circle.m_Move->m_nTargetXDot = 360;  // one full turn
  cEdFlow flow;
  flow.m_vCmds = {Move(kCmdStraightMove, 2, 2), Command(kCmdWait, 1), status, Move(kCmdStraightMove, 2, 3),
                  Command(kCmdWait, 1), turn, circle, Command(kCmdWait, 1),
                  Command(kCmdStopMove, 0), Command(kCmdWait, 1)};
  return flow;
}

cEdStage MakeStage() {
  cEdStage stage;
  stage.Width = 20;
  stage.Height = 15;
  stage.SpeedLevel = 1;
  stage.SetSpeedLevel(1);
  stage.IntroSwitch1 = stage.IntroSwitch2 = 0;
  cEdChara hero;
  hero.m_nOperator = kOperatorPlayer;
  hero.m_nGraphicNo = 1;
  hero.m_nColumn = 1;
  hero.m_nRow = 13;
  stage.m_vChara.push_back(hero);
  for (int i = 0; i < kCharas; ++i) {
    cEdChara chara;
    chara.m_nGraphicNo = 1;
    chara.m_nColumn = static_cast<std::int16_t>(2 + i % 17);
    chara.m_nRow = static_cast<std::int16_t>(1 + i / 17 % 12);
    chara.m_nFaction = 1;
    chara.m_nFlight = 1;
    chara.m_bTurnByCmd = 1;
    chara.m_vFlows = {TenCommands()};
    stage.m_vChara.push_back(chara);
  }
  return stage;
}

std::uint64_t RunFrames(const cEdStage& stage, int frames, double* travelled = nullptr) {
  cStageHarness harness;
  harness.UseStage(stage);
  harness.Begin(5);
  double distance = 0;
  for (int frame = 0; frame < frames; ++frame) {
    std::vector<double> before;
    g_CharaList.ForEach([&](cStageChara& chara) { before.push_back(chara.x + chara.y); });
    harness.Step(0, 0);
    std::size_t i = 0;
    g_CharaList.ForEach([&](cStageChara& chara) {
      if (i < before.size()) distance += std::fabs(chara.x + chara.y - before[i++]);
    });
  }
  if (travelled != nullptr) *travelled = distance;
  return harness.Hash();
}

void FlowFrames(benchmark::State& state) {
  const cEdStage stage = MakeStage();
  double travelled = 0;
  if (RunFrames(stage, 100, &travelled) != RunFrames(stage, 100)) {
    state.SkipWithError("two runs of one seed differ");
    return;
  }
  if (travelled < kCharas * 10.0) {
    state.SkipWithError("the characters did not move");
    return;
  }
  cStageHarness harness;
  harness.UseStage(stage);
  harness.Begin(5);
  for (auto _ : state) {
    harness.Step(0, 0);
    if (harness.Scene().Phase() != kPhasePlay) harness.Scene().SetPhase(kPhasePlay);
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["characters"] = static_cast<double>(g_CharaList.Count());
}
BENCHMARK(FlowFrames)->Repetitions(5)->ReportAggregatesOnly(true);

void ReadFloor(benchmark::State& state) { ReadLinePerObjectFloor(state, kCharas, sizeof(cStageChara)); }
BENCHMARK(ReadFloor)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  return RunHeadlessBenchmarks(argc, argv, [] {
    InstallCommands();
    BuildParamTable();
  });
}
