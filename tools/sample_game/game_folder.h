#pragma once
// The folder a sample game is written into. Files are named as the game data
// names them (backslash-separated, relative to the game folder) and written
// under the UTF-8 names that the player's path resolver finds them by.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace sample_game {

class GameFolder {
 public:
  explicit GameFolder(std::filesystem::path root);

  const std::filesystem::path& Root() const { return root_; }
  // The real path of a stored path such as "bmp\\plt\\Palette.bmp".
  std::filesystem::path PathOf(std::string_view storedPath) const;
  // Writes the file, creating its folders; false when that fails.
  bool Write(std::string_view storedPath, const std::vector<std::uint8_t>& bytes) const;
  bool WriteText(std::string_view storedPath, std::string_view text) const;
  // Every file under `fromFolder` copied to the same place under `toFolder`.
  bool CopyTree(std::string_view fromFolder, std::string_view toFolder) const;

 private:
  std::filesystem::path root_;
};

}  // namespace sample_game
