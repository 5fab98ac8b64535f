#pragma once
// A fresh temporary folder that is the working folder while a test runs, with
// the report log inside it so that tests can read the lines written.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/log.h"

class ScratchFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "player_test_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::filesystem::current_path(folder_);
    ASSERT_EQ(InitReport(folder_ / "Report_Game.txt"), 1);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

  static std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static std::vector<unsigned char> ReadBytes(const std::filesystem::path& path) {
    const std::string text = ReadText(path);
    return {text.begin(), text.end()};
  }
  static void WriteBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
  }
  std::string ReportText() const { return ReadText(folder_ / "Report_Game.txt"); }

  std::filesystem::path folder_;

 private:
  std::filesystem::path previous_;
};
