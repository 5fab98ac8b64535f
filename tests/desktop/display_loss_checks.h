#pragma once
// What a player, or a start that asks about one, must do once its display
// has gone away: end soon with status 1, never by a signal, saying which
// display it lost; and what the next start must find: the instance lock
// went with them.

#include <filesystem>
#include <string>

#include "tests/support/spawned_program.h"

namespace desktop_test {

// How soon a program must have ended once its display went away.
inline constexpr int kEndAfterTheLossMs = 5000;

// The program ended in time, with status 1, and said on stderr which
// display it lost.
void ExpectEndedForTheLoss(SpawnedProgram& program, const std::string& display);

// The game's report log says it once, and tells of no failure.
void ExpectReportSaysTheLossOnce(const std::filesystem::path& game, const std::string& display);

// A start in the game folder made its window without asking about a player
// that runs: only a start that holds the lock writes its report log, which
// then names the video driver and the renderer of its window.
void ExpectToPlayWithoutAQuestion(SpawnedProgram& start, const std::filesystem::path& game,
                                  const std::string& videoDriver);

}  // namespace desktop_test
