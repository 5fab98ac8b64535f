#pragma once
// The parameter grids of the shot formations and the shot movement kinds:
// for each formation (and each movement kind) what its three specific values
// ("フォーメーション固有1"-"3", "移動タイプ固有1"-"3" of the shot record) mean,
// with the range that a value bound to a variable is clamped to and the
// value a new command starts with. A position the formation or kind does not
// use has an empty name and the range 0..0.

#include <cstdint>
#include <string_view>

struct PARAMSPEC {
  std::string_view utf8Name;  // the editor's label; empty: not used
  std::uint16_t nMin = 0;
  std::uint16_t nMax = 0;
  std::uint16_t nDefault = 0;
};

inline constexpr int kShotFormationCount = 6;
inline constexpr int kShotMoveKindCount = 10;
inline constexpr int kSpecificParamCount = 3;

// The grid entry of specific value `position` (0..2) of a formation or a movement
// kind; anything outside the grid gives the unused entry.
const PARAMSPEC& FormationParamSpec(int formation, int position);
const PARAMSPEC& ShotMoveParamSpec(int moveKind, int position);
