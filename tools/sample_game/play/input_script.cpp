#include "tools/sample_game/play/input_script.h"

#include <charconv>

#include "input/input_record.h"

namespace sample_game {
namespace {

constexpr std::uint16_t kJump = 1, kShot = 2, kSword = 4;
// An hour of frames: more on one line is taken for a typing error.
constexpr int kMostFramesPerLine = 216000;

// Adds the word's bit to the frame; false for an unknown word.
bool AddWord(std::string_view word, ScriptFrame& frame) {
  if (word == "-") return true;
  if (word.size() != 1) return false;
  switch (word[0]) {
    case 'L': frame.dir |= kDirLeft; return true;
    case 'R': frame.dir |= kDirRight; return true;
    case 'U': frame.dir |= kDirUp; return true;
    case 'D': frame.dir |= kDirDown; return true;
    case 'J': frame.buttons |= kJump; return true;
    case 'S': frame.buttons |= kShot; return true;
    case 'W': frame.buttons |= kSword; return true;
    default: return false;
  }
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t\r", at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
    words.push_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

}  // namespace

std::optional<std::vector<ScriptFrame>> ParseInputScript(std::string_view text) {
  std::vector<ScriptFrame> frames;
  while (!text.empty()) {
    const std::size_t newline = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, newline);
    text.remove_prefix(std::min(newline + 1, text.size()));
    line = line.substr(0, std::min(line.find('#'), line.size()));
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) continue;
    int count = 0;
    const auto [end, error] = std::from_chars(words[0].data(), words[0].data() + words[0].size(), count);
    if (error != std::errc() || end != words[0].data() + words[0].size() || count <= 0 || count > kMostFramesPerLine || words.size() < 2)
      return std::nullopt;
    ScriptFrame frame;
    for (std::size_t i = 1; i < words.size(); ++i)
      if (!AddWord(words[i], frame)) return std::nullopt;
    frames.insert(frames.end(), static_cast<std::size_t>(count), frame);
  }
  return frames;
}

}  // namespace sample_game
