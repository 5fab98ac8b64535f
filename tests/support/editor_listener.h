#pragma once
// A stand-in for the editor during a test play: listens on a Unix socket,
// names it in the player's environment variable and records the notices.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

struct EditorNotice {
  std::uint32_t pid, code, value;
  bool operator==(const EditorNotice&) const = default;
};

class EditorListener {
 public:
  EditorListener();
  ~EditorListener();
  // Stops listening, clears the variable and returns the notices in order.
  std::vector<EditorNotice> Stop();

 private:
  void Serve();

  std::filesystem::path path_;
  int fd_ = -1;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::vector<EditorNotice> notices_;
  std::thread thread_;
};
