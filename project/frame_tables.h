#pragma once
// Frame tables: the animations and effects of the database turned into the
// patterns that the animation player steps through (durations in frames).

#include <cstdint>
#include "foundation/checked_vector.h"

#include "project/database.h"

struct PATTERNENTRY {
  std::int32_t nCode = 0;      // pattern number, or a negative control code
  std::int32_t nDuration = 0;  // frames (60 per second)
  std::int32_t nHold = 0;      // 1: the pattern cannot be interrupted here

  bool operator==(const PATTERNENTRY&) const = default;
};

using Pattern = cVector<PATTERNENTRY>;

// Control codes of a pattern's closing entry.
inline constexpr std::int32_t kPatternRestart = -2;  // back to entry 0
inline constexpr std::int32_t kPatternEnded = -4;    // the animation has run out

// One pattern per animation of m_vAnime / per effect of m_vEffect, same index.
void BuildAnimeFrames(cVector<Pattern>& table, const cDatabase& database);
void BuildEffectFrames(cVector<Pattern>& table, const cDatabase& database);
