#pragma once
// The sample game, generated once into a temporary folder that is the
// working folder while it lives, and the player started on it in a drawing
// mode as a user starts it.

#include <filesystem>
#include <string>

#include "bench/sample_play/draw_modes.h"
#include "shell/harness/run_harness.h"

class GeneratedGame {
 public:
  // The folder is named after `program` and the process.
  explicit GeneratedGame(const std::string& program);
  ~GeneratedGame();
  GeneratedGame(const GeneratedGame&) = delete;
  GeneratedGame& operator=(const GeneratedGame&) = delete;

  bool Ok() const { return m_ok; }
  const std::filesystem::path& Folder() const { return m_folder; }
  // The drawing mode the player starts in.
  bool UseMode(const DrawMode& mode) const;

 private:
  std::filesystem::path m_previous, m_folder;
  bool m_ok = false;
};

// The player started on the game in a drawing mode (System.ini's mode, the
// palette, fonts, digit strips, sound), closed again when it goes.
class StartedPlayer {
 public:
  StartedPlayer(const GeneratedGame& game, const DrawMode& mode);
  ~StartedPlayer();
  StartedPlayer(const StartedPlayer&) = delete;
  StartedPlayer& operator=(const StartedPlayer&) = delete;
  bool Ok() const { return m_ok; }

 private:
  cRunHarness m_harness;
  bool m_ok = false;
};
