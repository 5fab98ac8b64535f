// The change history and the press logs of an input record.
#include <array>
#include <cstdint>
#include <limits>

#include "input/input_record.h"

namespace {

constexpr std::uint32_t kMaxFrames = std::numeric_limits<std::int32_t>::max();

// The direction patterns of the press logs: exact words, then a mask.
struct Pattern {
  std::uint16_t bits;
  bool exact;
};
constexpr std::array<Pattern, kDirPressLogs> kDirPatterns = {{
    {0, true}, {1, true}, {2, true}, {4, true}, {8, true},
    {5, true}, {9, true}, {6, true}, {10, true}, {15, false},
}};
constexpr std::array<Pattern, kButtonPressLogs> kButtonPatterns = {{
    {0, true}, {1, false}, {2, false}, {4, false}, {8, false},
    {16, false}, {32, false}, {64, false}, {128, false},
}};

bool Matches(const Pattern& pattern, std::uint16_t word) {
  return pattern.exact ? word == pattern.bits : (word & pattern.bits) != 0;
}

// A new run in front when the state changed (the oldest run drops out),
// otherwise the front run lasts one frame longer.
void Log(PRESSHISTORY& log, bool pressed) {
  PressRun& front = log.runs[0];
  if ((front.pressed != 0) != pressed) {
    for (int i = PRESSHISTORY::kRuns - 1; i > 0; --i) log.runs[i] = log.runs[i - 1];
    log.runs[0] = {pressed ? 1u : 0u, 1};
  } else if (static_cast<std::uint32_t>(front.frames) < kMaxFrames) {
    ++front.frames;
  }
}

}  // namespace

void cInput::UpdateFrameState() {
  m_nDirCode = GetDirCode(*this);
  UpdateHistory();
  UpdatePressLogs();
}

void cInput::UpdateHistory() {
  const std::uint16_t words[2] = {m_wDir, m_wButton};
  for (int k = 0; k < 2; ++k) {
    auto& ring = m_History[k];
    std::uint32_t& index = m_nHistoryIndex[k];
    index %= kHistoryLength;
    if (ring[index].value != words[k]) {
      index = (index + 1) % kHistoryLength;
      ring[index] = {words[k], 1};
    } else if (ring[index].frames < kMaxFrames) {
      ++ring[index].frames;
    }
  }
}

std::uint16_t cInput::GetPastState(int word, std::uint32_t frames) const {
  const auto& ring = m_History[word == kWordButton ? 1 : 0];
  std::uint32_t index = m_nHistoryIndex[word == kWordButton ? 1 : 0] % kHistoryLength;
  // Frames still to go back, counting the present one; 64 bits so that n at
  // its largest does not wrap.
  std::uint64_t remaining = std::uint64_t{frames} + 1;
  for (int step = 1; step < kHistoryLength && remaining > ring[index].frames; ++step) {
    remaining -= ring[index].frames;
    index = (index + kHistoryLength - 1) % kHistoryLength;
  }
  return ring[index].value;
}

void cInput::UpdatePressLogs() {
  for (int i = 0; i < kDirPressLogs; ++i) Log(m_vDirPress[i], Matches(kDirPatterns[i], m_wDir));
  for (int i = 0; i < kButtonPressLogs; ++i) Log(m_vButtonPress[i], Matches(kButtonPatterns[i], m_wButton));
}
