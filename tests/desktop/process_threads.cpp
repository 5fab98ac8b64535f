#include "tests/desktop/process_threads.h"

#include <sched.h>

#include <cerrno>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace desktop_test {
namespace {

// The nice value is the 19th field of a thread's stat line; the fields are
// counted from the state, the 3rd, which follows the name in parentheses
// (a name may hold spaces and parentheses itself).
constexpr int kNiceAfterState = 19 - 3;

std::string FirstLineOf(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

// Nothing for a thread that ended since the listing.
std::optional<ProcessThread> ThreadAt(const fs::path& folder) {
  const std::string line = FirstLineOf(folder / "stat");
  const std::size_t open = line.find('('), close = line.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return std::nullopt;
  ProcessThread thread;
  thread.id = pid_t(std::stol(line.substr(0, open)));
  thread.name = line.substr(open + 1, close - open - 1);
  std::istringstream fields(line.substr(close + 1));
  std::string field;
  for (int i = 0; i <= kNiceAfterState && fields >> field; ++i) {
    if (i == 0) thread.state = field[0];
    if (i == kNiceAfterState) thread.nice = std::stoi(field);
  }
  thread.waitChannel = FirstLineOf(folder / "wchan");
  return thread;
}

cpu_set_t Only(int processor) {
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(processor, &set);
  return set;
}

}  // namespace

std::vector<ProcessThread> ThreadsOf(pid_t pid) {
  std::vector<ProcessThread> threads;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error))
    if (const std::optional<ProcessThread> thread = ThreadAt(entry.path())) threads.push_back(*thread);
  return threads;
}

std::string DescribeThreads(pid_t pid) {
  std::string text = "the threads of process " + std::to_string(pid) + ":\n";
  for (const ProcessThread& thread : ThreadsOf(pid))
    text += "  " + std::to_string(thread.id) + " " + thread.name + " " + thread.state + " nice " +
            std::to_string(thread.nice) + " in " + thread.waitChannel + "\n";
  return text;
}

bool BindThreadsTo(pid_t pid, int processor) {
  const cpu_set_t set = Only(processor);
  bool bound = true;
  for (const ProcessThread& thread : ThreadsOf(pid))
    // A thread that ended since the listing needs no binding.
    if (thread.state != 'Z' && ::sched_setaffinity(thread.id, sizeof set, &set) != 0 && errno != ESRCH) bound = false;
  return bound;
}

int LastOwnProcessor() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) != 0) return 0;
  int last = 0;
  for (int processor = 0; processor < CPU_SETSIZE; ++processor)
    if (CPU_ISSET(processor, &set)) last = processor;
  return last;
}

BusyProcessor::BusyProcessor(int processor)
    : spinner_([this, processor] {
        const cpu_set_t set = Only(processor);
        ::sched_setaffinity(0, sizeof set, &set);
        while (!stop_.load(std::memory_order_relaxed)) {
        }
      }) {}

BusyProcessor::~BusyProcessor() {
  stop_ = true;
  spinner_.join();
}

}  // namespace desktop_test
