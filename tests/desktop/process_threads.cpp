#include "tests/desktop/process_threads.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace desktop_test {
namespace {

namespace fs = std::filesystem;

std::string FirstLineOf(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

// /proc/<pid>/task/<tid>/stat: the name is in parentheses and may hold
// spaces and parentheses itself, so the fields are counted from the last ')'.
bool ParseStat(const std::string& stat, ThreadState& thread) {
  const std::size_t open = stat.find('(');
  const std::size_t close = stat.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return false;
  thread.name = stat.substr(open + 1, close - open - 1);
  std::istringstream fields(stat.substr(close + 1));
  // From the third field on: state, then ppid ... priority (18), nice (19).
  fields >> thread.state;
  std::string skipped;
  for (int field = 4; field < 19; ++field) fields >> skipped;
  return static_cast<bool>(fields >> thread.nice);
}

}  // namespace

std::vector<ThreadState> ThreadsOf(pid_t pid) {
  std::vector<ThreadState> threads;
  std::error_code error;
  for (const fs::directory_entry& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    ThreadState thread;
    thread.id = static_cast<pid_t>(std::stol(task.path().filename().string()));
    // A thread that ended since the listing is left out.
    if (!ParseStat(FirstLineOf(task.path() / "stat"), thread)) continue;
    thread.waitChannel = FirstLineOf(task.path() / "wchan");
    threads.push_back(thread);
  }
  return threads;
}

std::string DescribeThreads(pid_t pid) {
  std::string text = "the threads of process " + std::to_string(pid) + ":\n";
  for (const ThreadState& thread : ThreadsOf(pid))
    text += "  " + std::to_string(thread.id) + " " + thread.name + " " + thread.state + " nice " +
            std::to_string(thread.nice) + " in " + thread.waitChannel + "\n";
  return text;
}

}  // namespace desktop_test
