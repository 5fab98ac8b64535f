#include "definitions/shot_param_grids.h"

#include <array>

namespace {

using Row = std::array<PARAMSPEC, kSpecificParamCount>;

constexpr PARAMSPEC kUnused{};
constexpr PARAMSPEC kInterval{"間隔(hbl)", 0, 40, 0};
constexpr PARAMSPEC kRetarget{"軌道変更(hbl)", 0, 40, 0};
constexpr PARAMSPEC kSide{"対象勢力", 0, 7, 0};
constexpr PARAMSPEC kHomingStart{"誘導開始(hbl)", 0, 40, 0};
constexpr PARAMSPEC kHomingEnd{"誘導終了(hbl)", 0, 999, 999};

constexpr std::array<Row, kShotFormationCount> kFormations = {{
    {kInterval, kUnused, kUnused},                                                  // "直進A"
    {kInterval, kUnused, kUnused},                                                  // "直進B"
    {PARAMSPEC{"角度", 0, 180, 30}, kUnused, kUnused},                              // "拡散"
    {kInterval, PARAMSPEC{"列の数", 1, 50, 1}, PARAMSPEC{"列の間隔(hbl)", 0, 40, 1}},  // "落雷"
    {kUnused, kUnused, kUnused},                                                    // "爆発"
    {PARAMSPEC{"距離(hbl)", 0, 40, 6}, kUnused, kUnused},                           // "包囲"
}};

constexpr std::array<Row, kShotMoveKindCount> kMoveKinds = {{
    {kUnused, kUnused, kUnused},             // "直進"
    {kRetarget, kUnused, kUnused},           // "主人公を狙う"
    {kRetarget, kSide, kUnused},             // "近いキャラを狙う"
    {kRetarget, kUnused, kUnused},           // "ターゲットを狙う"
    {kHomingStart, kHomingEnd, kUnused},     // "主人公へ誘導"
    {kHomingStart, kHomingEnd, kSide},       // "近いキャラへ誘導（対象死亡時、誘導を無効化）"
    {kHomingStart, kHomingEnd, kUnused},     // "ターゲットへ誘導"
    {kHomingStart, kHomingEnd, kSide},       // "近いキャラへ誘導（対象死亡時、対象を変更）"
    {PARAMSPEC{"波の最大(hbl)", 0, 100, 4}, PARAMSPEC{"波の速度", 1, 999, 60}, PARAMSPEC{"開始角度", 0, 359, 0}},  // "ウェーブ"
    {kRetarget, kUnused, kUnused},           // "落下"
}};

template <std::size_t Count>
const PARAMSPEC& SpecAt(const std::array<Row, Count>& grid, int row, int position) {
  if (row < 0 || row >= static_cast<int>(Count) || position < 0 || position >= kSpecificParamCount) return kUnused;
  return grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(position)];
}

}  // namespace

const PARAMSPEC& FormationParamSpec(int formation, int position) { return SpecAt(kFormations, formation, position); }

const PARAMSPEC& ShotMoveParamSpec(int moveKind, int position) { return SpecAt(kMoveKinds, moveKind, position); }
