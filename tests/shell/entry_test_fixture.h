#pragma once
// The player's entry run in the test process, in a game folder of the test's
// own: the fixture of the in-process entry cases and of those that start the
// player program beside it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/clock.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "shell/entry.h"
#include "shell/game/game.h"
#include "shell/game_thread.h"
#include "tests/shell/prepared_game.h"

// Runs the player in a folder of its own, with its lock in that folder.
class EntryTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("entry_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    WritePreparedGame(dir_);
    oldDir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    platform::ResetMainThreadState();
    platform::TakeHeadlessBoxes();
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  }
  void TearDown() override {
    // The closes and terminations raised here end no later test's dialogs.
    platform::ResetMainThreadState();
    SetGameFrameStep(nullptr);
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    std::filesystem::current_path(oldDir_);
    std::filesystem::remove_all(dir_);
  }

  // Runs the player until its game thread raises the close request on the
  // first frame, once every question of the start has been asked.
  int RunAndClose(platform::CloseReason reason) {
    std::atomic<bool> raised{false};
    SetGameFrameStep([&raised, reason] {
      if (!raised.exchange(true)) platform::RequestClose(reason);
      platform::SleepMs(1);
      return 1;
    });
    return RunPlayer();
  }

  static std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string Report() const { return ReadFile(dir_ / "Report_Game.txt"); }

  std::filesystem::path dir_, oldDir_;
};
