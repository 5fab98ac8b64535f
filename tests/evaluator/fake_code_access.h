#pragma once
// The evaluator's view of the game over plain arrays: characters with their
// 22 statuses and four target slots, the hero, the variables and the system
// statuses, with a log of every after-effect and gauge the evaluator asked
// for. Shared by the evaluator's tests, its fuzz target and its benchmark.

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "evaluator/code_access.h"

struct FakeChara {
  std::array<std::int32_t, 22> stats{};
  std::array<FakeChara*, 4> targets{};
  bool ignoresSight = false;
  std::vector<std::int32_t> hpGauges, spGauges, viewRanges;

  FakeChara() {
    stats[8] = stats[10] = 500;  // hp, mhp
    stats[9] = stats[11] = 50;   // sp, msp
  }
  cChara* handle() { return reinterpret_cast<cChara*>(this); }
  static FakeChara& Of(cChara* chara) { return *reinterpret_cast<FakeChara*>(chara); }
};

class FakeCodeAccess : public CodeAccess {
 public:
  std::vector<std::int32_t> common = std::vector<std::int32_t>(1001);
  std::vector<std::int32_t> stage = std::vector<std::int32_t>(1001);
  std::array<std::int32_t, 5> sys{};
  FakeChara* hero = nullptr;
  bool livesReadAsZero = false;
  int hpChecks = 0;
  std::vector<std::pair<int, std::int32_t>> scrollRestarts;

  cChara* Target(cChara* chara, int slot) override {
    FakeChara* target = FakeChara::Of(chara).targets[static_cast<std::size_t>(slot - 1)];
    return target ? target->handle() : nullptr;
  }
  cChara* Hero() override { return hero ? hero->handle() : nullptr; }
  int VariableCount(CodeValueKind kind) override {
    return static_cast<int>(kind == CodeValueKind::CommonVar ? common.size() : stage.size());
  }
  std::int32_t Read(cChara* owner, CodeValueKind kind, int index) override { return Slot(owner, kind, index); }
  void Write(cChara* owner, CodeValueKind kind, int index, std::int32_t value) override {
    Slot(owner, kind, index) = value;
  }
  bool UnlimitedLivesReadAsZero() override { return livesReadAsZero; }
  void RequestHpCheck() override { ++hpChecks; }
  bool IgnoresSight(cChara* chara) override { return FakeChara::Of(chara).ignoresSight; }
  void SetViewRange(cChara* chara, std::int32_t halfBlocks) override {
    FakeChara::Of(chara).viewRanges.push_back(halfBlocks);
  }
  void RestartScroll(int axis, std::int32_t speed) override { scrollRestarts.emplace_back(axis, speed); }
  void StartHpGauge(cChara* chara, std::int32_t change) override { FakeChara::Of(chara).hpGauges.push_back(change); }
  void StartSpGauge(cChara* chara, std::int32_t change) override { FakeChara::Of(chara).spGauges.push_back(change); }

 private:
  std::int32_t& Slot(cChara* owner, CodeValueKind kind, int index) {
    const auto at = static_cast<std::size_t>(index);
    switch (kind) {
      case CodeValueKind::CommonVar: return common.at(at);
      case CodeValueKind::StageVar: return stage.at(at);
      case CodeValueKind::CharaStat: return FakeChara::Of(owner).stats.at(at);
      case CodeValueKind::SysStat: return sys.at(at);
    }
    return sys.at(0);
  }
};
