#pragma once
// The sample game, generated once per test binary into a temporary folder.

#include <filesystem>

namespace sample_game_test {

// The folder holding the generated game (made on first use, removed at exit).
const std::filesystem::path& GeneratedGame();

// Makes the generated game the working folder for the life of the object.
class InGameFolder {
 public:
  InGameFolder();
  ~InGameFolder();
  InGameFolder(const InGameFolder&) = delete;
  InGameFolder& operator=(const InGameFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace sample_game_test
