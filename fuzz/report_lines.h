#pragma once
// Whatever the bytes, a load reports a file in one line at most: its damage,
// or that it holds records with fewer members. The fuzz run keeps a report
// file of its own for this check.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/log.h"

// Empties the report when made; when it ends, aborts if more than one line
// names the file (its stored name in quotes).
class AtMostOneReportLine {
 public:
  explicit AtMostOneReportLine(std::string storedName) : quoted_("\"" + std::move(storedName) + "\"") {
    InitReport(Path());
  }
  ~AtMostOneReportLine() {
    std::ifstream report(Path());
    int lines = 0;
    for (std::string line; std::getline(report, line);)
      if (line.find(quoted_) != std::string::npos) ++lines;
    if (lines > 1) std::abort();
  }
  AtMostOneReportLine(const AtMostOneReportLine&) = delete;
  AtMostOneReportLine& operator=(const AtMostOneReportLine&) = delete;

 private:
  // The process's report file, removed when the process ends.
  static const std::filesystem::path& Path() {
    struct ReportFile {
      std::filesystem::path path =
          std::filesystem::temp_directory_path() / ("fuzz_report_" + std::to_string(::getpid()) + ".txt");
      ~ReportFile() {
        std::error_code error;
        std::filesystem::remove(path, error);
      }
    };
    static const ReportFile file;
    return file.path;
  }

  std::string quoted_;
};
