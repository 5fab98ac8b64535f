#pragma once
// The player's report log of a game folder, and its lines that tell of
// something that went wrong.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sample_game_test {

std::string ReportOf(const std::filesystem::path& folder);
// The log's length now, and what was written to it from such a length on:
// the lines a stretch of play added.
std::uintmax_t ReportLength(const std::filesystem::path& folder);
std::string ReportFrom(const std::filesystem::path& folder, std::uintmax_t offset);
// The line that tells the MIDI sound font in use (or that there is none)
// is written once the synthesiser has loaded beside the game, at no fixed
// frame: a stretch of play may hold it or not.
bool HasSoundFontLine(const std::string& report);
std::string WithoutSoundFontLine(const std::string& report);
std::vector<std::string> FailureLines(const std::string& report);

}  // namespace sample_game_test
