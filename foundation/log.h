#pragma once
// The report log "Report_Game.txt" (always on) and the debug log "EC_Game.txt"
// (off unless switched on), the boxes that often go with them, and the fatal
// path: write the text, maybe show it, then ask the main thread to close.
// Texts are CP932 bytes; the files are written as UTF-8. Every write opens,
// appends and closes, so a crash loses nothing that was written. Any thread
// may log; lines of different threads never mix within a line.

#include <filesystem>
#include <future>
#include <string>
#include <string_view>
#include <system_error>

#include "foundation/message_box.h"
#include "foundation/text_format.h"

// Empties the report file (created if missing) and keeps its absolute path.
// 0 when the file cannot be created; then `failure`, when given, holds the
// system's reason.
int InitReport(const std::filesystem::path& path, std::error_code* failure = nullptr);
// As InitReport, but the file is only made when missing and otherwise left
// as it is (another run may still be writing it): the lines reported from
// now on are held in memory until TakeReportFile, and dropped when it never
// comes.
int InitHeldReport(const std::filesystem::path& path, std::error_code* failure = nullptr);
// Empties the report file and writes the held lines into it; from then on
// lines go straight to the file. Nothing when no lines are held.
void TakeReportFile();
// Appends one line to the report file; 0 when it cannot be opened (also when
// it was removed after InitReport).
int Report(const char* format, ...) PLAYER_PRINTF(1, 2);
// A report line whose text another thread is still working out (a slow
// lookup), kept in its place: the next line reported, from any thread, first
// waits for it and writes it, so the report reads in the order of the calls.
// The work must not report anything itself.
void ReportWhenKnown(std::future<std::string> line);
// Writes a line given to ReportWhenKnown now, waiting for it if need be.
void WritePendingReportLine();
// The last line of a process that ends at once, without its close (a lost
// display). It waits a moment for a line that another thread is writing or
// still working out, but never for good: a thread that holds the log that
// long is stuck, and the line is written beside it.
void ReportLastLine(std::string_view line);
// Report, and the same line to the debug log.
int ReportAndLog(const char* format, ...) PLAYER_PRINTF(1, 2);
// ReportAndLog for a fault in the game's data that the game plays on through:
// a loop that meets the fault on every frame would write its line again and
// again, so a line is written only the first time since the report log was
// opened (of the first 1000 different lines; lines past those are dropped).
int ReportAndLogOnce(const char* format, ...) PLAYER_PRINTF(1, 2);
// ReportAndLog, then the line in an error box.
int ReportAndBox(const char* format, ...) PLAYER_PRINTF(1, 2);

// Sets the debug-log switch and file; returns the stored file name. The first
// line written in a run empties the file, later lines are appended.
const std::filesystem::path& InitDebugLog(int enabled, const std::filesystem::path& fileName);
bool DebugLogEnabled();
void DebugLog(std::string_view text);
void DebugLogText(std::string_view text);
void DebugLogF(const char* format, ...) PLAYER_PRINTF(1, 2);
// DebugLogF, then the close request, also when the debug log is off.
bool DebugLogAndClose(const char* format, ...) PLAYER_PRINTF(1, 2);

// ErrorBoxF, only while the debug log is on (else 0).
int DebugBoxF(const char* format, ...) PLAYER_PRINTF(1, 2);
// Shows "メモリが不足しています！" and asks the main thread to close.
bool OutOfMemory();
