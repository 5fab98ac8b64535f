#pragma once
// The sample game's sound effects: the 17 system sounds that the project's
// system record names and the sounds of its database, each a short recipe of
// synthesised tones.

#include <string>
#include <vector>

#include "tools/sample_game/synth.h"

namespace sample_game {

struct SoundEffect {
  std::string name;  // a short Japanese name, as the database shows it (UTF-8 here)
  std::string path;  // stored path of the wave file
  std::vector<Tone> tones;
};

// System sounds 0..16 in order: cursor, decide, cancel, buzzer, open, save,
// page, jump, damage, item, coin, extra life, clear, time warning, pause,
// game over, shot.
const std::vector<SoundEffect>& SystemSounds();
// Database sounds 1.. (entry 0 of the database is its "none" entry).
const std::vector<SoundEffect>& DatabaseSounds();

}  // namespace sample_game
