#include "tests/desktop/display_loss_checks.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/desktop/desktop_waits.h"
#include "tests/support/wait_until.h"
#include "tests/tools/report_lines.h"

namespace desktop_test {
namespace {

std::string LostDisplayLine(const std::string& display) {
  return "the display connection was lost (" + display + ")";
}

}  // namespace

void ExpectEndedForTheLoss(SpawnedProgram& program, const std::string& display) {
  ASSERT_TRUE(program.EndsWithin(kEndAfterTheLossMs)) << "it runs on without its display";
  EXPECT_EQ(program.ExitCode(), 1) << "it did not end with status 1 (signal "
                                   << program.EndingSignal().value_or(0) << "): " << program.Stderr();
  EXPECT_NE(program.Stderr().find(LostDisplayLine(display)), std::string::npos) << program.Stderr();
}

void ExpectReportSaysTheLossOnce(const std::filesystem::path& game, const std::string& display) {
  const std::string line = LostDisplayLine(display) + "\n";
  const std::string report = sample_game_test::ReportOf(game);
  std::size_t said = 0;
  for (std::size_t at = report.find(line); at != std::string::npos; at = report.find(line, at + 1)) ++said;
  EXPECT_EQ(said, 1u) << report;
  EXPECT_EQ(sample_game_test::FailureLines(report), std::vector<std::string>{});
}

void ExpectToPlayWithoutAQuestion(SpawnedProgram& start, const std::filesystem::path& game,
                                  const std::string& videoDriver) {
  const std::string windowLine = ", video " + videoDriver + ", renderer ";
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    return sample_game_test::ReportOf(game).find(windowLine) != std::string::npos || start.EndsWithin(0);
  }));
  EXPECT_FALSE(start.EndsWithin(0)) << "the next start ended: " << start.Stderr();
  EXPECT_NE(sample_game_test::ReportOf(game).find(windowLine), std::string::npos)
      << "the next start did not make its window: " << start.Stderr() << sample_game_test::ReportOf(game);
}

}  // namespace desktop_test
