#include "generated_game.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "foundation/game_files.h"
#include "tools/sample_game/sample_game.h"

namespace sample_game_test {
namespace {

struct GeneratedFolder {
  std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("sample_game_test_" + std::to_string(::getpid()));
  GeneratedFolder() {
    std::filesystem::remove_all(root);
    std::string failed;
    if (!sample_game::GenerateSampleGame(root, {}, &failed)) ADD_FAILURE() << "cannot write " << failed;
  }
  ~GeneratedFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
};

}  // namespace

const std::filesystem::path& GeneratedGame() {
  static const GeneratedFolder folder;
  return folder.root;
}

InGameFolder::InGameFolder() : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(GeneratedGame());
  ForgetGameFolderListings();
}

InGameFolder::~InGameFolder() {
  std::filesystem::current_path(previous_);
  ForgetGameFolderListings();
}

}  // namespace sample_game_test
