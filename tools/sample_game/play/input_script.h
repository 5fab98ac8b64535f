#pragma once
// Input scripts: the player's two input words for every frame of a
// scripted attempt, written as text a person can read and edit. Each line
// holds a frame count and the words held for those frames:
//   L R U D   the directions
//   J         button 0 (jump)      S   button 1 (shot)      W   button 2 (sword)
//   -         nothing held
// Anything after '#' is a comment; blank lines are skipped. "90 R J" holds
// right and jump for 90 frames.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sample_game {

struct ScriptFrame {
  std::uint16_t dir = 0;
  std::uint16_t buttons = 0;
  bool operator==(const ScriptFrame&) const = default;
};

// The frames of the script, or nothing when a line is not of the form
// above (the error names no line: scripts are short and kept with tests).
std::optional<std::vector<ScriptFrame>> ParseInputScript(std::string_view text);

}  // namespace sample_game
