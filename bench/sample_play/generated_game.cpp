#include "bench/sample_play/generated_game.h"

#include <unistd.h>

#include <system_error>
#include <vector>

#include "foundation/game_files.h"
#include "platform/message_box.h"
#include "tools/sample_game/sample_game.h"

namespace fs = std::filesystem;

GeneratedGame::GeneratedGame(const std::string& program)
    : m_previous(fs::current_path()), m_folder(fs::temp_directory_path() / (program + "_" + std::to_string(::getpid()))) {
  fs::remove_all(m_folder);
  m_ok = sample_game::GenerateSampleGame(m_folder);
  fs::current_path(m_folder);
  ForgetGameFolderListings();
}

GeneratedGame::~GeneratedGame() {
  fs::current_path(m_previous);
  std::error_code ignored;
  fs::remove_all(m_folder, ignored);
}

bool GeneratedGame::UseMode(const DrawMode& mode) const {
  const std::string ini = sample_game::SystemIniText(mode.startup);
  return WriteGameFile("System.ini", std::vector<unsigned char>(ini.begin(), ini.end()));
}

StartedPlayer::StartedPlayer(const GeneratedGame& game, const DrawMode& mode) : m_harness(game.Folder()) {
  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  m_ok = game.UseMode(mode) && m_harness.Start();
}

StartedPlayer::~StartedPlayer() {
  if (m_ok) m_harness.Close();
}
