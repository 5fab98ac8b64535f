#pragma once
// A report log of the test's own in a fresh temporary folder, for tests that
// count the lines a run writes; the folder goes with the object.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "foundation/log.h"

class ScratchReport {
 public:
  ScratchReport() {
    std::string pattern = (std::filesystem::temp_directory_path() / "player_report_XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
    opened_ = !folder_.empty() && InitReport(folder_ / "Report_Game.txt") == 1;
  }
  ~ScratchReport() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  ScratchReport(const ScratchReport&) = delete;
  ScratchReport& operator=(const ScratchReport&) = delete;

  bool Opened() const { return opened_; }
  // How many lines of the report hold `piece`.
  int LinesWith(std::string_view piece) const {
    std::ifstream in(folder_ / "Report_Game.txt", std::ios::binary);
    int count = 0;
    for (std::string line; std::getline(in, line);)
      if (line.find(piece) != std::string::npos) ++count;
    return count;
  }

 private:
  std::filesystem::path folder_;
  bool opened_ = false;
};
