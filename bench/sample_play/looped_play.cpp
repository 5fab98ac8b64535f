#include "bench/sample_play/looped_play.h"

#include <set>
#include <utility>

#include "definitions/save_data/save_data.h"
#include "foundation/record.h"
#include "shell/game/game.h"

namespace {

constexpr std::uint32_t kSeed = 2026;
constexpr int kMaxLeadIn = 1000;  // frames of fade-in and intro at most

}  // namespace

std::optional<cEdStage> LoadStageRecord(const std::string& name) {
  cEdStage record;
  if (LoadFile(record, name + "_000") != 1) return std::nullopt;
  return record;
}

LoopedPlay::LoopedPlay(const cEdStage& record, const std::vector<sample_game::ScriptFrame>& frames, AttemptHooks hooks)
    : m_record(record), m_frames(frames), m_hooks(std::move(hooks)) {
  Restart();
}

void LoopedPlay::Restart() {
  g_Game.m_nTitleCmd = 0;
  g_Game.m_nPlayMode = PM_FREE;
  g_SaveData = cSaveData();
  g_SaveData.m_nLife = 3;
  m_harness.ClearRecords();
  m_harness.UseStage(m_record);
  m_harness.Begin(kSeed, kPhaseStart);
  for (int frame = 0; frame < kMaxLeadIn && m_harness.Scene().Phase() != kPhasePlay; ++frame) m_harness.Step(0, 0);
  if (m_hooks.atPlayStart) m_hooks.atPlayStart(m_harness);
  m_next = 0;
}

bool LoopedPlay::Step() {
  const sample_game::ScriptFrame& frame = m_frames[m_next++];
  if (m_hooks.beforeFrame) m_hooks.beforeFrame(m_harness);
  m_harness.Step(frame.dir, frame.buttons);
  return m_next < m_frames.size() && m_harness.Scene().Phase() == kPhasePlay;
}

std::vector<std::uint64_t> LoopedPlay::PlayAttempt() {
  Restart();
  std::vector<std::uint64_t> hashes;
  bool going = true;
  while (going) {
    going = Step();
    hashes.push_back(m_harness.Hash());
  }
  return hashes;
}

std::string CheckAttempts(LoopedPlay& play, std::size_t checkedFrame) {
  const std::vector<std::uint64_t> first = play.PlayAttempt();
  if (first.size() < checkedFrame + 1) return "the attempt ends at once";
  if (first != play.PlayAttempt()) return "two runs of the script hash differently";
  if (std::set<std::uint64_t>(first.begin(), first.end()).size() < first.size() / 2) return "the stage hardly moves";
  return {};
}

void TimeFrames(benchmark::State& state, LoopedPlay& play) {
  play.Restart();
  for (auto _ : state) {
    if (!play.Step()) {
      state.PauseTiming();
      play.Restart();
      state.ResumeTiming();
    }
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
