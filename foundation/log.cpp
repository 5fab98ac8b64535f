#include "foundation/log.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/main_thread.h"
#include "platform/text_encoding.h"

namespace {

std::mutex g_logMutex;  // guards the paths and every file write
std::filesystem::path g_reportPath;
std::filesystem::path g_debugLogPath;
bool g_debugLog = false;
bool g_debugLogStarted = false;
std::future<std::string> g_pendingReportLine;
// The lines reported while the file is not yet ours (InitHeldReport).
std::optional<std::vector<std::string>> g_heldReportLines;
// The lines ReportAndLogOnce has said since the report log was opened.
std::set<std::string> g_linesSaidOnce;
constexpr std::size_t kMostLinesSaidOnce = 1000;

// True the first time the line is asked about (of the first lines).
bool FirstTimeSaid(const std::string& line) {
  std::lock_guard lock(g_logMutex);
  if (g_linesSaidOnce.size() >= kMostLinesSaidOnce) return false;
  return g_linesSaidOnce.insert(line).second;
}

// Writes the CP932 line as UTF-8 plus a line feed; false when the file does
// not open.
bool WriteLine(const std::filesystem::path& path, const char* mode, std::string_view line, bool seekEnd) {
  std::FILE* file = std::fopen(path.c_str(), mode);
  if (!file) return false;
  if (seekEnd) std::fseek(file, 0, SEEK_END);
  std::string utf8 = platform::Utf8FromCp932(line);
  utf8 += '\n';
  std::fwrite(utf8.data(), 1, utf8.size(), file);
  std::fclose(file);
  return true;
}

// Under g_logMutex.
bool AppendReportLineLocked(std::string_view line) {
  if (g_reportPath.empty()) return false;
  if (g_heldReportLines) {
    g_heldReportLines->emplace_back(line);
    return true;
  }
  // "r+" rather than "a": a report file that was removed is not created again.
  return WriteLine(g_reportPath, "r+b", line, true);
}

// The line given to ReportWhenKnown, once known; under g_logMutex.
void WritePendingReportLineLocked() {
  if (g_pendingReportLine.valid()) AppendReportLineLocked(g_pendingReportLine.get());
}

bool AppendReportLine(std::string_view line) {
  std::lock_guard lock(g_logMutex);
  WritePendingReportLineLocked();
  return AppendReportLineLocked(line);
}

// The report line, then the debug log and the box; when the report file
// cannot be opened nothing else sees the line.
int ReportEverywhere(std::string_view line, bool showBox) {
  if (!AppendReportLine(line)) return 0;
  DebugLog(line);
  if (showBox) ErrorBox(line);
  return 1;
}

// Opens the report file with `mode` to see that it can be written, keeps its
// absolute path, and holds the lines from now on or not.
int StartReport(const std::filesystem::path& path, const char* mode, bool hold, std::error_code* failure) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) {
    if (failure) *failure = error;
    return 0;
  }
  std::lock_guard lock(g_logMutex);
  WritePendingReportLineLocked();
  g_reportPath.clear();
  g_heldReportLines.reset();
  g_linesSaidOnce.clear();
  std::FILE* file = std::fopen(absolute.c_str(), mode);
  if (!file) {
    if (failure) *failure = std::error_code(errno, std::generic_category());
    return 0;
  }
  std::fclose(file);
  g_reportPath = absolute;
  if (hold) g_heldReportLines.emplace();
  return 1;
}

}  // namespace

int InitReport(const std::filesystem::path& path, std::error_code* failure) {
  return StartReport(path, "wb", false, failure);
}

int InitHeldReport(const std::filesystem::path& path, std::error_code* failure) {
  return StartReport(path, "ab", true, failure);
}

void TakeReportFile() {
  std::lock_guard lock(g_logMutex);
  if (!g_heldReportLines) return;
  WritePendingReportLineLocked();
  std::vector<std::string> lines = std::move(*g_heldReportLines);
  g_heldReportLines.reset();
  if (std::FILE* file = std::fopen(g_reportPath.c_str(), "wb")) std::fclose(file);
  for (const std::string& line : lines) AppendReportLineLocked(line);
}

int Report(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string line = FormatV(format, args);
  va_end(args);
  return AppendReportLine(line) ? 1 : 0;
}

void ReportLastLine(std::string_view line) {
  constexpr auto kLongestWait = std::chrono::seconds(1);
  const auto until = std::chrono::steady_clock::now() + kLongestWait;
  std::unique_lock lock(g_logMutex, std::defer_lock);
  while (!lock.try_lock() && std::chrono::steady_clock::now() < until)
    platform::SleepMs(1);
  // Without the lock the line worked out is the stuck thread's to write.
  if (lock.owns_lock() && g_pendingReportLine.valid() &&
      g_pendingReportLine.wait_until(until) == std::future_status::ready)
    AppendReportLineLocked(g_pendingReportLine.get());
  AppendReportLineLocked(line);
}

void ReportWhenKnown(std::future<std::string> line) {
  std::lock_guard lock(g_logMutex);
  WritePendingReportLineLocked();
  g_pendingReportLine = std::move(line);
}

void WritePendingReportLine() {
  std::lock_guard lock(g_logMutex);
  WritePendingReportLineLocked();
}

int ReportAndLog(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string line = FormatV(format, args);
  va_end(args);
  return ReportEverywhere(line, false);
}

int ReportAndLogOnce(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string line = FormatV(format, args);
  va_end(args);
  return FirstTimeSaid(line) ? ReportEverywhere(line, false) : 1;
}

int ReportAndBox(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string line = FormatV(format, args);
  va_end(args);
  return ReportEverywhere(line, true);
}

const std::filesystem::path& InitDebugLog(int enabled, const std::filesystem::path& fileName) {
  std::lock_guard lock(g_logMutex);
  g_debugLog = enabled != 0;
  g_debugLogPath = fileName;
  g_debugLogStarted = false;
  return g_debugLogPath;
}

bool DebugLogEnabled() {
  std::lock_guard lock(g_logMutex);
  return g_debugLog;
}

void DebugLog(std::string_view text) {
  std::lock_guard lock(g_logMutex);
  if (!g_debugLog) return;
  if (!g_debugLogStarted) {
    // The first line of the run replaces what an earlier run left.
    WriteLine(g_debugLogPath, "wb", text, false);
    g_debugLogStarted = true;
  } else {
    WriteLine(g_debugLogPath, "ab", text, false);
  }
}

void DebugLogText(std::string_view text) { DebugLog(text); }

void DebugLogF(const char* format, ...) {
  if (!DebugLogEnabled()) return;
  va_list args;
  va_start(args, format);
  std::string line = FormatV(format, args);
  va_end(args);
  DebugLog(line);
}

bool DebugLogAndClose(const char* format, ...) {
  if (DebugLogEnabled()) {
    va_list args;
    va_start(args, format);
    std::string line = FormatV(format, args);
    va_end(args);
    DebugLog(line);
  }
  platform::RequestClose();
  return true;
}

int DebugBoxF(const char* format, ...) {
  if (!DebugLogEnabled()) return 0;
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  return ErrorBox(text);
}

bool OutOfMemory() {
  ErrorBox(Cp932Literal("メモリが不足しています！"));
  platform::RequestClose();
  return true;
}
