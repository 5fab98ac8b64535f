#include "tests/tools/report_lines.h"

#include <fstream>
#include <sstream>

#include "sound/midi/sound_font_report.h"

namespace sample_game_test {

std::string ReportOf(const std::filesystem::path& folder) { return ReportFrom(folder, 0); }

std::uintmax_t ReportLength(const std::filesystem::path& folder) {
  return std::filesystem::file_size(folder / "Report_Game.txt");
}

std::string ReportFrom(const std::filesystem::path& folder, std::uintmax_t offset) {
  std::ifstream in(folder / "Report_Game.txt", std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool HasSoundFontLine(const std::string& report) { return WithoutSoundFontLine(report) != report; }

std::string WithoutSoundFontLine(const std::string& report) {
  std::istringstream in(report);
  std::string kept;
  for (std::string line; std::getline(in, line);)
    if (!IsSoundFontLine(line)) kept += line + "\n";
  return kept;
}

// The log is UTF-8; these are the signs its failure lines carry.
std::vector<std::string> FailureLines(const std::string& report) {
  std::vector<std::string> lines;
  std::istringstream in(report);
  for (std::string line; std::getline(in, line);)
    for (const char* sign : {"失敗", "Err", "err ", "できません", "不正", "cannot run"})
      if (line.find(sign) != std::string::npos) {
        lines.push_back(line);
        break;
      }
  return lines;
}

}  // namespace sample_game_test
