#include "tests/support/spawned_program.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/clock.h"

extern char** environ;

namespace {

std::vector<std::string> Environment(const SpawnedProgram::Setup& setup) {
  std::map<std::string, std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text(*entry);
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto& [name, value] : setup.environment) {
    if (value)
      variables[name] = *value;
    else
      variables.erase(name);
  }
  std::vector<std::string> result;
  for (const auto& [name, value] : variables) result.push_back(name + "=" + value);
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

std::filesystem::path FreshStderrFile() {
  static std::atomic<int> count{0};
  return std::filesystem::temp_directory_path() /
         ("spawned_" + std::to_string(::getpid()) + "_" + std::to_string(count++) + ".stderr");
}

}  // namespace

std::string OptionsWith(const char* variable, const char* option) {
  const char* given = std::getenv(variable);
  return (given && *given ? std::string(given) + ":" : std::string()) + option;
}

SpawnedProgram::SpawnedProgram(const Setup& setup) : stderrFile_(FreshStderrFile()) {
  std::vector<std::string> arguments = setup.command;
  std::vector<std::string> environment = Environment(setup);
  std::vector<char*> argv = Pointers(arguments), envp = Pointers(environment);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderrFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (setup.descriptor3 >= 0) posix_spawn_file_actions_adddup2(&actions, setup.descriptor3, 3);
  if (!setup.folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, setup.folder.c_str());
  // The program starts with the signals a shell gives it, not the test's.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults, none;
  sigfillset(&defaults);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), envp.data()) == 0) pid_ = pid;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
}

SpawnedProgram::~SpawnedProgram() {
  if (pid_ > 0 && !ended_) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  std::error_code ignored;
  std::filesystem::remove(stderrFile_, ignored);
}

bool SpawnedProgram::EndsWithin(int ms) {
  if (pid_ <= 0 || ended_) return ended_;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (true) {
    if (::waitpid(pid_, &status_, WNOHANG) == pid_) return ended_ = true;
    if (std::chrono::steady_clock::now() >= until) return false;
    platform::SleepMs(5);
  }
}

std::optional<int> SpawnedProgram::ExitCode() const {
  if (!ended_ || !WIFEXITED(status_)) return std::nullopt;
  return WEXITSTATUS(status_);
}

std::optional<int> SpawnedProgram::EndingSignal() const {
  if (!ended_ || !WIFSIGNALED(status_)) return std::nullopt;
  return WTERMSIG(status_);
}

void SpawnedProgram::Signal(int signal) const {
  if (pid_ > 0 && !ended_) ::kill(pid_, signal);
}

std::string SpawnedProgram::Stderr() const {
  std::ifstream in(stderrFile_);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool ProgramInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');)
    if (!folder.empty() && ::access((std::filesystem::path(folder) / name).c_str(), X_OK) == 0) return true;
  return false;
}
