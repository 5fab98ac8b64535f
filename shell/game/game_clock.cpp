#include "shell/game/game_clock.h"

#include <mutex>

#include "foundation/thread.h"
#include "platform/clock.h"

namespace {
std::mutex g_clockMutex;
GameClock g_clock;

GameClock Current() {
  std::lock_guard lock(g_clockMutex);
  return g_clock;
}
}  // namespace

std::uint32_t GameNowMs() {
  const GameClock clock = Current();
  return clock.now ? clock.now() : platform::NowMs();
}

bool GameSleepMs(std::uint32_t milliseconds) {
  const GameClock clock = Current();
  if (!clock.sleep) return cThread::Sleep(milliseconds);
  clock.sleep(milliseconds);
  return !cThread::StopRequested();
}

void SetGameClock(GameClock clock) {
  std::lock_guard lock(g_clockMutex);
  g_clock = std::move(clock);
}

GameClock cManualClock::AsGameClock() {
  return {[this] { return Now(); }, [this](std::uint32_t milliseconds) { Advance(milliseconds); }};
}
