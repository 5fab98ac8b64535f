// HP and SP with their gauges. Sums and the gauge's n x 50 are taken in 64
// bits: a command may add any 32-bit value to a full bar.
#include <algorithm>
#include <cstdint>

#include "stage/chara/chara.h"

namespace {

// A gain limited to max - value (in 64 bits).
std::int64_t LimitGain(std::int32_t value, std::int64_t n, std::int32_t max) {
  return n > 0 ? std::min<std::int64_t>(n, std::int64_t{max} - value) : n;
}

// value + n clamped to 0..max.
std::int32_t AddClamped(std::int32_t value, std::int64_t n, std::int32_t max) {
  const std::int64_t sum = std::int64_t{value} + n;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, 0, std::max<std::int32_t>(max, 0)));
}

void StartGauge(Gauge& gauge, std::int32_t value, std::int32_t max, std::int64_t n) {
  if (n == 0 || max <= 0) return;
  gauge.timer = 120;
  gauge.bar = static_cast<std::int32_t>(std::int64_t{value} * 50 / max);
  gauge.change = static_cast<double>(n * 50) / max;
  gauge.step = gauge.change / 60;
}

}  // namespace

int cChara::AddHp(int n, int force, int showGauge) {
  if (!force && n <= 0 && def.m_nInvincible != 0) return 0;
  const std::int64_t change = LimitGain(hp, n, def.m_nMaxHp);
  hp = AddClamped(hp, change, def.m_nMaxHp);
  if (hp < 1) {
    hp = 0;
    return 1;
  }
  if (showGauge) StartGauge(hpGauge, hp, def.m_nMaxHp, change);
  return 0;
}

void cChara::StartHpGauge(int n) { StartGauge(hpGauge, hp, def.m_nMaxHp, n); }

int cChara::AddSp(int n, int showGauge) {
  const std::int64_t change = LimitGain(sp, n, def.m_nMaxSp);
  sp = AddClamped(sp, change, def.m_nMaxSp);
  if (def.m_nMaxSp < 1) return 1;
  if (showGauge) StartGauge(spGauge, sp, def.m_nMaxSp, change);
  return 0;
}

void cChara::StartSpGauge(int n) { StartGauge(spGauge, sp, def.m_nMaxSp, n); }
