#pragma once
// What a player must do once its display has gone away: end soon with
// status 1, never by a signal, saying which display it lost.

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

}  // namespace desktop_test
