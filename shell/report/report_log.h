#pragma once
// The head of the report log that every run writes, the player's and the
// headless harness's alike: the version line "App : ver 878", then the
// system report, in a log emptied once the file is the run's own.

#include <filesystem>
#include <system_error>

// When the file becomes the run's own: at once (the harness, which has its
// game folder to itself), or once the player holds the instance lock
// (TakeReportFile, foundation/log.h). Until then a running player may still
// be writing it: the file is only checked and its lines wait in memory.
enum class ReportFileTaken { AtOnce, OnceLockHeld };

// False when the log cannot be opened; then `failure`, when given, holds the
// system's reason.
bool StartReportLog(const std::filesystem::path& file, ReportFileTaken taken,
                    std::error_code* failure = nullptr);
