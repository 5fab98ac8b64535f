#pragma once
// A sound server that hangs: its socket, in a runtime folder of its own,
// takes every connection and never answers, as a server stuck on a dead
// Bluetooth sink or a suspended USB card keeps its clients waiting.

#include <filesystem>
#include <thread>
#include <vector>

namespace desktop_test {

class UnansweringSoundServer {
 public:
  // Listening at <runtime folder>/pulse/native, where a client without a
  // server named looks.
  UnansweringSoundServer();
  ~UnansweringSoundServer();
  UnansweringSoundServer(const UnansweringSoundServer&) = delete;
  UnansweringSoundServer& operator=(const UnansweringSoundServer&) = delete;

  bool Listening() const { return listener_ >= 0; }
  const std::filesystem::path& RuntimeFolder() const { return runtime_; }

 private:
  std::filesystem::path runtime_;
  int listener_ = -1;
  // Takes the connections and holds them open, unanswered.
  std::thread acceptor_;
  std::vector<int> connections_;
};

}  // namespace desktop_test
