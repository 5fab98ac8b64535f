#pragma once
// The player's report log of a game folder, and its lines that tell of
// something that went wrong.

#include <filesystem>
#include <string>
#include <vector>

namespace sample_game_test {

std::string ReportOf(const std::filesystem::path& folder);
std::vector<std::string> FailureLines(const std::string& report);

}  // namespace sample_game_test
