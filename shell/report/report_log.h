#pragma once
// The head of the report log that every run writes, the player's and the
// headless harness's alike: the log emptied, the version line
// "App : ver 878", then the system report.

#include <filesystem>
#include <system_error>

// False when the log cannot be opened; then `failure`, when given, holds the
// system's reason.
bool StartReportLog(const std::filesystem::path& file, std::error_code* failure = nullptr);
