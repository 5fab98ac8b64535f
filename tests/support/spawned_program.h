#pragma once
// A program run in a process of its own, as a user runs it: in a folder of
// its own, with changes to its environment, its stderr kept for the test.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// How long a test waits for a program to end, or to take a signal: a loaded
// machine only makes the wait longer, a program that hangs fails it. A
// sanitizer build's player that starts, asks and ends in half a second alone
// took over 10 s with the desktop tests beside it on two busy cores.
inline constexpr int kProgramEndWaitMs = 30000;

// The value of an options variable (ASAN_OPTIONS, ...) the test itself was
// given, with one more option after it.
std::string OptionsWith(const char* variable, const char* option);

class SpawnedProgram {
 public:
  struct Setup {
    // The program (looked up in PATH when it has no slash) and its arguments.
    std::vector<std::string> command;
    std::filesystem::path folder;
    // Variables set, or removed where the value is nullopt.
    using Environment = std::vector<std::pair<std::string, std::optional<std::string>>>;
    Environment environment;
    // A descriptor of the test's that the program gets as its descriptor 3.
    int descriptor3 = -1;
  };

  explicit SpawnedProgram(const Setup& setup);
  // A program still running is killed.
  ~SpawnedProgram();
  SpawnedProgram(const SpawnedProgram&) = delete;
  SpawnedProgram& operator=(const SpawnedProgram&) = delete;

  bool Started() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }
  // True once the program has ended, waiting at most `ms` for it.
  bool EndsWithin(int ms);
  // The exit code of a program that ended by itself; nothing while it runs
  // or when a signal ended it.
  std::optional<int> ExitCode() const;
  // The signal that ended the program; nothing while it runs or when it
  // ended by itself.
  std::optional<int> EndingSignal() const;
  void Signal(int signal) const;
  std::string Stderr() const;

 private:
  pid_t pid_ = -1;
  bool ended_ = false;
  int status_ = 0;
  std::filesystem::path stderrFile_;
};

// True when an executable of that name lies in a folder of PATH.
bool ProgramInPath(const std::string& name);
