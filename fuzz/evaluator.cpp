// Runs arbitrary code texts for a character with two targets and a hero.
// The first input byte sets the scene (which slots are filled, whether there
// is a hero, whether lives are unlimited), the rest is the text. Whatever
// the text, evaluation must end, never leave a status or variable outside
// its range, and report success only without an error.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "evaluator/code_evaluator.h"
#include "evaluator/code_tables.h"
#include "platform/backend.h"
#include "platform/message_box.h"
#include "tests/evaluator/fake_code_access.h"

namespace {

void CheckRange(std::int32_t value, std::int32_t min, std::int32_t max) {
  if (value < min || value > max) std::abort();
}

void CheckChara(const FakeChara& chara) {
  for (std::size_t i = 0; i < chara.stats.size(); ++i) {
    const CodeStatus& row = g_CodeCharaStats[i];
    CheckRange(chara.stats[i], row.min, row.max);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool started = [] {
    platform::SelectBackend(platform::Backend::Headless);
    return true;
  }();
  (void)started;
  if (size == 0) return 0;
  const std::uint8_t scene = data[0];

  FakeCodeAccess game;
  FakeChara me, first, second, hero;
  if (scene & 1) me.targets[0] = &first;
  if (scene & 2) me.targets[1] = &second;
  if (scene & 4) me.targets[3] = &me;
  if (scene & 8) game.hero = &hero;
  game.sys = {300, 0, 0, 1000, (scene & 16) ? kUnlimitedLives : 3};
  game.livesReadAsZero = (scene & 32) != 0;

  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const int result = ExecCode(game, text, me.handle());
  platform::TakeHeadlessBoxes();
  if (result != (g_CodeError ? 0 : 1)) std::abort();

  for (const FakeChara* chara : {&me, &first, &second, &hero}) CheckChara(*chara);
  for (const std::int32_t value : game.common) CheckRange(value, kCodeMin, kCodeMax);
  for (const std::int32_t value : game.stage) CheckRange(value, kCodeMin, kCodeMax);
  for (std::size_t i = 0; i + 1 < game.sys.size(); ++i)
    CheckRange(game.sys[i], g_CodeSysStats[i].min, g_CodeSysStats[i].max);
  if ((scene & 16) && game.sys[kCodeSysLife] != kUnlimitedLives) std::abort();
  if (!(scene & 16)) CheckRange(game.sys[kCodeSysLife], 0, 99);
  return 0;
}
