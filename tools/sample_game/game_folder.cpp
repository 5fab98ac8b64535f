#include "tools/sample_game/game_folder.h"

#include <fstream>
#include <string>

namespace sample_game {

GameFolder::GameFolder(std::filesystem::path root) : root_(std::move(root)) {}

std::filesystem::path GameFolder::PathOf(std::string_view storedPath) const {
  std::string relative(storedPath);
  for (char& c : relative)
    if (c == '\\') c = '/';
  return root_ / relative;
}

bool GameFolder::Write(std::string_view storedPath, const std::vector<std::uint8_t>& bytes) const {
  const std::filesystem::path path = PathOf(storedPath);
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

bool GameFolder::WriteText(std::string_view storedPath, std::string_view text) const {
  return Write(storedPath, std::vector<std::uint8_t>(text.begin(), text.end()));
}

bool GameFolder::CopyTree(std::string_view fromFolder, std::string_view toFolder) const {
  std::error_code error;
  const auto from = PathOf(fromFolder), to = PathOf(toFolder);
  std::filesystem::create_directories(to, error);
  std::filesystem::copy(from, to,
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                        error);
  return !error;
}

}  // namespace sample_game
