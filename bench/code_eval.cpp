// Speed of the code evaluator: ExecCode on a 300-byte text with groups,
// rand and ten assignments, for a character with a target, over the plain
// arrays of the tests' fake game (so only the evaluator is timed). The
// target is 100,000 runs per second on one core. The reference is the
// least any rewriting evaluator does: copying the text once.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "evaluator/code_evaluator.h"
#include "foundation/text_format.h"
#include "tests/evaluator/fake_code_access.h"

namespace {

std::string CodeText() {
  std::string text =
      "v1 = rand(1, 6)\n"
      "v2 = (v1 + 3) * 2\n"
      "v3 = v2 % 5 + (v1 * (v2 - 1))\n"
      "C1 = C1 + 1\n"
      "S2 = (C1 * 3) - rand(0, 9)\n"
      "tg.v1 = tg.v1 + my.power - (tg.def / 4)\n"
      "hp = hp - (v3 / 2) + rand(0, 3)\n"
      "v4 = (v1 + (v2 * 3)) - 7 * v3\n"
      "v5 = 1000 / (v1 + 1) + (C1 % 7)\n"
      "score = score + 10 * (v1 + 1)\n";
  text.resize(300, ' ');
  return text;
}

void BM_ExecCode(benchmark::State& state) {
  FakeCodeAccess game;
  FakeChara me, target;
  me.targets[0] = &target;
  const std::string text = CodeText();
  SeedRand(1);
  if (ExecCode(game, text, me.handle()) != 1 || game.common[1] != 1) {
    state.SkipWithError("the benchmark text does not run cleanly");
    return;
  }
  for (auto _ : state) {
    me.hpGauges.clear();
    me.stats[8] = 500;
    benchmark::DoNotOptimize(ExecCode(game, text, me.handle()));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExecCode);

void BM_CopyText(benchmark::State& state) {
  const std::string text = CodeText();
  char copy[300];
  for (auto _ : state) {
    std::memcpy(copy, text.data(), sizeof copy);
    benchmark::DoNotOptimize(copy);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopyText);

}  // namespace

BENCHMARK_MAIN();
