#pragma once
// Default values of the five parameters of each character-effect and
// screen-effect kind (run time in tenths of a second, then P1..P4), indexed by
// kind number (0 = none). The editor offers these for a new effect; the loader
// fills parameters that files older than data version 511 did not have.

#include <array>

using EffectParamRow = std::array<int, 5>;

// Character-effect kinds 0..16.
inline constexpr int kCharaEffectKindCount = 17;
// Screen-effect kinds 0..13.
inline constexpr int kScrEffectKindCount = 14;

namespace effect_defaults {

inline constexpr int kRunTime = 5;          // "実行時間(1/10s)"
inline constexpr int kSplitCount = 4;       // "分割数"
inline constexpr int kWaveCount = 2;        // "波の数"
inline constexpr int kWaveRoughness = 2;    // "波の粗さ(dot)"
// "円の粗さ(dot)": the strip height of the circle effect; 1 draws row by row,
// and 0 would draw nothing at all.
inline constexpr int kCircleRoughness = 1;

inline constexpr EffectParamRow kNone = {0, 0, 0, 0, 0};
inline constexpr EffectParamRow kTimed = {kRunTime, 0, 0, 0, 0};
inline constexpr EffectParamRow kSplit = {kRunTime, 0, 0, kSplitCount, 0};
inline constexpr EffectParamRow kWave = {kRunTime, 0, 0, kWaveCount, kWaveRoughness};
inline constexpr EffectParamRow kCircle = {kRunTime, 0, 0, kCircleRoughness, 0};

}  // namespace effect_defaults

// 1 burst, 2-3 split, 4-5 wave, 6 blink, 7-8 rotation, 9 rotation in depth,
// 10 circle, 11 zoom, 12 lens, 13 colour change, 14 half transparency,
// 15 mosaic, 16 blur.
inline constexpr std::array<EffectParamRow, kCharaEffectKindCount> g_CharaEffectParamDefaults = {
    effect_defaults::kNone,  effect_defaults::kTimed, effect_defaults::kSplit,
    effect_defaults::kSplit, effect_defaults::kWave,  effect_defaults::kWave,
    effect_defaults::kTimed, effect_defaults::kTimed, effect_defaults::kTimed,
    effect_defaults::kTimed, effect_defaults::kCircle, effect_defaults::kTimed,
    effect_defaults::kTimed, effect_defaults::kTimed, effect_defaults::kTimed,
    effect_defaults::kTimed, effect_defaults::kTimed,
};

// 1 move, 2-3 shake, 4-5 split, 6-7 wave, 8 blink, 9 rotation, 10 circle,
// 11 zoom, 12 lens, 13 mosaic.
inline constexpr std::array<EffectParamRow, kScrEffectKindCount> g_ScrEffectParamDefaults = {
    effect_defaults::kNone,  effect_defaults::kTimed, effect_defaults::kTimed,
    effect_defaults::kTimed, effect_defaults::kSplit, effect_defaults::kSplit,
    effect_defaults::kWave,  effect_defaults::kWave,  effect_defaults::kTimed,
    effect_defaults::kTimed, effect_defaults::kCircle, effect_defaults::kTimed,
    effect_defaults::kTimed, effect_defaults::kTimed,
};
