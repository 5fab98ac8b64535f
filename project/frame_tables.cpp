#include "project/frame_tables.h"

#include <algorithm>
#include <limits>

namespace {

// Tenths of a second to frames, kept inside the int range for absurd times.
std::int32_t TenthsToFrames(std::int32_t tenths) {
  const std::int64_t frames = std::int64_t{tenths} * 6;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(frames, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Entry 0 of a table is the idle "none" entry: every frame holds with no
// duration and the pattern loops; every other pattern ends after its frames.
PATTERNENTRY ClosingEntry(std::size_t index) {
  return index == 0 ? PATTERNENTRY{kPatternRestart, 0, 1} : PATTERNENTRY{kPatternEnded, 0, 0};
}

}  // namespace

void BuildAnimeFrames(cVector<Pattern>& table, const cDatabase& database) {
  table.clear();
  table.resize(database.m_vAnime.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    const cVector<cAnimeFrame>& frames = database.m_vAnime[i].m_vFrames;
    Pattern& pattern = table[i];
    pattern.resize(frames.size() + 1);
    std::int32_t hold = 0;
    for (std::size_t j = 0; j < frames.size(); ++j) {
      PATTERNENTRY& entry = pattern[j];
      entry.nCode = frames[j].nPattern;
      entry.nDuration = TenthsToFrames(frames[j].nTime);
      if (i == 0) {
        entry.nDuration = 0;
        entry.nHold = 1;
      } else if (frames[j].nFlag) {
        hold = 1;
        entry.nHold = 1;
      } else {
        entry.nHold = hold;
      }
    }
    pattern[frames.size()] = ClosingEntry(i);
  }
}

void BuildEffectFrames(cVector<Pattern>& table, const cDatabase& database) {
  table.clear();
  table.resize(database.m_vEffect.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    const cVector<cIntPair>& frames = database.m_vEffect[i].m_vFrames;
    Pattern& pattern = table[i];
    pattern.resize(frames.size() + 1);
    for (std::size_t j = 0; j < frames.size(); ++j) {
      pattern[j] = i == 0 ? PATTERNENTRY{frames[j].nFirst, 0, 1}
                          : PATTERNENTRY{frames[j].nFirst, TenthsToFrames(frames[j].nSecond), 0};
    }
    pattern[frames.size()] = ClosingEntry(i);
  }
}
