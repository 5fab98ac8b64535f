#include "shell/report/report_log.h"

#include <string>

#include "foundation/log.h"
#include "foundation/record_stream.h"
#include "shell/report/system_report.h"

bool StartReportLog(const std::filesystem::path& file, ReportFileTaken taken, std::error_code* failure) {
  const int started =
      taken == ReportFileTaken::AtOnce ? InitReport(file, failure) : InitHeldReport(file, failure);
  if (!started) return false;
  Report("App : ver %s", std::to_string(kProgramDataVersion).c_str());
  WriteSystemReport();
  return true;
}
